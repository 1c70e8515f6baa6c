#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/draw/DrawTypes.h"

namespace draw {

// A one-bit-per-pixel pattern, rows top-down, most significant bit first.
// Drawn as a brush, 0 bits take the text colour and 1 bits the background
// colour of the context.
struct MonoPattern {
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;  // bytes per row
    std::vector<uint8_t> bits;

    bool BitAt(int32_t x, int32_t y) const {
        return (bits[size_t(y) * size_t(stride) + size_t(x / 8)] >> (7 - x % 8)) & 1;
    }
    bool operator==(const MonoPattern&) const = default;
};

struct Brush {
    int32_t style = BS_SOLID;
    COLORREF color = Rgb(255, 255, 255);
    int32_t hatch = HS_HORIZONTAL;
    std::shared_ptr<const MonoPattern> pattern;  // BS_PATTERN only

    static Brush Solid(COLORREF color);
    static Brush Hatched(int32_t hatch, COLORREF color);
    static Brush Null();
    // Null (an empty pattern) when the pattern has no pixels or too few bits.
    static Brush Pattern(MonoPattern pattern);
    // WHITE_BRUSH .. NULL_BRUSH.
    static Brush Stock(int32_t index);

    bool operator==(const Brush& other) const;
};

}  // namespace draw
