#pragma once

// A vertex or index buffer: the CPU copy that Lock hands out, and the GL
// buffer that Unlock brings up to date.

#include <cstdint>
#include <vector>

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/Resource.h"

namespace gfx {

class GpuBuffer : public Resource {
public:
    // Offset and size 0 lock the whole buffer.
    Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags);
    Result Unlock();

    [[nodiscard]] uint32_t GetSize() const { return static_cast<uint32_t>(m_data.size()); }
    [[nodiscard]] unsigned GLName() const { return m_buffer; }

protected:
    GpuBuffer(Device* device, uint32_t length);
    ~GpuBuffer() override;

private:
    void DestroyGL() override;
    void RestoreGL() override;

    std::vector<uint8_t> m_data;
    unsigned m_buffer = 0;
    bool m_locked = false;
    bool m_lockReadOnly = false;
    uint32_t m_lockOffset = 0;
    uint32_t m_lockSize = 0;
};

}  // namespace gfx
