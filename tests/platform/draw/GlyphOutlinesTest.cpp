#include "platform/draw/GlyphOutlines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace {

draw::Font Face(const char* name) {
    draw::Font font;
    font.faceName = name;
    return font;
}

double MinX(const draw::GlyphOutline& glyph) {
    double least = 1e9;
    for (const auto& contour : glyph.contours) {
        for (const draw::OutlinePoint& point : contour) {
            least = std::min(least, point.x);
        }
    }
    return least;
}

std::size_t PointCount(const std::vector<draw::GlyphOutline>& glyphs) {
    std::size_t count = 0;
    for (const draw::GlyphOutline& glyph : glyphs) {
        for (const auto& contour : glyph.contours) {
            count += contour.size();
        }
    }
    return count;
}

TEST(GlyphOutlinesTest, GlyphsWithoutOutlineAdvanceButGiveNoEntry) {
    struct Case {
        std::string text;
        std::size_t glyphs;
    };
    // The Han character comes from the Chinese fallback of a Latin face; a
    // malformed byte draws as the replacement character's glyph.
    for (const Case& c :
         {Case{"", 0}, Case{"   ", 0}, Case{"A B", 2}, Case{"許A", 2}, Case{"\xFF", 1}}) {
        EXPECT_EQ(draw::OutlineText(Face("Times New Roman"), c.text, 0.001).size(), c.glyphs)
            << c.text;
    }
    const std::vector<draw::GlyphOutline> spaced =
        draw::OutlineText(Face("Times New Roman"), "I  I", 0.001);
    const std::vector<draw::GlyphOutline> close =
        draw::OutlineText(Face("Times New Roman"), "II", 0.001);
    ASSERT_EQ(spaced.size(), 2u);
    ASSERT_EQ(close.size(), 2u);
    EXPECT_GT(MinX(spaced[1]) - MinX(close[1]), 0.3);
}

TEST(GlyphOutlinesTest, OutlinesAreInEmUnitsOnTheBaseline) {
    const std::vector<draw::GlyphOutline> glyphs = draw::OutlineText(Face("Arial"), "H", 0.001);
    ASSERT_EQ(glyphs.size(), 1u);
    double low = 1e9;
    double high = -1e9;
    for (const auto& contour : glyphs[0].contours) {
        EXPECT_GE(contour.size(), 3u);
        for (const draw::OutlinePoint& point : contour) {
            low = std::min(low, point.y);
            high = std::max(high, point.y);
        }
    }
    // A capital stands on the baseline and reaches most of an em.
    EXPECT_NEAR(low, 0.0, 0.01);
    EXPECT_GT(high, 0.6);
    EXPECT_LT(high, 1.0);
}

TEST(GlyphOutlinesTest, SmallerDeviationCutsCurvesFiner) {
    const draw::Font font = Face("Times New Roman");
    const std::size_t coarse = PointCount(draw::OutlineText(font, "O", 0.01));
    const std::size_t fine = PointCount(draw::OutlineText(font, "O", 0.0001));
    EXPECT_GT(coarse, 8u);
    EXPECT_GT(fine, 2 * coarse);
}

}  // namespace
