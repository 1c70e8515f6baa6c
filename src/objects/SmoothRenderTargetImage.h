#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {
class Device;
}

// The softening of a rendered picture: each pixel takes the colour of a
// random neighbour at most two pixels away, then the grain is smoothed out
// along the edges. The pixels are B, G, R, A rows top-down, as the device
// reads its back buffer; they come out opaque. The seed drives the random
// moves. False, with the pixels untouched, when they do not make a
// width x height image.
bool SmoothRenderTargetPixels(std::vector<std::uint8_t>& bgra, int width, int height,
                              std::uint32_t seed);

// Softens the picture in the device's back buffer and presents it. Stops at
// the first step that fails, yet still presents; returns that step's result,
// else Present's.
gfx::Result SmoothRenderTargetImage(gfx::Device& device,
                                    std::uint32_t seed = std::random_device{}());
