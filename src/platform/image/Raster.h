#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace image {

// The largest image the layer accepts. The biggest one the system makes is a
// joined 10 x 10 tile render (10240 x 7680); anything far beyond is a damaged
// or hostile file and is refused before memory is allocated for it.
inline constexpr int kMaxSide = 65535;
inline constexpr std::int64_t kMaxPixels = std::int64_t{1} << 27;

// Pixels as 8-bit B, G, R, A quadruples, rows top-down with no padding. The
// alpha bytes are 255 unless the image has an alpha channel.
struct Raster {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<std::uint8_t> bgra;

    std::size_t Stride() const { return static_cast<std::size_t>(width) * 4; }
};

// True when a width x height image is within the limits above.
bool IsAcceptableSize(std::int64_t width, std::int64_t height);

// What the decoders and operations say of a size that IsAcceptableSize refuses.
inline constexpr char kSizeOutOfRange[] = "影像尺寸超出可處理的範圍。";

// Sizes and fills the raster with opaque black; false when the size is refused.
bool AllocateRaster(Raster& raster, int width, int height);

}  // namespace image
