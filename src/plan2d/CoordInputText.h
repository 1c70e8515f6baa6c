#pragma once

#include <string>

#include "foundation/WinTypes.h"

// What the two edits of the coordinate entry box show.
struct CoordInputText {
    std::string first;
    std::string second;
};

// The cursor's logical x and y.
CoordInputText FormatCoordPoint(const POINT& point);

// Length and angle of the segment from the last outline point to the cursor,
// both logical; the angle is folded into 0..180 degrees, so a segment and its
// mirror image across the x axis read alike.
CoordInputText FormatCoordSegment(const POINT& cursor, const POINT& last);

// Digits (also on the numeric pad) and Tab start typing into the box.
bool IsCoordEntryKey(int virtualKey);
