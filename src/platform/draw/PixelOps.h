#pragma once

#include <cstdint>

#include "platform/draw/DrawTypes.h"

namespace draw {

// An opaque cairo pixel (0xAARRGGBB, premultiplied) of a colour.
constexpr uint32_t PixelFromColor(COLORREF c) {
    return 0xFF000000u | (uint32_t(RedOf(c)) << 16) | (uint32_t(GreenOf(c)) << 8) | BlueOf(c);
}

constexpr COLORREF ColorFromPixel(uint32_t pixel) {
    return Rgb(uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel));
}

// The binary raster operation on every colour bit of pen and destination:
// the result bit for pen bit P and destination bit D is bit (2 P + D) of
// (rop2 - 1). Both values in the same channel order; the top byte is kept
// from the destination.
constexpr uint32_t ApplyRop2(int32_t rop2, uint32_t pen, uint32_t dest) {
    const auto table = uint32_t(rop2 - 1);
    const uint32_t p = pen & 0xFFFFFF;
    const uint32_t d = dest & 0xFFFFFF;
    uint32_t result = 0;
    if (table & 1) {
        result |= ~p & ~d;
    }
    if (table & 2) {
        result |= ~p & d;
    }
    if (table & 4) {
        result |= p & ~d;
    }
    if (table & 8) {
        result |= p & d;
    }
    return (dest & 0xFF000000u) | (result & 0xFFFFFF);
}

static_assert(ApplyRop2(R2_XORPEN, 0x00FF00, 0xFF0F0F0F) == 0xFF0FF00F);
static_assert(ApplyRop2(R2_COPYPEN, 0x123456, 0xFF000000) == 0xFF123456);
static_assert(ApplyRop2(R2_NOT, 0x123456, 0xFF0000FF) == 0xFFFFFF00);
static_assert(ApplyRop2(R2_NOP, 0x123456, 0xFF00FF00) == 0xFF00FF00);

}  // namespace draw
