#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/image/Raster.h"

namespace image {

// A complete .bmp file: 14-byte file header, 40-byte BITMAPINFOHEADER with
// BI_RGB, then 24-bit rows bottom-up, each padded to a multiple of 4 bytes.
// The pixels are B, G, R, A rows top-down, stride bytes apart; the alpha
// channel is not written. Empty when a side is not positive or the file would
// not fit the format's 32-bit size fields.
std::vector<std::uint8_t> EncodeBmp24(int width, int height, const std::uint8_t* bgraTopDown,
                                      std::size_t stride);
std::vector<std::uint8_t> EncodeBmp24(const Raster& raster);

}  // namespace image
