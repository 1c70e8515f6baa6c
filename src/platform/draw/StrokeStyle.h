#pragma once

#include <cairo.h>

#include <vector>

#include "platform/draw/Pen.h"

namespace draw {

// A pen resolved to device pixels for cairo.
struct StrokeStyle {
    double width = 1;
    cairo_line_cap_t cap = CAIRO_LINE_CAP_BUTT;
    cairo_line_join_t join = CAIRO_LINE_JOIN_MITER;
    std::vector<double> dashes;  // empty: solid
    bool cosmetic = true;

    // scale: device pixels per logical unit.
    static StrokeStyle For(const Pen& pen, double scale);
    void ApplyTo(cairo_t* cr) const;
};

}  // namespace draw
