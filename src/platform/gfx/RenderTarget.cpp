#include "platform/gfx/RenderTarget.h"

#include <epoxy/gl.h>

#include "platform/gfx/FramebufferPixels.h"

namespace gfx {

namespace {

bool AttachRenderbuffer(GLuint* name, GLenum attachment, GLenum format, GLsizei samples, int width,
                        int height) {
    glGenRenderbuffers(1, name);
    glBindRenderbuffer(GL_RENDERBUFFER, *name);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, *name);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void DetachRenderbuffer(GLuint* name, GLenum attachment) {
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, 0);
    glDeleteRenderbuffers(1, name);
    *name = 0;
}

// A multisampled colour buffer is a texture where the driver allows one, so
// that showing it can sample it.
bool AttachMultisampleTexture(GLuint* name, GLenum format, GLsizei samples, int width, int height) {
    GLint most = 0;
    glGetIntegerv(GL_MAX_COLOR_TEXTURE_SAMPLES, &most);
    if (samples > most) {
        return false;
    }
    glGenTextures(1, name);
    glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, *name);
    glTexImage2DMultisample(GL_TEXTURE_2D_MULTISAMPLE, samples, format, width, height, GL_TRUE);
    glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D_MULTISAMPLE, *name,
                           0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) {
        return true;
    }
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D_MULTISAMPLE, 0, 0);
    glDeleteTextures(1, name);
    *name = 0;
    return false;
}

GLenum DepthAttachment(unsigned depthFormat) {
    return depthFormat == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
}

// The blits below ignore the device's masks and scissor: they copy whole
// images.
void PrepareBlit() {
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

}  // namespace

std::unique_ptr<RenderTarget> RenderTarget::Create(int width, int height, unsigned colorFormat,
                                                   unsigned depthFormat, uint32_t samples) {
    std::unique_ptr<RenderTarget> target(
        new RenderTarget(width, height, colorFormat, depthFormat, samples));
    glGenFramebuffers(1, &target->m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target->m_framebuffer);
    target->m_colorIsTexture =
        samples > 0 && AttachMultisampleTexture(&target->m_color, colorFormat,
                                                static_cast<GLsizei>(samples), width, height);
    bool complete = target->m_colorIsTexture ||
                    AttachRenderbuffer(&target->m_color, GL_COLOR_ATTACHMENT0, colorFormat,
                                       static_cast<GLsizei>(samples), width, height);
    if (complete && depthFormat != 0) {
        complete = target->ProbeDepthStencil();
    }
    if (complete) {
        GLint value = 0;
        glGetIntegerv(GL_SAMPLES, &value);
        target->m_samples = value;
        target->m_scaledResolve =
            epoxy_has_gl_extension("GL_EXT_framebuffer_multisample_blit_scaled");
    }
    return complete ? std::move(target) : nullptr;
}

bool RenderTarget::ProbeDepthStencil() {
    GLuint probe = 0;
    const GLenum attachment = DepthAttachment(m_depthFormat);
    // Attachments may differ in size; a buffer of the same format and
    // samples tells whether the full one will do.
    const bool complete = AttachRenderbuffer(&probe, attachment, m_depthFormat,
                                             static_cast<GLsizei>(m_requestedSamples), 1, 1);
    if (complete && m_depthFormat == GL_DEPTH24_STENCIL8) {
        GLint bits = 0;
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT,
                                              GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE, &bits);
        m_stencilBits = bits;
    }
    DetachRenderbuffer(&probe, attachment);
    return complete;
}

RenderTarget::~RenderTarget() {
    const GLuint framebuffers[2] = {m_framebuffer, m_resolveFramebuffer};
    const GLuint renderbuffers[3] = {m_colorIsTexture ? 0 : m_color, m_depth, m_resolveColor};
    glDeleteFramebuffers(2, framebuffers);
    glDeleteRenderbuffers(3, renderbuffers);
    if (m_colorIsTexture) {
        glDeleteTextures(1, &m_color);
    }
}

void RenderTarget::RecordDepthStencilClear(bool depth, float z, bool stencil,
                                           uint32_t stencilValue) {
    if (depth) {
        m_deferredDepth = z;
    }
    if (stencil) {
        m_deferredStencil = stencilValue;
    }
}

bool RenderTarget::MakeDepthStencil() {
    if (!IsDepthStencilDeferred()) {
        return true;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    const GLenum attachment = DepthAttachment(m_depthFormat);
    if (!AttachRenderbuffer(&m_depth, attachment, m_depthFormat,
                            static_cast<GLsizei>(m_requestedSamples), m_width, m_height)) {
        DetachRenderbuffer(&m_depth, attachment);
        return false;
    }
    glDisable(GL_SCISSOR_TEST);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFFFFFFFF);
    glClearDepth(m_deferredDepth);
    glClearStencil(static_cast<GLint>(m_deferredStencil));
    glClear(GL_DEPTH_BUFFER_BIT | (m_stencilBits > 0 ? GL_STENCIL_BUFFER_BIT : 0));
    return true;
}

unsigned RenderTarget::Resolve() {
    if (m_samples == 0) {
        return m_framebuffer;
    }
    if (m_resolveFramebuffer == 0) {
        glGenFramebuffers(1, &m_resolveFramebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, m_resolveFramebuffer);
        AttachRenderbuffer(&m_resolveColor, GL_COLOR_ATTACHMENT0, m_colorFormat, 0, m_width,
                           m_height);
    }
    PrepareBlit();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_resolveFramebuffer);
    glBlitFramebuffer(0, 0, m_width, m_height, 0, 0, m_width, m_height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    return m_resolveFramebuffer;
}

bool RenderTarget::StretchResolveIn(unsigned windowFramebuffer, int windowWidth, int windowHeight) {
    if (!m_colorIsTexture || m_stretchFailed) {
        return false;
    }
    if (!m_stretch) {
        m_stretch = StretchResolve::Create(m_samples);
        m_stretchFailed = !m_stretch;
        if (m_stretchFailed) {
            return false;
        }
    }
    PrepareBlit();
    glBindFramebuffer(GL_FRAMEBUFFER, windowFramebuffer);
    m_stretch->Draw(m_color, m_width, m_height, windowWidth, windowHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    return true;
}

void RenderTarget::ShowIn(unsigned windowFramebuffer, int windowWidth, int windowHeight) {
    const bool sameSize = windowWidth == m_width && windowHeight == m_height;
    if (m_samples != 0 && !sameSize &&
        StretchResolveIn(windowFramebuffer, windowWidth, windowHeight)) {
        return;
    }
    // A multisampled picture is resolved on its way to the window when it
    // keeps its size or the driver can scale while resolving: one blit
    // instead of two, and no single-sampled copy.
    const bool direct = m_samples == 0 || sameSize || m_scaledResolve;
    GLenum filter = GL_LINEAR;
    if (sameSize) {
        filter = GL_NEAREST;
    } else if (m_samples != 0 && direct) {
        filter = GL_SCALED_RESOLVE_NICEST_EXT;
    }
    const GLuint source = direct ? m_framebuffer : Resolve();
    PrepareBlit();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, windowFramebuffer);
    glBlitFramebuffer(0, 0, m_width, m_height, 0, 0, windowWidth, windowHeight, GL_COLOR_BUFFER_BIT,
                      filter);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
}

std::vector<uint8_t> RenderTarget::ReadPixels() {
    return ReadFramebufferPixels(Resolve(), m_width, m_height);
}

void RenderTarget::WritePixels(const uint8_t* pixels) {
    PrepareBlit();
    WriteFramebufferPixels(m_framebuffer, m_width, m_height, pixels);
}

}  // namespace gfx
