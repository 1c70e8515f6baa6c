#pragma once

// Normal maps for relief shading, computed from a height texture.

#include <cstdint>
#include <vector>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

class Texture;

// The normal map of a height field given as pixels (0xAARRGGBB, top row
// first): the height of a texel is its luminance, 0.2125 R + 0.7154 G +
// 0.0721 B on a 0..1 scale, taken from the nearest source texel where the
// sizes differ. The slopes are central differences, wrapping round the
// edges: dx = (h(x + 1) - h(x - 1)) / 2 and dy the same down the rows; the
// normal is (-amplitude dx, -amplitude dy, 1) normalised, and each of its
// components c in -1..1 is stored as (c + 1) / 2 in red, green and blue,
// alpha opaque. A flat field gives (128, 128, 255).
[[nodiscard]] std::vector<uint32_t> ComputeNormalMapPixels(const uint32_t* heights,
                                                           uint32_t heightsWidth,
                                                           uint32_t heightsHeight, uint32_t width,
                                                           uint32_t height, float amplitude);

// Level 0 of normalMap computed from level 0 of heights, the levels below
// filtered down from it.
Result ComputeNormalMap(Texture* normalMap, Texture* heights, float amplitude);

}  // namespace gfx
