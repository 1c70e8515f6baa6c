#pragma once

#include <cstdint>
#include <memory>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {
class Device;
class RenderContext;
}  // namespace gfx

// The questions the engine asks of the graphics adapter before and while it
// creates its device. The engine sees the adapter only through this, so a
// test can stand in for a driver with other answers.
class IGraphicsAdapter {
public:
    virtual ~IGraphicsAdapter() = default;

    virtual gfx::Result GetDeviceCaps(gfx::DeviceType type, gfx::Caps* caps) = 0;
    virtual gfx::Result GetAdapterDisplayMode(gfx::DisplayMode* mode) = 0;
    virtual gfx::Result CheckDeviceType(gfx::DeviceType type, gfx::Format adapterFormat,
                                        gfx::Format backBufferFormat, bool windowed) = 0;
    virtual gfx::Result CheckDeviceMultiSampleType(gfx::DeviceType type, gfx::Format surfaceFormat,
                                                   bool windowed, gfx::MultisampleType samples,
                                                   uint32_t* qualityLevels) = 0;
    virtual gfx::Result CheckDepthStencilMatch(gfx::DeviceType type, gfx::Format adapterFormat,
                                               gfx::Format renderTargetFormat,
                                               gfx::Format depthStencilFormat) = 0;
    virtual gfx::Result CreateDevice(gfx::DeviceType type, gfx::RenderContext* window,
                                     uint32_t behaviorFlags, gfx::PresentParameters* params,
                                     std::unique_ptr<gfx::Device>* device) = 0;
};
