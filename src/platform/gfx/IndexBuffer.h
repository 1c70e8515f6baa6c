#pragma once

#include "platform/gfx/GpuBuffer.h"

namespace gfx {

// 16- or 32-bit indices (Format::Index16, Format::Index32).
class IndexBuffer final : public GpuBuffer {
public:
    [[nodiscard]] Format GetFormat() const { return m_format; }
    [[nodiscard]] uint32_t IndexSize() const { return m_format == Format::Index32 ? 4 : 2; }

private:
    friend class Device;
    IndexBuffer(Device* device, uint32_t length, Format format)
        : GpuBuffer(device, length), m_format(format) {}

    Format m_format;
};

}  // namespace gfx
