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

// The blits below ignore the device's masks and scissor: they copy whole
// images.
void PrepareBlit() {
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

}  // namespace

std::unique_ptr<RenderTarget> RenderTarget::Create(int width, int height, unsigned colorFormat,
                                                   unsigned depthFormat, uint32_t samples) {
    std::unique_ptr<RenderTarget> target(new RenderTarget(width, height));
    glGenFramebuffers(1, &target->m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target->m_framebuffer);
    const auto sampleCount = static_cast<GLsizei>(samples);
    bool complete = AttachRenderbuffer(&target->m_color, GL_COLOR_ATTACHMENT0, colorFormat,
                                       sampleCount, width, height);
    if (depthFormat != 0) {
        const GLenum attachment =
            depthFormat == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
        complete = AttachRenderbuffer(&target->m_depth, attachment, depthFormat, sampleCount, width,
                                      height);
    }
    if (complete) {
        GLint value = 0;
        glGetIntegerv(GL_SAMPLES, &value);
        target->m_samples = value;
        if (depthFormat == GL_DEPTH24_STENCIL8) {
            glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT,
                                                  GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE, &value);
            target->m_stencilBits = value;
        }
        glGenFramebuffers(1, &target->m_resolveFramebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, target->m_resolveFramebuffer);
        complete = AttachRenderbuffer(&target->m_resolveColor, GL_COLOR_ATTACHMENT0, colorFormat, 0,
                                      width, height);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, target->m_framebuffer);
    return complete ? std::move(target) : nullptr;
}

RenderTarget::~RenderTarget() {
    const GLuint framebuffers[2] = {m_framebuffer, m_resolveFramebuffer};
    const GLuint renderbuffers[3] = {m_color, m_depth, m_resolveColor};
    glDeleteFramebuffers(2, framebuffers);
    glDeleteRenderbuffers(3, renderbuffers);
}

unsigned RenderTarget::Resolve() {
    PrepareBlit();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_resolveFramebuffer);
    glBlitFramebuffer(0, 0, m_width, m_height, 0, 0, m_width, m_height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    return m_resolveFramebuffer;
}

void RenderTarget::ShowIn(unsigned windowFramebuffer, int windowWidth, int windowHeight) {
    const GLuint source = Resolve();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, windowFramebuffer);
    const GLenum filter =
        windowWidth == m_width && windowHeight == m_height ? GL_NEAREST : GL_LINEAR;
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
