#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/draw/DrawTypes.h"

// The style every new plan shape takes from the active document: eight 32-bit
// words, the two zero words included.
struct DrawingStyle {
    int32_t penStyle = 0;
    int32_t penWidth = 0;
    draw::COLORREF color = 0;
    int32_t reserved0 = 0;
    double floorHeight = 0.0;  // the current floor's level
    int32_t arrowHeadKind = 0;
    int32_t reserved1 = 0;
};

static_assert(sizeof(DrawingStyle) == 32);
static_assert(offsetof(DrawingStyle, floorHeight) == 16);
