#pragma once

#include <cstdint>
#include <vector>

namespace gfx {

// The pixels of a single-sampled framebuffer as B, G, R, A bytes, top row
// first (GL keeps the bottom row first). The context must be current.
[[nodiscard]] std::vector<uint8_t> ReadFramebufferPixels(unsigned framebuffer, int width,
                                                         int height);

// The inverse: writes B, G, R, A bytes, top row first, width x height of
// them, over the whole colour image of a framebuffer, every sample of a
// multisampled one alike. The framebuffer bindings and the 2D texture
// binding are left as they were; the caller sees to the colour mask and
// scissor test, which a blit obeys.
void WriteFramebufferPixels(unsigned framebuffer, int width, int height, const uint8_t* pixels);

}  // namespace gfx
