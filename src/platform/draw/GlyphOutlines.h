#pragma once

#include <string_view>
#include <vector>

#include "platform/draw/Font.h"

namespace draw {

struct OutlinePoint {
    double x = 0.0;
    double y = 0.0;
};

// One glyph of a text line as closed polygons (the last point joins the
// first), already moved to its place on the line. Contours keep the font's
// orientation: holes turn the other way round from the shapes around them.
struct GlyphOutline {
    std::vector<std::vector<OutlinePoint>> contours;
};

// The outlines of a line of text in em units: the baseline is y = 0, y
// points up and each glyph starts where the advance of the one before
// ended. Curves are cut into straight pieces that stray at most deviation
// from them. The face is the font's face name resolved through the
// program's face mapping; a character the face lacks comes from the first
// fallback face that has it. Only the face name, weight and italic flag of
// the font count: the size is always one em. Glyphs without outline (a
// space) give no entry but still advance. The text is UTF-8; a malformed
// byte stands for U+FFFD.
std::vector<GlyphOutline> OutlineText(const Font& font, std::string_view utf8, double deviation);

}  // namespace draw
