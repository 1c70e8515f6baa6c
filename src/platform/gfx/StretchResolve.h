#pragma once

// Shows a multisampled colour texture stretched over the bound draw
// framebuffer, resolving and filtering in one pass, as a scaled-resolve blit
// with linear filtering does. It draws with a small program of its own: a
// program's compiled form is kept in the driver's shader disk cache, where
// the driver's own blit shaders are compiled afresh in every process, which
// cost a software renderer most of the time to the first frame.

#include <cstdint>
#include <memory>

namespace gfx {

class StretchResolve {
public:
    // For textures of this many samples; null when the context cannot build
    // the program. The context must be current.
    static std::unique_ptr<StretchResolve> Create(int samples);
    ~StretchResolve();

    StretchResolve(const StretchResolve&) = delete;
    StretchResolve& operator=(const StretchResolve&) = delete;

    // Fills the bound draw framebuffer's 0,0 .. width,height with the whole
    // texture. Leaves depth, stencil, blending, culling, alpha test, clip
    // planes and the scissor test off, polygons filled and the viewport on
    // that area; whoever owns those states applies its own again.
    void Draw(unsigned texture, int textureWidth, int textureHeight, int width, int height);

private:
    StretchResolve() = default;

    unsigned m_program = 0;
    unsigned m_vertexArray = 0;
    unsigned m_vertexBuffer = 0;
    int m_scaleLocation = -1;
    int m_lastTexelLocation = -1;
    // A unit the device's texture stages never use.
    int m_unit = 0;
};

}  // namespace gfx
