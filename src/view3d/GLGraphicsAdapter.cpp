#include "view3d/GLGraphicsAdapter.h"

#include "platform/gfx/Device.h"

std::unique_ptr<IGraphicsAdapter> CGLGraphicsAdapter::Create(gfx::RenderContext& window) {
    std::unique_ptr<gfx::Adapter> adapter = gfx::Adapter::Create(window);
    if (!adapter) {
        return nullptr;
    }
    return std::unique_ptr<IGraphicsAdapter>(new CGLGraphicsAdapter(std::move(adapter)));
}

gfx::Result CGLGraphicsAdapter::GetDeviceCaps(gfx::DeviceType type, gfx::Caps* caps) {
    return m_adapter->GetDeviceCaps(type, caps);
}

gfx::Result CGLGraphicsAdapter::GetAdapterDisplayMode(gfx::DisplayMode* mode) {
    return m_adapter->GetAdapterDisplayMode(mode);
}

gfx::Result CGLGraphicsAdapter::CheckDeviceType(gfx::DeviceType type, gfx::Format adapterFormat,
                                                gfx::Format backBufferFormat, bool windowed) {
    return m_adapter->CheckDeviceType(type, adapterFormat, backBufferFormat, windowed);
}

gfx::Result CGLGraphicsAdapter::CheckDeviceMultiSampleType(gfx::DeviceType type,
                                                           gfx::Format surfaceFormat, bool windowed,
                                                           gfx::MultisampleType samples,
                                                           uint32_t* qualityLevels) {
    return m_adapter->CheckDeviceMultiSampleType(type, surfaceFormat, windowed, samples,
                                                 qualityLevels);
}

gfx::Result CGLGraphicsAdapter::CheckDepthStencilMatch(gfx::DeviceType type,
                                                       gfx::Format adapterFormat,
                                                       gfx::Format renderTargetFormat,
                                                       gfx::Format depthStencilFormat) {
    return m_adapter->CheckDepthStencilMatch(type, adapterFormat, renderTargetFormat,
                                             depthStencilFormat);
}

gfx::Result CGLGraphicsAdapter::CreateDevice(gfx::DeviceType type, gfx::RenderContext* window,
                                             uint32_t behaviorFlags, gfx::PresentParameters* params,
                                             std::unique_ptr<gfx::Device>* device) {
    return m_adapter->CreateDevice(type, window, behaviorFlags, params, device);
}
