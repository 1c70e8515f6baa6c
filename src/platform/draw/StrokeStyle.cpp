#include "platform/draw/StrokeStyle.h"

#include <algorithm>
#include <cmath>

namespace draw {

namespace {

// Dash and gap lengths of the predefined styles for a one-pixel line.
std::vector<double> PredefinedDashes(int32_t style) {
    switch (style) {
        case PS_DASH:
            return {18, 6};
        case PS_DOT:
            return {3, 3};
        case PS_DASHDOT:
            return {9, 6, 3, 6};
        case PS_DASHDOTDOT:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

cairo_line_cap_t CapOf(uint32_t endCap) {
    switch (endCap) {
        case PS_ENDCAP_SQUARE:
            return CAIRO_LINE_CAP_SQUARE;
        case PS_ENDCAP_FLAT:
            return CAIRO_LINE_CAP_BUTT;
        default:
            return CAIRO_LINE_CAP_ROUND;
    }
}

cairo_line_join_t JoinOf(uint32_t join) {
    switch (join) {
        case PS_JOIN_BEVEL:
            return CAIRO_LINE_JOIN_BEVEL;
        case PS_JOIN_MITER:
            return CAIRO_LINE_JOIN_MITER;
        default:
            return CAIRO_LINE_JOIN_ROUND;
    }
}

}  // namespace

StrokeStyle StrokeStyle::For(const Pen& pen, double scale) {
    StrokeStyle style;
    style.cosmetic = !pen.geometric;
    double dashScale = 1;
    if (pen.geometric) {
        // Never thinner than a pixel.
        style.width = std::max(1.0, pen.width * std::fabs(scale));
        style.cap = CapOf(pen.endCap);
        style.join = JoinOf(pen.join);
        dashScale = pen.style == PS_USERSTYLE ? std::fabs(scale) : style.width;
    }
    if (pen.style == PS_USERSTYLE) {
        style.dashes.assign(pen.userStyle.begin(), pen.userStyle.end());
    } else {
        style.dashes = PredefinedDashes(pen.style);
    }
    for (double& d : style.dashes) {
        d *= dashScale;
    }
    if (std::all_of(style.dashes.begin(), style.dashes.end(), [](double d) { return d == 0; })) {
        style.dashes.clear();
    }
    return style;
}

void StrokeStyle::ApplyTo(cairo_t* cr) const {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, cap);
    cairo_set_line_join(cr, join);
    cairo_set_dash(cr, dashes.data(), int(dashes.size()), 0);
}

}  // namespace draw
