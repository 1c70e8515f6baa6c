#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Where the parts of a packed DIB lie (info header, optional colour masks,
// colour table, pixels) and how its pixels read. The header is read field by
// field at its little-endian offsets. Only uncompressed DIBs are taken:
// BI_RGB at 1, 4, 8, 16, 24 or 32 bits per pixel and BI_BITFIELDS at 16 or
// 32; a negative height means top-down rows.
struct DibLayout {
    static constexpr uint32_t BI_RGB = 0;
    static constexpr uint32_t BI_BITFIELDS = 3;

    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0;
    uint32_t compression = BI_RGB;
    uint32_t colourCount = 0;         // colour table entries
    size_t colourTableOffset = 0;     // after the header and any masks
    size_t pixelOffset = 0;           // after the header, masks and colour table
    size_t stride = 0;                // bytes per stored row, padded to four
    std::array<uint32_t, 3> masks{};  // red, green, blue: bitfields and 16-bit rows

    int32_t Rows() const { return height < 0 ? -height : height; }

    // The layout of the block, or none when the block is not such a DIB, its
    // size is beyond the image layer's limits, or any part of it, the pixels
    // included, would lie beyond its end.
    static std::optional<DibLayout> Read(std::span<const uint8_t> dib);

    // Whether the stored rows are already 24-bit BGR or 32-bit BGRX rows
    // that a blit takes as they are.
    bool IsBlitReady() const;

    // The pixels of a DIB that is not blit-ready (1, 4, 8 or 16 bits, or
    // other masks) as 32-bit BGRX rows in the stored row order.
    std::vector<uint8_t> ToBlitRows(std::span<const uint8_t> dib) const;
};
