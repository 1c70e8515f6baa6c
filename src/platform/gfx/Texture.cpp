#include "platform/gfx/Texture.h"

#include <epoxy/gl.h>

#include <algorithm>

namespace gfx {

uint32_t Texture::FullChainLength(uint32_t width, uint32_t height) {
    uint32_t levels = 1;
    for (uint32_t size = std::max(width, height); size > 1; size /= 2) {
        ++levels;
    }
    return levels;
}

Texture::Texture(Device* device, uint32_t width, uint32_t height, uint32_t levels, Format format)
    : Resource(device), m_format(format) {
    for (uint32_t i = 0; i < levels; ++i) {
        m_levels.push_back({width, height, std::vector<uint32_t>(size_t{width} * height)});
        width = std::max(width / 2, 1u);
        height = std::max(height / 2, 1u);
    }
    if (ActivateDevice()) {
        RestoreGL();
    }
}

Texture::~Texture() {
    if (ActivateDevice()) {
        DestroyGL();
    }
}

uint32_t Texture::GetWidth(uint32_t level) const {
    return level < m_levels.size() ? m_levels[level].width : 0;
}

uint32_t Texture::GetHeight(uint32_t level) const {
    return level < m_levels.size() ? m_levels[level].height : 0;
}

void Texture::DestroyGL() {
    glDeleteTextures(1, &m_texture);
    m_texture = 0;
}

void Texture::RestoreGL() {
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    // Without the limit a texture with fewer levels than a full chain would
    // be incomplete under a mip filter.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(m_levels.size()) - 1);
    const GLint internalFormat = m_format == Format::X8R8G8B8 ? GL_RGB8 : GL_RGBA8;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    for (size_t i = 0; i < m_levels.size(); ++i) {
        const Level& level = m_levels[i];
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), internalFormat,
                     static_cast<GLsizei>(level.width), static_cast<GLsizei>(level.height), 0,
                     GL_BGRA, GL_UNSIGNED_BYTE, level.pixels.data());
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
}

void Texture::UploadLevel(uint32_t index) const {
    const Level& level = m_levels[index];
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(index), 0, 0,
                    static_cast<GLsizei>(level.width), static_cast<GLsizei>(level.height), GL_BGRA,
                    GL_UNSIGNED_BYTE, level.pixels.data());
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
}

Result Texture::LockRect(uint32_t level, LockedRect* locked, uint32_t flags) {
    if (locked == nullptr || level >= m_levels.size() || m_lockedLevel >= 0) {
        return kErrInvalidCall;
    }
    m_lockedLevel = static_cast<int>(level);
    m_lockReadOnly = (flags & kLockReadOnly) != 0;
    locked->pitch = static_cast<int32_t>(m_levels[level].width * 4);
    locked->bits = m_levels[level].pixels.data();
    return kOk;
}

Result Texture::UnlockRect(uint32_t level) {
    if (m_lockedLevel < 0 || static_cast<uint32_t>(m_lockedLevel) != level) {
        return kErrInvalidCall;
    }
    m_lockedLevel = -1;
    if (!m_lockReadOnly && ActivateDevice()) {
        UploadLevel(level);
    }
    return kOk;
}

void Texture::GenerateMipSubLevels() {
    for (size_t i = 1; i < m_levels.size(); ++i) {
        const Level& above = m_levels[i - 1];
        Level& level = m_levels[i];
        for (uint32_t y = 0; y < level.height; ++y) {
            const uint32_t y0 = std::min(2 * y, above.height - 1);
            const uint32_t y1 = std::min(2 * y + 1, above.height - 1);
            for (uint32_t x = 0; x < level.width; ++x) {
                const uint32_t x0 = std::min(2 * x, above.width - 1);
                const uint32_t x1 = std::min(2 * x + 1, above.width - 1);
                const uint32_t samples[4] = {above.pixels[size_t{y0} * above.width + x0],
                                             above.pixels[size_t{y0} * above.width + x1],
                                             above.pixels[size_t{y1} * above.width + x0],
                                             above.pixels[size_t{y1} * above.width + x1]};
                uint32_t pixel = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    uint32_t sum = 2;  // rounds to nearest
                    for (uint32_t sample : samples) {
                        sum += (sample >> shift) & 0xFF;
                    }
                    pixel |= (sum / 4) << shift;
                }
                level.pixels[size_t{y} * level.width + x] = pixel;
            }
        }
    }
    if (ActivateDevice()) {
        for (uint32_t i = 1; i < m_levels.size(); ++i) {
            UploadLevel(i);
        }
    }
}

}  // namespace gfx
