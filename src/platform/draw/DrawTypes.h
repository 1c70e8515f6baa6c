#pragma once

#include <algorithm>
#include <cstdint>

// Value types and constants of the plan drawing context. The constants keep
// the numbers of the Windows drawing interface because design files and
// settings store them (pen styles, hatch indexes, font weights, raster ops).
namespace draw {

// 0x00BBGGRR.
using COLORREF = uint32_t;
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr COLORREF Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr uint8_t RedOf(COLORREF c) {
    return uint8_t(c & 0xFF);
}
constexpr uint8_t GreenOf(COLORREF c) {
    return uint8_t((c >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(COLORREF c) {
    return uint8_t((c >> 16) & 0xFF);
}

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int32_t cx = 0;
    int32_t cy = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const Rect&) const = default;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // The part both cover; empty when they do not meet.
    Rect Intersect(const Rect& other) const {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
};

// Pen styles (the low bits of a pen style) and the extended pen bits.
inline constexpr int32_t PS_SOLID = 0;
inline constexpr int32_t PS_DASH = 1;
inline constexpr int32_t PS_DOT = 2;
inline constexpr int32_t PS_DASHDOT = 3;
inline constexpr int32_t PS_DASHDOTDOT = 4;
inline constexpr int32_t PS_NULL = 5;
inline constexpr int32_t PS_USERSTYLE = 7;
inline constexpr uint32_t PS_STYLE_MASK = 0x0000000F;
inline constexpr uint32_t PS_ENDCAP_ROUND = 0x00000000;
inline constexpr uint32_t PS_ENDCAP_SQUARE = 0x00000100;
inline constexpr uint32_t PS_ENDCAP_FLAT = 0x00000200;
inline constexpr uint32_t PS_ENDCAP_MASK = 0x00000F00;
inline constexpr uint32_t PS_JOIN_ROUND = 0x00000000;
inline constexpr uint32_t PS_JOIN_BEVEL = 0x00001000;
inline constexpr uint32_t PS_JOIN_MITER = 0x00002000;
inline constexpr uint32_t PS_JOIN_MASK = 0x0000F000;
inline constexpr uint32_t PS_COSMETIC = 0x00000000;
inline constexpr uint32_t PS_GEOMETRIC = 0x00010000;
inline constexpr uint32_t PS_TYPE_MASK = 0x000F0000;

// Brush styles and hatch styles.
inline constexpr int32_t BS_SOLID = 0;
inline constexpr int32_t BS_NULL = 1;
inline constexpr int32_t BS_HATCHED = 2;
inline constexpr int32_t BS_PATTERN = 3;
inline constexpr int32_t HS_HORIZONTAL = 0;
inline constexpr int32_t HS_VERTICAL = 1;
inline constexpr int32_t HS_FDIAGONAL = 2;
inline constexpr int32_t HS_BDIAGONAL = 3;
inline constexpr int32_t HS_CROSS = 4;
inline constexpr int32_t HS_DIAGCROSS = 5;

// Stock objects.
inline constexpr int32_t WHITE_BRUSH = 0;
inline constexpr int32_t LTGRAY_BRUSH = 1;
inline constexpr int32_t GRAY_BRUSH = 2;
inline constexpr int32_t DKGRAY_BRUSH = 3;
inline constexpr int32_t BLACK_BRUSH = 4;
inline constexpr int32_t NULL_BRUSH = 5;
inline constexpr int32_t WHITE_PEN = 6;
inline constexpr int32_t BLACK_PEN = 7;
inline constexpr int32_t NULL_PEN = 8;

// Binary raster operations: the result for pen bit P and destination bit D
// is bit (2 P + D) of (code - 1).
inline constexpr int32_t R2_BLACK = 1;
inline constexpr int32_t R2_NOT = 6;
inline constexpr int32_t R2_XORPEN = 7;
inline constexpr int32_t R2_NOP = 11;
inline constexpr int32_t R2_COPYPEN = 13;
inline constexpr int32_t R2_WHITE = 16;

inline constexpr int32_t TRANSPARENT = 1;
inline constexpr int32_t OPAQUE = 2;

inline constexpr int32_t AD_COUNTERCLOCKWISE = 1;
inline constexpr int32_t AD_CLOCKWISE = 2;

inline constexpr int32_t MM_TEXT = 1;
inline constexpr int32_t MM_ISOTROPIC = 7;
inline constexpr int32_t MM_ANISOTROPIC = 8;

inline constexpr uint32_t TA_LEFT = 0;
inline constexpr uint32_t TA_RIGHT = 2;
inline constexpr uint32_t TA_CENTER = 6;
inline constexpr uint32_t TA_TOP = 0;
inline constexpr uint32_t TA_BOTTOM = 8;
inline constexpr uint32_t TA_BASELINE = 24;

inline constexpr int32_t FW_NORMAL = 400;

inline constexpr int32_t BLACKONWHITE = 1;
inline constexpr int32_t HALFTONE = 4;

// Clip results.
inline constexpr int32_t NULLREGION = 1;
inline constexpr int32_t SIMPLEREGION = 2;

// Device capability indexes.
inline constexpr int32_t HORZRES = 8;
inline constexpr int32_t VERTRES = 10;
inline constexpr int32_t LOGPIXELSX = 88;
inline constexpr int32_t LOGPIXELSY = 90;

}  // namespace draw
