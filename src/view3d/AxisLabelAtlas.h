#pragma once

#include <cstdint>

#include "platform/gfx/ResourceRef.h"
#include "platform/gfx/Texture.h"

namespace gfx {
class Device;
}

// The letters of the axis glyph's labels ("x", "y", "z" in bold Arial of
// height 30), drawn once into one texture and put on each frame as small
// quads, so that no font is made per frame.
class CAxisLabelAtlas {
public:
    // Draws the letter with its top-left corner at the back-buffer pixel,
    // in colour (0xAARRGGBB), over everything the frame holds and unclipped.
    // Letters other than x, y and z draw nothing.
    void DrawLetter(gfx::Device& device, char letter, float left, float top, uint32_t colour);

    // Whether the letters' texture is made for the device.
    [[nodiscard]] bool IsBuiltFor(const gfx::Device& device) const;

    static constexpr int kCellSize = 32;

private:
    // The letters' coverage as the alpha of white texels, one cell each.
    bool Build(gfx::Device& device);

    gfx::ResourceRef<gfx::Texture> m_texture;
};
