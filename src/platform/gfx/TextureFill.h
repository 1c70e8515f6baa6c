#pragma once

#include <functional>

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/MathTypes.h"

namespace gfx {

class Texture;

// Where a texel lies: the texture coordinates of its centre, and the size
// of one texel of its level in texture coordinates.
struct TexelCoord {
    float u = 0;
    float v = 0;
    float width = 0;
    float height = 0;
};

using TexelFunction = std::function<ColorValue(const TexelCoord& texel)>;

// Sets every texel of every level to the colour fill gives for it, each
// channel clamped to 0..1.
Result FillTexture(Texture* texture, const TexelFunction& fill);

}  // namespace gfx
