#pragma once

#include <cstdint>
#include <vector>

namespace gfx {

// A 24-bit BMP file image (54-byte header, bottom row first, rows padded to
// four bytes) of pixels given as B, G, R, A bytes, top row first.
[[nodiscard]] std::vector<uint8_t> EncodeBmp24(int width, int height, const uint8_t* bgraTopDown);

}  // namespace gfx
