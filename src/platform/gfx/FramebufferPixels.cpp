#include "platform/gfx/FramebufferPixels.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstddef>

namespace gfx {

std::vector<uint8_t> ReadFramebufferPixels(unsigned framebuffer, int width, int height) {
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> pixels(rowBytes * static_cast<size_t>(height));
    if (pixels.empty()) {
        return pixels;
    }
    GLint previous = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previous));
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(pixels.begin() + static_cast<ptrdiff_t>(top * rowBytes),
                         pixels.begin() + static_cast<ptrdiff_t>((top + 1) * rowBytes),
                         pixels.begin() + static_cast<ptrdiff_t>(bottom * rowBytes));
    }
    return pixels;
}

void WriteFramebufferPixels(unsigned framebuffer, int width, int height, const uint8_t* pixels) {
    if (width <= 0 || height <= 0) {
        return;
    }
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> bottomUp(rowBytes * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row) {
        std::copy_n(pixels + static_cast<size_t>(row) * rowBytes, rowBytes,
                    bottomUp.begin() + static_cast<ptrdiff_t>((height - 1 - row) * rowBytes));
    }
    GLint previousTexture = 0;
    GLint previousRead = 0;
    GLint previousDraw = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previousRead);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousDraw);

    // A multisampled renderbuffer takes no upload: the pixels go into a
    // texture, and a blit from it fills every sample.
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 bottomUp.data());
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));

    GLuint source = 0;
    glGenFramebuffers(1, &source);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previousRead));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(previousDraw));
    glDeleteFramebuffers(1, &source);
    glDeleteTextures(1, &texture);
}

}  // namespace gfx
