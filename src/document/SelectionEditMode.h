#pragma once

#include <cstdint>

// What a selection holds, as the scene counts it: models, photos and lights
// count through their plan symbols (codes 16, 17, 18), so the count and the
// mask leave out codes 0, 2 and 4.
struct SelectionSummary {
    int count = 0;
    // Bit (1 << code) for each code with a selected object; bit 19 for the
    // base drawing.
    uint32_t typeMask = 0;
    int chains = 0;
    // Of the selected lines, those drawn with arrow heads; of the selected
    // circles, the full circles and ellipses.
    int linesWithHeads = 0;
    int lines = 0;
    int fullCircles = 0;
    int circles = 0;
};

// The edit mode a selection puts the document in: one object of a kind, several
// of it, or one of the mixed modes.
int SelectionEditMode(const SelectionSummary& summary);
