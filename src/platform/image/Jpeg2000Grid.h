#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/image/ImageFormat.h"

namespace image {

// What the decoder says of a layout it does not read: no component, more
// than four, or a CMYK or e-YCC colour space.
inline constexpr char kUnsupportedJpeg2000Layout[] = "不支援這種 JPEG-2000 色彩配置。";

// The image area, tile grid and component sampling that a JPEG-2000
// codestream declares in its SIZ marker.
struct Jpeg2000Grid {
    struct Sampling {
        std::uint32_t dx = 1;
        std::uint32_t dy = 1;
    };

    // The image area on the reference grid: [x0, x1) x [y0, y1).
    std::uint32_t x0 = 0;
    std::uint32_t y0 = 0;
    std::uint32_t x1 = 0;
    std::uint32_t y1 = 0;
    std::uint32_t tileX0 = 0;
    std::uint32_t tileY0 = 0;
    std::uint32_t tileWidth = 0;
    std::uint32_t tileHeight = 0;
    std::vector<Sampling> components;
};

// The grid of the codestream in data[0, length): a bare codestream (J2K) or
// the first codestream box of a JP2 file. Nothing when the bytes do not start
// that way or end before the SIZ marker does.
std::optional<Jpeg2000Grid> ReadJpeg2000Grid(const std::uint8_t* data, std::size_t length,
                                             ImageFormat kind);

// Whether a file of fileLength bytes can reasonably be decoded to that grid:
// the image is within the layer's size limits, it has one to four components
// whose planes together stay within the pixel limit, and the file is long
// enough for one tile-part of each tile. False, with the reason, otherwise.
bool IsReasonableJpeg2000Grid(const Jpeg2000Grid& grid, std::size_t fileLength, std::string& error);

}  // namespace image
