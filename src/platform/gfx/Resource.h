#pragma once

// Base of the objects a device creates (buffers, textures). They are shared
// by reference count: the creator holds the first reference, each AddRef one
// more, and the last Release frees the object. Every resource keeps a CPU
// copy of its contents, so a device Reset re-creates its GL object from it.

#include <cstdint>

namespace gfx {

class Device;

class Resource {
public:
    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;

    // Both return the count left.
    uint32_t AddRef();
    uint32_t Release();

    // Null once the device is gone; the CPU copy stays usable.
    [[nodiscard]] Device* GetDevice() const { return m_device; }

protected:
    explicit Resource(Device* device);
    // A derived class frees its GL object in its own destructor.
    virtual ~Resource();

    // Makes the device's context current before a GL call; false without a
    // device.
    bool ActivateDevice() const;

private:
    friend class Device;

    // Called by the device with its context current.
    virtual void DestroyGL() = 0;
    virtual void RestoreGL() = 0;

    Device* m_device;
    uint32_t m_refCount = 1;
};

}  // namespace gfx
