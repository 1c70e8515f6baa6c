#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace image {

// Image format codes. The numbers are the ones the callers store and pass
// around, so they must not change.
enum class ImageFormat : int {
    Unknown = 0,
    Bmp = 1,
    Gif = 2,
    Jpg = 3,
    Png = 4,
    Ico = 5,
    Tif = 6,
    Tga = 7,
    Pcx = 8,
    Wbmp = 9,
    Wmf = 10,
    J2k = 11,
    Jp2 = 12,
    Jpc = 13,
    Pgx = 14,
    Pnm = 15,
    Ras = 16,
};

// The format code of a path's extension, compared without regard to ASCII
// case; Unknown for any other extension.
ImageFormat GetImageFormatByExtension(std::string_view path);

// The format that the leading bytes identify, or Unknown. TGA and WBMP have no
// signature: they are decoded only when asked for by name.
ImageFormat SniffImageFormat(const std::uint8_t* data, std::size_t length);

// The format of an image that a material file holds: the one its leading
// bytes identify, else TGA, the one stored format without a signature.
ImageFormat SniffStoredImageFormat(const std::uint8_t* data, std::size_t length);

}  // namespace image
