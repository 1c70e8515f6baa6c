#include <gtest/gtest.h>

#include <cstdlib>

#include "PixelTestUtil.h"
#include "platform/draw/ImageDrawContext.h"
#include "platform/draw/RecordingDrawContext.h"

namespace draw {
namespace {

using test::CountPixels;
using test::FillWith;
using test::InkBox;

constexpr COLORREF kWhite = Rgb(255, 255, 255);
constexpr COLORREF kRed = Rgb(255, 0, 0);

Font MakeFont(const char* face, int32_t height, int32_t escapement = 0) {
    Font font;
    font.faceName = face;
    font.height = height;
    font.escapement = escapement;
    return font;
}

TEST(TextTest, ChineseTextDrawsInsideItsExtent) {
    ImageDrawContext dc(300, 100);
    FillWith(dc, kWhite);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectFont(MakeFont("Arial", -32));
    const Size extent = dc.GetTextExtent("室內設計");
    // Four full-width characters of a 32-pixel em.
    EXPECT_NEAR(extent.cx, 128, 4);
    EXPECT_EQ(extent.cy, dc.GetTextMetrics().height);

    dc.TextOut(10, 20, "室內設計");
    const Rect ink = InkBox(dc, kWhite);
    EXPECT_GT(CountPixels(dc, ink, [](COLORREF p) { return p != kWhite; }), 300);
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.right, 10 + extent.cx + 1);
    EXPECT_LE(ink.bottom, 20 + extent.cy + 1);
    EXPECT_GT(ink.Width(), 100) << "every character drew, none fell back to nothing";
}

TEST(TextTest, OpaqueBackgroundFillsTheTextCell) {
    ImageDrawContext dc(200, 60);
    FillWith(dc, kRed);
    dc.SetBkColor(kWhite);
    dc.SelectFont(MakeFont("Arial", 20));
    dc.TextOut(10, 10, "Plan 公尺");
    const Size extent = dc.GetTextExtent("Plan 公尺");
    const Rect inner{11, 11, 10 + extent.cx - 1, 10 + extent.cy - 1};
    EXPECT_EQ(CountPixels(dc, inner, [](COLORREF p) { return p == kRed; }), 0);
    EXPECT_EQ(dc.GetPixel(10 + extent.cx + 1, 15), kRed);
}

TEST(TextTest, EscapementTurnsTextCounterClockwise) {
    ImageDrawContext dc(200, 200);
    FillWith(dc, kWhite);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    dc.SelectFont(MakeFont("Arial", -24, 900));
    dc.TextOut(100, 180, "HHHHHH");
    const Rect ink = InkBox(dc, kWhite);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), 3 * ink.Width()) << "reads upwards";
    EXPECT_LE(ink.bottom, 181) << "starts at the reference point and goes up";
    EXPECT_LE(ink.right, 101) << "the letters stand on the baseline, tops to the left";
    EXPECT_GE(ink.left, 100 - 24);
}

TEST(TextTest, AlignmentPlacesTheReferencePoint) {
    struct Case {
        uint32_t align;
        int32_t expectedCentreX;  // relative to the reference point
        bool inkAbove;            // the glyphs end at the reference line
    };
    const Case cases[] = {
        {TA_CENTER | TA_BASELINE, 0, true},
        {TA_RIGHT | TA_BOTTOM, -1, true},
        {TA_LEFT | TA_TOP, 1, false},
    };
    for (const Case& c : cases) {
        ImageDrawContext dc(300, 120);
        FillWith(dc, kWhite);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(c.align);
        dc.SelectFont(MakeFont("Arial", -30));
        dc.TextOut(150, 60, "HHHH");
        const Rect ink = InkBox(dc, kWhite);
        const int32_t centre = (ink.left + ink.right) / 2 - 150;
        if (c.expectedCentreX == 0) {
            EXPECT_NEAR(centre, 0, 2) << c.align;
        } else {
            EXPECT_EQ(centre > 0, c.expectedCentreX > 0) << c.align;
        }
        EXPECT_EQ(ink.bottom <= 61, c.inkAbove) << c.align;
        EXPECT_EQ(ink.top >= 60, !c.inkAbove) << c.align;
    }
}

TEST(TextTest, FontHeightFollowsTheSignRuleInLogicalUnits) {
    RecordingDrawContext dc;
    dc.SelectFont(MakeFont("Arial", 40));
    EXPECT_NEAR(dc.GetTextMetrics().height, 40, 1) << "positive: the cell height";
    dc.SelectFont(MakeFont("Arial", -40));
    const TextMetrics em = dc.GetTextMetrics();
    EXPECT_GT(em.height, 42) << "negative: the character height, the cell is taller";
    const Size extent = dc.GetTextExtent("HHHH");

    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(25, 25);
    EXPECT_NEAR(dc.GetTextMetrics().height, em.height, 1);
    EXPECT_NEAR(dc.GetTextExtent("HHHH").cx, extent.cx, 1);
}

}  // namespace
}  // namespace draw
