#pragma once

#include <cstdint>
#include <vector>

// The lightness copy of a BMP file image, the source of a relief map: each
// pixel's red, green and blue become (max + min) / 2 of the three. Images of
// 1, 4, 8 or 16 bits, or with other colour masks, come back as 24-bit images
// of the same pixels. Empty when the bytes are not an uncompressed BMP whose
// pixels all lie within them.
std::vector<uint8_t> MakeGreyBitmap(const std::vector<uint8_t>& bitmap);
