#include "platform/gfx/Resource.h"

#include "platform/gfx/Device.h"

namespace gfx {

Resource::Resource(Device* device) : m_device(device) {
    if (m_device != nullptr) {
        m_device->RegisterResource(this);
    }
}

Resource::~Resource() {
    if (m_device != nullptr) {
        m_device->UnregisterResource(this);
    }
}

uint32_t Resource::AddRef() {
    return ++m_refCount;
}

uint32_t Resource::Release() {
    const uint32_t left = --m_refCount;
    if (left == 0) {
        delete this;
    }
    return left;
}

bool Resource::ActivateDevice() const {
    return m_device != nullptr && m_device->Activate();
}

}  // namespace gfx
