#include "objects/GreyBitmap.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>

#include "foundation/DibLayout.h"
#include "platform/image/BmpWriter.h"

namespace {

// The 14-byte file header, then the DIB with its 40-byte info header.
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kHeaderSize = 54;

// The layout checks that the header, colour table and every row lie within
// the bytes, so a small image of a few pixels is taken too.
std::optional<DibLayout> ReadLayout(std::span<const uint8_t> bitmap) {
    if (bitmap.size() <= kHeaderSize) {
        return std::nullopt;
    }
    return DibLayout::Read(bitmap.subspan(kFileHeaderSize));
}

// Palette and 16-bit pixels hold no three colour bytes to grey: the same
// pixels as a 24-bit file.
std::vector<uint8_t> ToTrueColour(const DibLayout& layout, std::span<const uint8_t> bitmap) {
    std::vector<uint8_t> rows = layout.ToBlitRows(bitmap.subspan(kFileHeaderSize));
    const std::size_t stride = static_cast<std::size_t>(layout.width) * 4;
    if (layout.height > 0) {
        // Stored bottom-up; the writer takes the top row first.
        auto top = rows.begin();
        auto bottom = rows.end() - static_cast<std::ptrdiff_t>(stride);
        for (; top < bottom; top += static_cast<std::ptrdiff_t>(stride),
                             bottom -= static_cast<std::ptrdiff_t>(stride)) {
            std::swap_ranges(top, top + static_cast<std::ptrdiff_t>(stride), bottom);
        }
    }
    return image::EncodeBmp24(layout.width, layout.Rows(), rows.data(), stride);
}

}  // namespace

std::vector<uint8_t> MakeGreyBitmap(const std::vector<uint8_t>& bitmap) {
    std::optional<DibLayout> layout = ReadLayout(bitmap);
    if (!layout) {
        return {};
    }
    std::vector<uint8_t> grey = bitmap;
    if (!layout->IsBlitReady()) {
        grey = ToTrueColour(*layout, bitmap);
        layout = ReadLayout(grey);
        if (!layout) {
            return {};
        }
    }
    const std::size_t bytesPerPixel = layout->bitCount / 8;
    for (int32_t row = 0; row < layout->Rows(); ++row) {
        uint8_t* pixel = grey.data() + kFileHeaderSize + layout->pixelOffset +
                         static_cast<std::size_t>(row) * layout->stride;
        for (int32_t x = 0; x < layout->width; ++x, pixel += bytesPerPixel) {
            const auto [low, high] = std::minmax({pixel[0], pixel[1], pixel[2]});
            const auto lightness = static_cast<uint8_t>((high + low) / 2);
            pixel[0] = pixel[1] = pixel[2] = lightness;
        }
    }
    return grey;
}
