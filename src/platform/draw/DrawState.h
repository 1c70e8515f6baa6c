#pragma once

#include <cstdint>
#include <optional>

#include "platform/draw/Brush.h"
#include "platform/draw/DrawTypes.h"
#include "platform/draw/Font.h"
#include "platform/draw/Mapping.h"
#include "platform/draw/Pen.h"

namespace draw {

// Everything SaveDC keeps: the selected objects, colours, modes, mapping,
// clip and current position. The defaults are those of a fresh context.
struct DrawState {
    Pen pen = Pen::Stock(BLACK_PEN);
    Brush brush = Brush::Stock(WHITE_BRUSH);
    Font font;
    COLORREF textColor = 0;
    COLORREF bkColor = Rgb(255, 255, 255);
    int32_t bkMode = OPAQUE;
    int32_t rop2 = R2_COPYPEN;
    int32_t arcDirection = AD_COUNTERCLOCKWISE;
    int32_t stretchBltMode = BLACKONWHITE;
    uint32_t textAlign = TA_LEFT | TA_TOP;
    Mapping mapping;
    std::optional<Rect> clip;  // device pixels; none: the whole device
    Point currentPosition;     // logical

    bool operator==(const DrawState&) const = default;
};

}  // namespace draw
