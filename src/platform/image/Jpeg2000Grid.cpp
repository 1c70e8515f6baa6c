#include "platform/image/Jpeg2000Grid.h"

#include <span>

#include "platform/image/Raster.h"

namespace image {

namespace {

using Bytes = std::span<const std::uint8_t>;

// An SOT marker segment (12 bytes) and an SOD marker (2): the least a
// tile-part takes, and every tile of a codestream has at least one.
constexpr std::uint64_t kTilePartBytes = 14;

// The SIZ marker segment up to its component count, then three bytes for each
// component.
constexpr std::size_t kSizFixedBytes = 40;
constexpr std::size_t kSizComponentBytes = 3;

constexpr std::uint32_t kCodestreamBox = 0x6A703263;  // "jp2c"

std::uint32_t Be16(Bytes b, std::size_t at) {
    return std::uint32_t{b[at]} << 8 | b[at + 1];
}

std::uint32_t Be32(Bytes b, std::size_t at) {
    return Be16(b, at) << 16 | Be16(b, at + 2);
}

std::uint64_t Be64(Bytes b, std::size_t at) {
    return std::uint64_t{Be32(b, at)} << 32 | Be32(b, at + 4);
}

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b) {
    return (a + b - 1) / b;
}

// The SOC marker, then the SIZ marker segment, as every codestream starts.
std::optional<Jpeg2000Grid> ReadCodestreamGrid(Bytes b) {
    if (b.size() < 2 + kSizFixedBytes || Be16(b, 0) != 0xFF4F || Be16(b, 2) != 0xFF51) {
        return std::nullopt;
    }
    const Bytes siz = b.subspan(2);
    const std::uint32_t count = Be16(siz, 38);
    if (Be16(siz, 2) != kSizFixedBytes - 2 + kSizComponentBytes * count ||
        siz.size() < kSizFixedBytes + kSizComponentBytes * count) {
        return std::nullopt;
    }
    Jpeg2000Grid grid;
    grid.x1 = Be32(siz, 6);
    grid.y1 = Be32(siz, 10);
    grid.x0 = Be32(siz, 14);
    grid.y0 = Be32(siz, 18);
    grid.tileWidth = Be32(siz, 22);
    grid.tileHeight = Be32(siz, 26);
    grid.tileX0 = Be32(siz, 30);
    grid.tileY0 = Be32(siz, 34);
    for (std::uint32_t c = 0; c < count; ++c) {
        const std::size_t at = kSizFixedBytes + kSizComponentBytes * c;
        grid.components.push_back({siz[at + 1], siz[at + 2]});
    }
    return grid;
}

// The first top-level codestream box of a JP2 file, cut at the end of the
// data.
std::optional<Jpeg2000Grid> ReadBoxedGrid(Bytes b) {
    std::size_t at = 0;
    while (b.size() - at >= 8) {
        const Bytes box = b.subspan(at);
        std::uint64_t boxLength = Be32(box, 0);
        std::uint64_t headerLength = 8;
        if (boxLength == 1) {
            if (box.size() < 16) {
                return std::nullopt;
            }
            boxLength = Be64(box, 8);
            headerLength = 16;
        } else if (boxLength == 0) {
            boxLength = box.size();
        }
        if (boxLength < headerLength) {
            return std::nullopt;
        }
        if (Be32(box, 4) == kCodestreamBox) {
            return ReadCodestreamGrid(box.subspan(headerLength));
        }
        if (boxLength > box.size()) {
            return std::nullopt;
        }
        at += boxLength;
    }
    return std::nullopt;
}

// Tiles along one axis: from the tile origin, which lies at or before the
// image's start, to the image's end. Nothing when the first tile misses the
// image, which no decoder accepts.
std::optional<std::uint64_t> TilesAlong(std::uint32_t tileStart, std::uint32_t tileSide,
                                        std::uint32_t start, std::uint32_t end) {
    if (tileSide == 0 || tileStart > start ||
        std::uint64_t{tileStart} + tileSide <= std::uint64_t{start}) {
        return std::nullopt;
    }
    return CeilDiv(std::uint64_t{end} - tileStart, tileSide);
}

// Samples of one component plane, which is the image area subsampled.
std::uint64_t PlaneSamples(const Jpeg2000Grid& grid, const Jpeg2000Grid::Sampling& sampling) {
    const std::uint64_t width = CeilDiv(grid.x1, sampling.dx) - CeilDiv(grid.x0, sampling.dx);
    const std::uint64_t height = CeilDiv(grid.y1, sampling.dy) - CeilDiv(grid.y0, sampling.dy);
    return width * height;
}

}  // namespace

std::optional<Jpeg2000Grid> ReadJpeg2000Grid(const std::uint8_t* data, std::size_t length,
                                             ImageFormat kind) {
    if (data == nullptr) {
        return std::nullopt;
    }
    const Bytes bytes(data, length);
    return kind == ImageFormat::Jp2 ? ReadBoxedGrid(bytes) : ReadCodestreamGrid(bytes);
}

bool IsReasonableJpeg2000Grid(const Jpeg2000Grid& grid, std::size_t fileLength,
                              std::string& error) {
    if (grid.x1 <= grid.x0 || grid.y1 <= grid.y0 ||
        !IsAcceptableSize(std::int64_t{grid.x1} - grid.x0, std::int64_t{grid.y1} - grid.y0)) {
        error = kSizeOutOfRange;
        return false;
    }
    if (grid.components.empty() || grid.components.size() > 4) {
        error = kUnsupportedJpeg2000Layout;
        return false;
    }
    const std::optional<std::uint64_t> across =
        TilesAlong(grid.tileX0, grid.tileWidth, grid.x0, grid.x1);
    const std::optional<std::uint64_t> down =
        TilesAlong(grid.tileY0, grid.tileHeight, grid.y0, grid.y1);
    if (!across || !down) {
        error = "JPEG-2000 影像的圖塊格線與影像範圍不符，已拒絕讀取。";
        return false;
    }
    // The decoder sets up every tile while it reads the header, however few
    // bytes follow; tiles the file has no room for are never real.
    if (*across * *down > fileLength / kTilePartBytes) {
        error = "JPEG-2000 影像宣告的圖塊數超過檔案所能容納的數量，已拒絕讀取。";
        return false;
    }
    // Each component is decoded to a plane of its own, so the pixel limit
    // holds for all the planes together. Their size cannot be weighed against
    // the file's: an even picture of millions of pixels takes a few hundred
    // bytes.
    std::uint64_t samples = 0;
    for (const Jpeg2000Grid::Sampling& sampling : grid.components) {
        if (sampling.dx == 0 || sampling.dy == 0) {
            error = "JPEG-2000 影像的取樣間隔為零，已拒絕讀取。";
            return false;
        }
        samples += PlaneSamples(grid, sampling);
    }
    if (samples > static_cast<std::uint64_t>(kMaxPixels)) {
        error = "JPEG-2000 影像各色彩成分的像素總數超過上限，已拒絕讀取。";
        return false;
    }
    return true;
}

}  // namespace image
