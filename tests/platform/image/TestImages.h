#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/image/Image.h"

namespace image::test {

// Every pixel a different colour, so a moved or swapped pixel shows.
Color PatternColor(int x, int y);
CImage MakePattern(int width, int height);

// Largest difference of any channel (alpha included) between two images of
// the same size; -1 when the sizes differ.
int MaxChannelDifference(const CImage& a, const CImage& b);

// A file written by GraphicsMagick from RGB bytes, in its format name.
std::vector<std::uint8_t> EncodeWithGraphicsMagick(const std::vector<std::uint8_t>& rgb, int width,
                                                   int height, const std::string& format);

// A lossless JPEG-2000 file (jp2 true) or codestream of 1, 3 or 4 components
// of 8 bits, made with OpenJPEG from interleaved samples; in square tiles of
// tileSide when it is given, else in one tile.
std::vector<std::uint8_t> EncodeJpeg2000(const std::vector<std::uint8_t>& samples, int width,
                                         int height, int components, bool jp2, int tileSide = 0);

}  // namespace image::test
