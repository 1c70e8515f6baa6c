#pragma once

#include "foundation/ArrowHeadStyle.h"
#include "foundation/Vector2D.h"

// A line with a head at each end, as the line and dimension shapes draw it.
struct ArrowLineStyle {
    CVector2D start;
    CVector2D end;
    ArrowHeadStyle startHead;
    ArrowHeadStyle endHead;

    ArrowLineStyle() = default;
    ArrowLineStyle(double x1, double y1, double x2, double y2) : start(x1, y1), end(x2, y2) {}

    ArrowLineStyle& Assign(const ArrowLineStyle& other) { return *this = other; }
};
