#include "platform/draw/Pen.h"

namespace draw {

Pen Pen::Create(int32_t style, int32_t width, COLORREF color) {
    Pen pen;
    pen.color = color;
    pen.style = (style >= PS_SOLID && style <= PS_NULL) ? style : PS_SOLID;
    if (width > 0) {
        pen.geometric = true;
        pen.width = width;
        if (width > 1 && pen.style != PS_NULL) {
            pen.style = PS_SOLID;
        }
    }
    return pen;
}

Pen Pen::CreateExt(uint32_t penStyle, int32_t width, COLORREF color,
                   std::span<const uint32_t> userStyle) {
    Pen pen;
    pen.color = color;
    const auto style = int32_t(penStyle & PS_STYLE_MASK);
    pen.style = (style <= PS_NULL || style == PS_USERSTYLE) ? style : PS_SOLID;
    pen.geometric = (penStyle & PS_TYPE_MASK) == PS_GEOMETRIC;
    pen.width = pen.geometric ? (width > 0 ? width : 1) : 0;
    pen.endCap = penStyle & PS_ENDCAP_MASK;
    pen.join = penStyle & PS_JOIN_MASK;
    if (pen.style == PS_USERSTYLE) {
        pen.userStyle.assign(userStyle.begin(), userStyle.end());
    }
    return pen;
}

Pen Pen::Stock(int32_t index) {
    switch (index) {
        case WHITE_PEN:
            return Create(PS_SOLID, 0, Rgb(255, 255, 255));
        case NULL_PEN:
            return Create(PS_NULL, 0, 0);
        default:
            return Create(PS_SOLID, 0, 0);
    }
}

}  // namespace draw
