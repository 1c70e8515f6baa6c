#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/image/ImageFormat.h"

namespace image {

// Whether data[0, length) can hold the pixels its header declares: the size
// is within the image limits and the bytes after the header are enough for
// that many pixels even at the format's best compression. The decoder
// allocates the whole image from the header alone, so a few bytes that
// declare a huge picture are refused here, before it does. Checked for the
// formats whose header gives the size and whose pixels are stored plain or
// run-length coded (BMP, TGA, PCX, WBMP, PNM, Sun raster); other formats, and
// headers too short or too odd to read, are left to the decoder.
bool HoldsDeclaredPixels(const std::uint8_t* data, std::size_t length, ImageFormat format);

}  // namespace image
