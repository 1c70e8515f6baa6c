#pragma once

#include <cstddef>
#include <cstdint>

// One arrow head of a plan line or dimension. A bar extent of 0 means the
// head's half-width, length x tan(angle).
struct ArrowHeadStyle {
    double length = 10.0;
    double angle = 20.0;  // degrees
    int32_t kind = 0;     // 0 none, 1..6 head shapes
    double barExtentA = 0.0;
    double barExtentB = 0.0;
};

static_assert(sizeof(ArrowHeadStyle) == 40);
static_assert(offsetof(ArrowHeadStyle, barExtentA) == 24);
