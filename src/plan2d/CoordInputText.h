#pragma once

#include <optional>
#include <string>
#include <string_view>

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

// Digits with at most one '.', and at least one digit: the numbers the box
// takes, read the same in every locale (no group separators, no exponent,
// no comma for the point).
bool IsCoordNumber(std::string_view text);

// An edit of the box after its text changed: a text that is not a number
// with at most one decimal, allowing a leading '-', loses characters from
// its end until it is one; the caret then selects from selectFrom to the end.
struct CoordTextRepair {
    std::string text;
    int selectFrom = 0;
};
// Nothing when the text stays as typed.
std::optional<CoordTextRepair> RepairCoordText(std::string_view text);
