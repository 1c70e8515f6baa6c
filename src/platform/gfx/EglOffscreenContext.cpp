#include "platform/gfx/EglOffscreenContext.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <array>
#include <utility>

#include "platform/gfx/FramebufferPixels.h"

namespace gfx {

namespace {

void SetError(std::string* error, std::string text) {
    if (error != nullptr) {
        *error = std::move(text);
    }
}

EGLContext CreateCompatibilityContext(EGLDisplay display, EGLConfig config) {
    constexpr std::array<std::pair<int, int>, 10> kVersions{
        {{4, 5}, {4, 4}, {4, 3}, {4, 2}, {4, 1}, {4, 0}, {3, 3}, {3, 2}, {3, 1}, {3, 0}}};
    for (const auto& [major, minor] : kVersions) {
        const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                     major,
                                     EGL_CONTEXT_MINOR_VERSION,
                                     minor,
                                     EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                     EGL_NONE};
        EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, attributes);
        if (context != EGL_NO_CONTEXT) {
            return context;
        }
    }
    return EGL_NO_CONTEXT;
}

}  // namespace

std::unique_ptr<EglOffscreenContext> EglOffscreenContext::Create(int width, int height,
                                                                 std::string* error) {
    if (width <= 0 || height <= 0) {
        SetError(error, "the offscreen window needs a positive size");
        return nullptr;
    }
    if (!epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless") ||
        !epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_EXT_platform_base")) {
        SetError(error, "EGL has no surfaceless platform");
        return nullptr;
    }
    EGLDisplay display =
        eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0;
    EGLint minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        SetError(error, "the EGL surfaceless display cannot be initialised");
        return nullptr;
    }
    // The surfaceless display is one per process and stays initialised
    // until the process ends: terminating it would end the contexts of every
    // other user of it.
    if (!epoxy_has_egl_extension(display, "EGL_KHR_surfaceless_context") ||
        !eglBindAPI(EGL_OPENGL_API)) {
        SetError(error, "EGL cannot make an OpenGL context without a surface");
        return nullptr;
    }
    // The surfaceless platform offers only pbuffer configurations; a context
    // without one is preferred since it never draws to an EGL surface.
    EGLConfig config = EGL_NO_CONFIG_KHR;
    if (!epoxy_has_egl_extension(display, "EGL_KHR_no_config_context")) {
        const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                 EGL_OPENGL_BIT, EGL_NONE};
        EGLint count = 0;
        if (!eglChooseConfig(display, wanted, &config, 1, &count) || count < 1) {
            SetError(error, "EGL offers no OpenGL configuration");
            return nullptr;
        }
    }
    EGLContext context = CreateCompatibilityContext(display, config);
    if (context == EGL_NO_CONTEXT) {
        SetError(error, "no OpenGL compatibility-profile context of version 3.0 or later");
        return nullptr;
    }
    std::unique_ptr<EglOffscreenContext> result(
        new EglOffscreenContext(display, context, width, height));
    if (!result->MakeCurrent()) {
        SetError(error, "the OpenGL context cannot be made current");
        return nullptr;
    }
    if (!result->CreateWindowFramebuffer()) {
        SetError(error, "the offscreen window framebuffer is incomplete");
        return nullptr;
    }
    return result;
}

EglOffscreenContext::EglOffscreenContext(void* display, void* context, int width, int height)
    : m_display(display), m_context(context), m_width(width), m_height(height) {}

EglOffscreenContext::~EglOffscreenContext() {
    if (MakeCurrent()) {
        glDeleteFramebuffers(1, &m_windowFramebuffer);
        glDeleteRenderbuffers(1, &m_windowColor);
    }
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(m_display, m_context);
}

bool EglOffscreenContext::CreateWindowFramebuffer() {
    glGenRenderbuffers(1, &m_windowColor);
    glBindRenderbuffer(GL_RENDERBUFFER, m_windowColor);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, m_width, m_height);
    glGenFramebuffers(1, &m_windowFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_windowFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_windowColor);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return complete;
}

bool EglOffscreenContext::MakeCurrent() {
    return eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_context) == EGL_TRUE;
}

bool EglOffscreenContext::IsCurrent() const {
    return eglGetCurrentContext() == m_context;
}

bool EglOffscreenContext::SwapBuffers() {
    glFlush();
    return true;
}

std::vector<uint8_t> EglOffscreenContext::ReadWindowPixels() {
    if (!IsCurrent() && !MakeCurrent()) {
        return {};
    }
    return ReadFramebufferPixels(m_windowFramebuffer, m_width, m_height);
}

}  // namespace gfx
