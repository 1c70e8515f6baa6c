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

}  // namespace gfx
