#pragma once

// The graphics adapter behind one OpenGL context: what it can render and
// the devices made on it. Every answer comes from that context, so format
// and multisample checks tell what a device created afterwards will get.

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

class Device;
class RenderContext;

class Adapter {
public:
    // Null when the context cannot be made current.
    static std::unique_ptr<Adapter> Create(RenderContext& context);

    Result GetDeviceCaps(DeviceType type, Caps* caps);
    // The format is the window framebuffer's: X8R8G8B8 or R5G6B5.
    Result GetAdapterDisplayMode(DisplayMode* mode);
    // kOk when a back buffer of that format can be rendered into beside a
    // display of adapterFormat.
    Result CheckDeviceType(DeviceType type, Format adapterFormat, Format backBufferFormat,
                           bool windowed);
    // kOk with one quality level when surfaces of the format take that
    // sample count.
    Result CheckDeviceMultiSampleType(DeviceType type, Format surfaceFormat, bool windowed,
                                      MultisampleType samples, uint32_t* qualityLevels);
    Result CheckDepthStencilMatch(DeviceType type, Format adapterFormat, Format renderTargetFormat,
                                  Format depthStencilFormat);
    Result CreateDevice(DeviceType type, RenderContext* focusWindow, uint32_t behaviorFlags,
                        PresentParameters* params, std::unique_ptr<Device>* device);

private:
    explicit Adapter(RenderContext& context) : m_context(context) {}

    bool Activate();
    bool IsRenderable(unsigned colorFormat, unsigned depthFormat);

    RenderContext& m_context;
    std::map<std::pair<unsigned, unsigned>, bool> m_renderable;
};

}  // namespace gfx
