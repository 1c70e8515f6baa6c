#include "platform/gfx/FormatSupport.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <vector>

#include "platform/gfx/GLErrors.h"

namespace gfx {

unsigned ColorFormatToGL(Format format) {
    switch (format) {
        // The X formats keep an unused alpha channel, as the back buffer does.
        case Format::A8R8G8B8:
        case Format::X8R8G8B8:
            return GL_RGBA8;
        case Format::A2R10G10B10:
            return GL_RGB10_A2;
        case Format::A1R5G5B5:
        case Format::X1R5G5B5:
            return GL_RGB5_A1;
        case Format::R5G6B5:
            return GL_RGB565;
        default:
            return 0;
    }
}

unsigned DepthFormatToGL(Format format) {
    switch (format) {
        case Format::D24S8:
            return GL_DEPTH24_STENCIL8;
        case Format::D24X8:
            return GL_DEPTH_COMPONENT24;
        case Format::D16:
            return GL_DEPTH_COMPONENT16;
        default:
            return 0;
    }
}

bool IsSampleCountSupported(unsigned internalFormat, uint32_t samples) {
    if (samples == 0) {
        return true;
    }
    if (epoxy_gl_version() >= 42 || epoxy_has_gl_extension("GL_ARB_internalformat_query")) {
        GLint count = 0;
        glGetInternalformativ(GL_RENDERBUFFER, internalFormat, GL_NUM_SAMPLE_COUNTS, 1, &count);
        if (count <= 0) {
            return false;
        }
        std::vector<GLint> counts(static_cast<size_t>(count));
        glGetInternalformativ(GL_RENDERBUFFER, internalFormat, GL_SAMPLES, count, counts.data());
        for (GLint supported : counts) {
            if (static_cast<uint32_t>(supported) == samples) {
                return true;
            }
        }
        return false;
    }
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    return samples <= static_cast<uint32_t>(maxSamples);
}

bool IsRenderableCombination(unsigned colorFormat, unsigned depthFormat, uint32_t samples) {
    if (colorFormat == 0 || !IsSampleCountSupported(colorFormat, samples) ||
        (depthFormat != 0 && !IsSampleCountSupported(depthFormat, samples))) {
        return false;
    }
    DrainGLErrors();
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    GLuint framebuffer = 0;
    GLuint buffers[2] = {};
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(2, buffers);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, static_cast<GLsizei>(samples), colorFormat, 4,
                                     4);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    if (depthFormat != 0) {
        glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, static_cast<GLsizei>(samples),
                                         depthFormat, 4, 4);
        const GLenum attachment =
            depthFormat == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, buffers[1]);
    }
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE &&
                          DrainGLErrors() == GLErrorState::None;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    glDeleteRenderbuffers(2, buffers);
    glDeleteFramebuffers(1, &framebuffer);
    return complete;
}

Caps QueryContextCaps(DeviceType type) {
    Caps caps;
    caps.deviceType = type;
    caps.devCaps = kDevCapsHwTransformAndLight;
    caps.stencilCaps = kStencilCapsTwoSided;
    caps.maxAnisotropy = 1;
    if (epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic") ||
        epoxy_has_gl_extension("GL_ARB_texture_filter_anisotropic")) {
        GLfloat anisotropy = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
        caps.maxAnisotropy = anisotropy >= 1.0f ? static_cast<uint32_t>(anisotropy) : 1;
    }
    auto limit = [](GLenum name, uint32_t most) {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return std::min(static_cast<uint32_t>(std::max(value, 0)), most);
    };
    caps.maxActiveLights = limit(GL_MAX_LIGHTS, kMaxLights);
    caps.maxUserClipPlanes = limit(GL_MAX_CLIP_PLANES, kMaxClipPlanes);
    caps.maxSimultaneousTextures = limit(GL_MAX_TEXTURE_UNITS, kMaxTextureStages);
    caps.maxTextureWidth = limit(GL_MAX_TEXTURE_SIZE, UINT32_MAX);
    caps.maxTextureHeight = caps.maxTextureWidth;
    return caps;
}

bool ContextCanHostDevice() {
    // 3.3 brings sampler objects, base-vertex draws and the provoking vertex.
    return epoxy_gl_version() >= 33 &&
           (epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control"));
}

}  // namespace gfx
