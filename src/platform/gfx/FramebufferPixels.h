#pragma once

#include <cstdint>
#include <vector>

namespace gfx {

// The pixels of a single-sampled framebuffer as B, G, R, A bytes, top row
// first (GL keeps the bottom row first). The context must be current.
[[nodiscard]] std::vector<uint8_t> ReadFramebufferPixels(unsigned framebuffer, int width,
                                                         int height);

}  // namespace gfx
