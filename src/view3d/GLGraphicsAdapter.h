#pragma once

#include <memory>

#include "platform/gfx/Adapter.h"
#include "view3d/GraphicsAdapter.h"

// The adapter of an OpenGL context, as the engine asks it.
class CGLGraphicsAdapter final : public IGraphicsAdapter {
public:
    // Null when the window's context cannot be made current.
    static std::unique_ptr<IGraphicsAdapter> Create(gfx::RenderContext& window);

    gfx::Result GetDeviceCaps(gfx::DeviceType type, gfx::Caps* caps) override;
    gfx::Result GetAdapterDisplayMode(gfx::DisplayMode* mode) override;
    gfx::Result CheckDeviceType(gfx::DeviceType type, gfx::Format adapterFormat,
                                gfx::Format backBufferFormat, bool windowed) override;
    gfx::Result CheckDeviceMultiSampleType(gfx::DeviceType type, gfx::Format surfaceFormat,
                                           bool windowed, gfx::MultisampleType samples,
                                           uint32_t* qualityLevels) override;
    gfx::Result CheckDepthStencilMatch(gfx::DeviceType type, gfx::Format adapterFormat,
                                       gfx::Format renderTargetFormat,
                                       gfx::Format depthStencilFormat) override;
    gfx::Result CreateDevice(gfx::DeviceType type, gfx::RenderContext* window,
                             uint32_t behaviorFlags, gfx::PresentParameters* params,
                             std::unique_ptr<gfx::Device>* device) override;

private:
    explicit CGLGraphicsAdapter(std::unique_ptr<gfx::Adapter> adapter)
        : m_adapter(std::move(adapter)) {}

    std::unique_ptr<gfx::Adapter> m_adapter;
};
