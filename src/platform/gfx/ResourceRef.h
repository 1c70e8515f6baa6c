#pragma once

#include <utility>

namespace gfx {

// One counted reference to a device resource (texture, buffer): copying
// takes another reference, destruction releases it.
template <typename T>
class ResourceRef {
public:
    ResourceRef() = default;
    // Takes over the caller's reference.
    static ResourceRef Adopt(T* resource) {
        ResourceRef ref;
        ref.m_resource = resource;
        return ref;
    }
    // Takes a reference of its own.
    static ResourceRef Share(T* resource) {
        if (resource != nullptr) {
            resource->AddRef();
        }
        return Adopt(resource);
    }
    ResourceRef(const ResourceRef& other) : m_resource(other.m_resource) {
        if (m_resource != nullptr) {
            m_resource->AddRef();
        }
    }
    ResourceRef(ResourceRef&& other) noexcept
        : m_resource(std::exchange(other.m_resource, nullptr)) {}
    ResourceRef& operator=(ResourceRef other) noexcept {
        std::swap(m_resource, other.m_resource);
        return *this;
    }
    ~ResourceRef() { Reset(); }

    void Reset() {
        if (T* resource = std::exchange(m_resource, nullptr)) {
            resource->Release();
        }
    }
    [[nodiscard]] T* Get() const { return m_resource; }
    explicit operator bool() const { return m_resource != nullptr; }
    bool operator==(const ResourceRef& other) const { return m_resource == other.m_resource; }

private:
    T* m_resource = nullptr;
};

}  // namespace gfx
