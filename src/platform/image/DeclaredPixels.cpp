#include "platform/image/DeclaredPixels.h"

#include <algorithm>
#include <optional>
#include <span>

#include "platform/image/Raster.h"

namespace image {

namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint64_t Le16(Bytes b, std::size_t at) {
    return b[at] | std::uint64_t{b[at + 1]} << 8;
}

std::uint64_t Le32(Bytes b, std::size_t at) {
    return Le16(b, at) | Le16(b, at + 2) << 16;
}

std::uint64_t Be32(Bytes b, std::size_t at) {
    return std::uint64_t{b[at]} << 24 | std::uint64_t{b[at + 1]} << 16 |
           std::uint64_t{b[at + 2]} << 8 | b[at + 3];
}

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b) {
    return (a + b - 1) / b;
}

// The bytes after a header of headerBytes; none when the header runs past
// the end.
std::uint64_t BytesAfter(Bytes b, std::uint64_t headerBytes) {
    return b.size() > headerBytes ? b.size() - headerBytes : 0;
}

// Sizes are checked against the limits first, which also keeps every
// product below from overflowing.
bool WithinLimits(std::uint64_t width, std::uint64_t height) {
    return width <= static_cast<std::uint64_t>(kMaxSide) &&
           height <= static_cast<std::uint64_t>(kMaxSide) &&
           IsAcceptableSize(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height));
}

// Bytes of runs that expand to `units`, each run covering at most `perRun`
// units in `runBytes` bytes: the least a run-length coder can store them in.
std::uint64_t RunBytes(std::uint64_t units, std::uint64_t perRun, std::uint64_t runBytes) {
    return CeilDiv(units, perRun) * runBytes;
}

bool HoldsBmp(Bytes b) {
    if (b.size() < 34 || b[0] != 'B' || b[1] != 'M') {
        return true;
    }
    const std::uint64_t headerSize = Le32(b, 14);
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint64_t bits = 0;
    std::uint64_t compression = 0;
    if (headerSize == 12) {
        width = Le16(b, 18);
        height = Le16(b, 20);
        bits = Le16(b, 24);
    } else if (headerSize >= 40) {
        const auto signedWidth = static_cast<std::int32_t>(Le32(b, 18));
        const auto signedHeight = static_cast<std::int32_t>(Le32(b, 22));
        if (signedWidth <= 0 || signedHeight == 0 || signedHeight == INT32_MIN) {
            return true;
        }
        width = static_cast<std::uint64_t>(signedWidth);
        height = static_cast<std::uint64_t>(signedHeight < 0 ? -signedHeight : signedHeight);
        bits = Le16(b, 28);
        compression = Le32(b, 30);
    } else {
        return true;
    }
    if (!WithinLimits(width, height)) {
        return false;
    }
    std::uint64_t needed = 0;
    switch (compression) {
        case 0:  // BI_RGB
        case 3:  // BI_BITFIELDS
        case 6:  // BI_ALPHABITFIELDS
            needed = height * CeilDiv(width * bits, 8);
            break;
        case 1:  // BI_RLE8: a run of up to 255 pixels in two bytes
        case 2:  // BI_RLE4
            needed = RunBytes(width * height, 255, 2);
            break;
        default:  // an embedded JPEG or PNG stream
            return true;
    }
    return BytesAfter(b, 14 + headerSize) >= needed;
}

bool HoldsTga(Bytes b) {
    constexpr std::size_t kHeaderSize = 18;
    if (b.size() < kHeaderSize) {
        return true;
    }
    const std::uint64_t idLength = b[0];
    const bool hasColourMap = b[1] == 1;
    const int imageType = b[2];
    const std::uint64_t mapEntries = Le16(b, 5);
    const std::uint64_t mapEntryBits = b[7];
    const std::uint64_t width = Le16(b, 12);
    const std::uint64_t height = Le16(b, 14);
    const std::uint64_t bits = b[16];
    const bool runLength = imageType >= 9 && imageType <= 11;
    if (!runLength && (imageType < 1 || imageType > 3)) {
        return true;
    }
    if (!WithinLimits(width, height)) {
        return false;
    }
    const std::uint64_t mapBytes = hasColourMap ? mapEntries * CeilDiv(mapEntryBits, 8) : 0;
    // A run packet: a count byte and one pixel, for up to 128 pixels.
    const std::uint64_t needed = runLength ? RunBytes(width * height, 128, 1 + CeilDiv(bits, 8))
                                           : CeilDiv(width * height * bits, 8);
    return BytesAfter(b, kHeaderSize + idLength + mapBytes) >= needed;
}

bool HoldsPcx(Bytes b) {
    constexpr std::size_t kHeaderSize = 128;
    if (b.size() < kHeaderSize || b[0] != 0x0A) {
        return true;
    }
    const bool runLength = b[2] == 1;
    const std::uint64_t bits = b[3];
    const std::uint64_t xMin = Le16(b, 4);
    const std::uint64_t yMin = Le16(b, 6);
    const std::uint64_t xMax = Le16(b, 8);
    const std::uint64_t yMax = Le16(b, 10);
    const std::uint64_t planes = b[65];
    const std::uint64_t bytesPerLine = Le16(b, 66);
    if (xMax < xMin || yMax < yMin) {
        return true;
    }
    const std::uint64_t width = xMax - xMin + 1;
    const std::uint64_t height = yMax - yMin + 1;
    if (!WithinLimits(width, height)) {
        return false;
    }
    const std::uint64_t lineBytes = planes * std::max(bytesPerLine, CeilDiv(width * bits, 8));
    // A run: a count byte of up to 63 and the byte repeated.
    const std::uint64_t needed =
        runLength ? RunBytes(height * lineBytes, 63, 2) : height * lineBytes;
    return BytesAfter(b, kHeaderSize) >= needed;
}

// A WBMP number: seven bits a byte, high bit set on all bytes but the last.
// Nothing when the bytes end first; a value past 32 bits stays past them.
std::optional<std::uint64_t> ReadWbmpNumber(Bytes b, std::size_t& at) {
    std::uint64_t value = 0;
    while (at < b.size()) {
        const std::uint8_t byte = b[at++];
        value = std::min<std::uint64_t>((value << 7) | (byte & 0x7F), std::uint64_t{1} << 40);
        if ((byte & 0x80) == 0) {
            return value;
        }
    }
    return std::nullopt;
}

bool HoldsWbmp(Bytes b) {
    // Only type 0 with a plain header is read at all.
    if (b.size() < 2 || b[0] != 0 || b[1] != 0) {
        return true;
    }
    std::size_t at = 2;
    const std::optional<std::uint64_t> width = ReadWbmpNumber(b, at);
    const std::optional<std::uint64_t> height = width ? ReadWbmpNumber(b, at) : std::nullopt;
    if (!height) {
        return true;
    }
    if (!WithinLimits(*width, *height)) {
        return false;
    }
    return BytesAfter(b, at) >= *height * CeilDiv(*width, 8);
}

// A PNM header number after whitespace and comments; nothing when there is
// none. A value past 32 bits stays past them.
std::optional<std::uint64_t> ReadPnmNumber(Bytes b, std::size_t& at) {
    while (at < b.size()) {
        if (b[at] == '#') {
            while (at < b.size() && b[at] != '\n' && b[at] != '\r') {
                ++at;
            }
        } else if (b[at] == ' ' || (b[at] >= '\t' && b[at] <= '\r')) {
            ++at;
        } else {
            break;
        }
    }
    if (at == b.size() || b[at] < '0' || b[at] > '9') {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    while (at < b.size() && b[at] >= '0' && b[at] <= '9') {
        value = std::min<std::uint64_t>(value * 10 + (b[at++] - '0'), std::uint64_t{1} << 40);
    }
    return value;
}

bool HoldsPnm(Bytes b) {
    if (b.size() < 2 || b[0] != 'P' || b[1] < '1' || b[1] > '6') {
        return true;
    }
    const int kind = b[1] - '0';
    std::size_t at = 2;
    const std::optional<std::uint64_t> width = ReadPnmNumber(b, at);
    const std::optional<std::uint64_t> height = width ? ReadPnmNumber(b, at) : std::nullopt;
    if (!height) {
        return true;
    }
    const bool bilevel = kind == 1 || kind == 4;
    const std::optional<std::uint64_t> maxValue =
        bilevel ? std::optional<std::uint64_t>(1) : ReadPnmNumber(b, at);
    if (!maxValue) {
        return true;
    }
    if (!WithinLimits(*width, *height)) {
        return false;
    }
    const std::uint64_t pixels = *width * *height;
    const std::uint64_t channels = kind == 3 || kind == 6 ? 3 : 1;
    const std::uint64_t sampleBytes = *maxValue > 255 ? 2 : 1;
    std::uint64_t needed = 0;
    switch (kind) {
        case 1:  // a digit a pixel
            needed = pixels;
            break;
        case 2:  // numbers apart: at least a digit and a space each
        case 3:
            needed = 2 * pixels * channels - 1;
            break;
        case 4:
            needed = *height * CeilDiv(*width, 8);
            break;
        default:
            needed = pixels * channels * sampleBytes;
            break;
    }
    // One whitespace byte ends the header.
    return BytesAfter(b, at + 1) >= needed;
}

bool HoldsSunRaster(Bytes b) {
    constexpr std::size_t kHeaderSize = 32;
    if (b.size() < kHeaderSize || Be32(b, 0) != 0x59A66A95) {
        return true;
    }
    const std::uint64_t width = Be32(b, 4);
    const std::uint64_t height = Be32(b, 8);
    const std::uint64_t bits = Be32(b, 12);
    const std::uint64_t dataLength = Be32(b, 16);
    const std::uint64_t type = Be32(b, 20);
    const std::uint64_t mapLength = Be32(b, 28);
    if (type > 3) {
        return true;
    }
    if (!WithinLimits(width, height) || bits > 32) {
        return false;
    }
    const std::uint64_t available = BytesAfter(b, kHeaderSize + mapLength);
    // Rows are padded to 16 bits.
    const std::uint64_t raw = height * CeilDiv(width * bits, 16) * 2;
    // Type 2 codes a run as 0x80, a count of up to 255 and the byte: up to 256
    // bytes in three.
    const std::uint64_t needed = type == 2 ? RunBytes(raw, 256, 3) : raw;
    return available >= needed && available >= dataLength;
}

}  // namespace

bool HoldsDeclaredPixels(const std::uint8_t* data, std::size_t length, ImageFormat format) {
    if (data == nullptr) {
        return true;
    }
    const Bytes bytes(data, length);
    switch (format) {
        case ImageFormat::Bmp:
            return HoldsBmp(bytes);
        case ImageFormat::Tga:
            return HoldsTga(bytes);
        case ImageFormat::Pcx:
            return HoldsPcx(bytes);
        case ImageFormat::Wbmp:
            return HoldsWbmp(bytes);
        case ImageFormat::Pnm:
            return HoldsPnm(bytes);
        case ImageFormat::Ras:
            return HoldsSunRaster(bytes);
        default:
            return true;
    }
}

}  // namespace image
