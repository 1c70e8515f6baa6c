#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/image/ImageFormat.h"
#include "platform/image/Raster.h"

namespace image {

// Decoding and encoding through GraphicsMagick. The library is initialised
// on first use, once per process, whichever thread gets there first.

// Decodes data[0, length) with the coder of format (BMP, GIF, JPEG, PNG, ICO,
// TIFF, TGA, PCX, WBMP, WMF, PNM, RAS); the first frame of a multi-frame file.
bool DecodeWithMagick(const std::uint8_t* data, std::size_t length, ImageFormat format, Raster& out,
                      std::string& error);

// The width and height the picture in data[0, length) has, read by the coder
// of format without decoding its pixels (a ping).
bool PingWithMagick(const std::uint8_t* data, std::size_t length, ImageFormat format, int& width,
                    int& height, std::string& error);

// Encodes as JPEG (quality 1 to 100) or PNG.
bool EncodeWithMagick(const Raster& raster, ImageFormat format, int quality,
                      std::vector<std::uint8_t>& out, std::string& error);

}  // namespace image
