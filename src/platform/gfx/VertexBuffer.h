#pragma once

#include "platform/gfx/GpuBuffer.h"

namespace gfx {

class VertexBuffer final : public GpuBuffer {
public:
    [[nodiscard]] uint32_t GetFvf() const { return m_fvf; }

private:
    friend class Device;
    VertexBuffer(Device* device, uint32_t length, uint32_t fvf)
        : GpuBuffer(device, length), m_fvf(fvf) {}

    uint32_t m_fvf;
};

}  // namespace gfx
