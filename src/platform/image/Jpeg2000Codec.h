#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/image/Raster.h"

namespace image {

// Decodes a JPEG-2000 file (JP2 box format) or bare codestream (J2K, JPC)
// held in data[0, length), telling the two apart by their signatures.
// Grey, grey + alpha, RGB, RGBA and sYCC images are read; components are
// scaled to 8 bits and subsampled ones are stretched to the full size.
bool DecodeJpeg2000(const std::uint8_t* data, std::size_t length, Raster& out, std::string& error);

}  // namespace image
