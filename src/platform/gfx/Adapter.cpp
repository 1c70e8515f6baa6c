#include "platform/gfx/Adapter.h"

#include <epoxy/gl.h>

#include "platform/gfx/Device.h"
#include "platform/gfx/FormatSupport.h"
#include "platform/gfx/RenderContext.h"

namespace gfx {

namespace {

bool KnownType(DeviceType type) {
    return type == DeviceType::Hal || type == DeviceType::Ref;
}

}  // namespace

std::unique_ptr<Adapter> Adapter::Create(RenderContext& context) {
    std::unique_ptr<Adapter> adapter(new Adapter(context));
    if (!adapter->Activate()) {
        return nullptr;
    }
    return adapter;
}

bool Adapter::Activate() {
    return m_context.IsCurrent() || m_context.MakeCurrent();
}

bool Adapter::IsRenderable(unsigned colorFormat, unsigned depthFormat) {
    const auto key = std::make_pair(colorFormat, depthFormat);
    const auto found = m_renderable.find(key);
    if (found != m_renderable.end()) {
        return found->second;
    }
    const bool renderable = IsRenderableCombination(colorFormat, depthFormat, 0);
    m_renderable.emplace(key, renderable);
    return renderable;
}

Result Adapter::GetDeviceCaps(DeviceType type, Caps* caps) {
    if (caps == nullptr || !KnownType(type)) {
        return kErrInvalidCall;
    }
    if (!Activate()) {
        return kErrNotAvailable;
    }
    *caps = QueryContextCaps(type);
    return kOk;
}

Result Adapter::GetAdapterDisplayMode(DisplayMode* mode) {
    if (mode == nullptr) {
        return kErrInvalidCall;
    }
    if (!Activate()) {
        return kErrNotAvailable;
    }
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    const GLuint window = m_context.WindowFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, window);
    const GLenum attachment = window == 0 ? GL_BACK_LEFT : GL_COLOR_ATTACHMENT0;
    GLint green = 8;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment,
                                          GL_FRAMEBUFFER_ATTACHMENT_GREEN_SIZE, &green);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    mode->width = static_cast<uint32_t>(m_context.WindowWidth());
    mode->height = static_cast<uint32_t>(m_context.WindowHeight());
    mode->refreshRate = 0;
    mode->format = green == 6 ? Format::R5G6B5 : Format::X8R8G8B8;
    return kOk;
}

Result Adapter::CheckDeviceType(DeviceType type, Format adapterFormat, Format backBufferFormat,
                                bool /*windowed*/) {
    DisplayMode mode;
    if (!KnownType(type) || Failed(GetAdapterDisplayMode(&mode))) {
        return kErrInvalidCall;
    }
    const unsigned color = ColorFormatToGL(backBufferFormat);
    if (adapterFormat != mode.format || color == 0 || !IsRenderable(color, 0)) {
        return kErrNotAvailable;
    }
    return kOk;
}

Result Adapter::CheckDeviceMultiSampleType(DeviceType type, Format surfaceFormat, bool /*windowed*/,
                                           MultisampleType samples, uint32_t* qualityLevels) {
    if (qualityLevels != nullptr) {
        *qualityLevels = 0;
    }
    if (!KnownType(type) || samples > 16) {
        return kErrInvalidCall;
    }
    if (!Activate()) {
        return kErrNotAvailable;
    }
    unsigned format = ColorFormatToGL(surfaceFormat);
    if (format == 0) {
        format = DepthFormatToGL(surfaceFormat);
    }
    if (format == 0 || samples == 1 || !IsSampleCountSupported(format, samples)) {
        return kErrNotAvailable;
    }
    if (qualityLevels != nullptr) {
        *qualityLevels = 1;
    }
    return kOk;
}

Result Adapter::CheckDepthStencilMatch(DeviceType type, Format /*adapterFormat*/,
                                       Format renderTargetFormat, Format depthStencilFormat) {
    if (!KnownType(type)) {
        return kErrInvalidCall;
    }
    if (!Activate()) {
        return kErrNotAvailable;
    }
    const unsigned color = ColorFormatToGL(renderTargetFormat);
    const unsigned depth = DepthFormatToGL(depthStencilFormat);
    if (color == 0 || depth == 0 || !IsRenderable(color, depth)) {
        return kErrNotAvailable;
    }
    return kOk;
}

Result Adapter::CreateDevice(DeviceType type, RenderContext* focusWindow, uint32_t behaviorFlags,
                             PresentParameters* params, std::unique_ptr<Device>* device) {
    return Device::Create(type, focusWindow, behaviorFlags, params, device);
}

}  // namespace gfx
