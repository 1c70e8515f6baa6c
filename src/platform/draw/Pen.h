#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/draw/DrawTypes.h"

namespace draw {

// A pen as the drawing context holds it. A cosmetic pen is one device pixel
// wide whatever the mapping and its dashes are in device pixels; a geometric
// pen's width and user dashes are logical units that the mapping scales.
struct Pen {
    int32_t style = PS_SOLID;  // PS_SOLID .. PS_NULL, or PS_USERSTYLE
    bool geometric = false;
    int32_t width = 0;  // logical units; 0 for a cosmetic pen
    COLORREF color = 0;
    uint32_t endCap = PS_ENDCAP_ROUND;
    uint32_t join = PS_JOIN_ROUND;
    std::vector<uint32_t> userStyle;  // dash, gap, dash, ... for PS_USERSTYLE

    // The simple pen constructor: width 0 gives a cosmetic pen; a wider pen
    // is geometric with round ends and joins, and is solid when wider than 1.
    static Pen Create(int32_t style, int32_t width, COLORREF color);
    // The extended constructor with a solid colour: penStyle combines the
    // style, the type (PS_COSMETIC/PS_GEOMETRIC), the end cap and the join.
    static Pen CreateExt(uint32_t penStyle, int32_t width, COLORREF color,
                         std::span<const uint32_t> userStyle = {});
    // WHITE_PEN, BLACK_PEN or NULL_PEN.
    static Pen Stock(int32_t index);

    bool operator==(const Pen&) const = default;
};

}  // namespace draw
