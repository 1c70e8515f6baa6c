#include "foundation/DibLayout.h"

#include <bit>

#include "platform/image/Raster.h"

namespace {

constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kMaskBytes = 12;

uint16_t U16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

bool ValidFormat(uint16_t bitCount, uint32_t compression) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
            return compression == DibLayout::BI_RGB;
        case 16:
        case 32:
            return compression == DibLayout::BI_RGB || compression == DibLayout::BI_BITFIELDS;
        default:
            return false;
    }
}

// One colour channel of a pixel through its mask, widened to 0..255.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const uint64_t top = mask >> shift;
    const uint64_t value = (pixel & mask) >> shift;
    return uint8_t((value * 255 + top / 2) / top);
}

}  // namespace

std::optional<DibLayout> DibLayout::Read(std::span<const uint8_t> dib) {
    if (dib.size() < kInfoHeaderSize) {
        return std::nullopt;
    }
    const uint8_t* p = dib.data();
    DibLayout layout;
    layout.headerSize = U32(p);
    layout.width = int32_t(U32(p + 4));
    layout.height = int32_t(U32(p + 8));
    layout.bitCount = U16(p + 14);
    layout.compression = U32(p + 16);
    const uint32_t clrUsed = U32(p + 32);
    if (layout.headerSize < kInfoHeaderSize || layout.headerSize > dib.size() ||
        layout.width <= 0 || layout.height == 0 || layout.height == INT32_MIN ||
        !ValidFormat(layout.bitCount, layout.compression)) {
        return std::nullopt;
    }
    // Rows that are not blit-ready become 32 bits a pixel, 32 times the bytes
    // of a 1-bit block: the same pixel limit as every other image applies.
    if (!image::IsAcceptableSize(layout.width, layout.Rows())) {
        return std::nullopt;
    }

    // Masks follow a plain info header; the larger headers hold them.
    uint64_t offset = layout.headerSize;
    if (layout.compression == BI_BITFIELDS) {
        if (layout.headerSize == kInfoHeaderSize) {
            offset += kMaskBytes;
        }
        if (offset < kInfoHeaderSize + kMaskBytes || offset > dib.size()) {
            return std::nullopt;
        }
        const uint8_t* m = p + kInfoHeaderSize;
        layout.masks = {U32(m), U32(m + 4), U32(m + 8)};
    } else if (layout.bitCount == 16) {
        layout.masks = {0x7C00, 0x03E0, 0x001F};
    }

    layout.colourCount =
        clrUsed != 0 ? clrUsed : (layout.bitCount <= 8 ? 1u << layout.bitCount : 0);
    layout.colourTableOffset = size_t(offset);
    offset += uint64_t(layout.colourCount) * 4;
    if (offset > dib.size()) {
        return std::nullopt;
    }
    layout.pixelOffset = size_t(offset);

    layout.stride = ((uint64_t(layout.width) * layout.bitCount + 31) / 32) * 4;
    if (uint64_t(layout.Rows()) > (dib.size() - layout.pixelOffset) / layout.stride) {
        return std::nullopt;
    }
    return layout;
}

bool DibLayout::IsBlitReady() const {
    if (compression == BI_RGB) {
        return bitCount == 24 || bitCount == 32;
    }
    return bitCount == 32 && masks == std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
}

std::vector<uint8_t> DibLayout::ToBlitRows(std::span<const uint8_t> dib) const {
    const size_t outStride = size_t(width) * 4;
    std::vector<uint8_t> out(outStride * size_t(Rows()));
    const uint8_t* table = dib.data() + colourTableOffset;
    for (int32_t row = 0; row < Rows(); ++row) {
        const uint8_t* in = dib.data() + pixelOffset + size_t(row) * stride;
        uint8_t* o = out.data() + size_t(row) * outStride;
        for (int32_t x = 0; x < width; ++x, o += 4) {
            if (bitCount <= 8) {
                const size_t bit = size_t(x) * bitCount;
                const uint32_t index =
                    (in[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
                // An index past a short colour table draws black.
                if (index < colourCount) {
                    const uint8_t* entry = table + size_t(index) * 4;
                    o[0] = entry[0];
                    o[1] = entry[1];
                    o[2] = entry[2];
                }
                continue;
            }
            const uint32_t pixel =
                bitCount == 16 ? U16(in + size_t(x) * 2) : U32(in + size_t(x) * 4);
            o[0] = Channel(pixel, masks[2]);
            o[1] = Channel(pixel, masks[1]);
            o[2] = Channel(pixel, masks[0]);
        }
    }
    return out;
}
