#pragma once

#include <cstdint>
#include <string>

#include "platform/draw/DrawTypes.h"

namespace draw {

// The logical font description the drawing context selects: the parts of a
// LOGFONT that change how text is drawn.
struct Font {
    // Logical units. Negative: the character (em) height; positive: the cell
    // height (ascent + descent); 0: a default cell of 16 device pixels.
    int32_t height = 0;
    // Direction of the baseline in tenths of a degree, counter-clockwise as
    // seen on the device.
    int32_t escapement = 0;
    int32_t weight = FW_NORMAL;  // 0 means FW_NORMAL
    bool italic = false;
    bool underline = false;
    std::string faceName;  // UTF-8; empty picks the default sans face

    bool operator==(const Font&) const = default;
};

// Metrics of the selected font, in logical units.
struct TextMetrics {
    int32_t height = 0;  // ascent + descent
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t externalLeading = 0;
};

}  // namespace draw
