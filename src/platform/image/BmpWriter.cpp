#include "platform/image/BmpWriter.h"

#include <limits>

namespace image {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetreAt96Dpi = 3780;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(int width, int height, const std::uint8_t* bgraTopDown,
                                      std::size_t stride) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::uint64_t rowSize = (static_cast<std::uint64_t>(width) * 3 + 3) & ~3ULL;
    const std::uint64_t imageSize = rowSize * static_cast<std::uint64_t>(height);
    const std::uint64_t fileSize = kFileHeaderSize + kInfoHeaderSize + imageSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) {
        return {};
    }
    std::vector<std::uint8_t> out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(fileSize));
    Put32(out, 0);  // two reserved words
    Put32(out, kFileHeaderSize + kInfoHeaderSize);

    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));  // positive: rows bottom-up
    Put16(out, 1);                                   // planes
    Put16(out, 24);                                  // bits per pixel
    Put32(out, 0);                                   // BI_RGB
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, kPixelsPerMetreAt96Dpi);
    Put32(out, kPixelsPerMetreAt96Dpi);
    Put32(out, 0);  // colours used
    Put32(out, 0);  // important colours

    const std::size_t padding = rowSize - static_cast<std::size_t>(width) * 3;
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* pixel = bgraTopDown + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x, pixel += 4) {
            out.insert(out.end(), pixel, pixel + 3);
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeBmp24(const Raster& raster) {
    return EncodeBmp24(raster.width, raster.height, raster.bgra.data(), raster.Stride());
}

}  // namespace image
