#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "PixelTestUtil.h"
#include "platform/draw/ImageDrawContext.h"

namespace draw {
namespace {

using test::CountPixels;
using test::FillWith;
using test::InkBox;
using test::RunsAlongRow;

constexpr COLORREF kWhite = Rgb(255, 255, 255);
constexpr COLORREF kBlack = Rgb(0, 0, 0);
constexpr COLORREF kRed = Rgb(255, 0, 0);

std::vector<uint8_t> Snapshot(const ImageDrawContext& dc) {
    const uint8_t* data = dc.Data();
    return {data, data + size_t(dc.Stride()) * size_t(dc.Height())};
}

// Stripes, bands, a hatch and scattered pixels, so that no XOR result can
// pass by accident on a flat colour.
void PaintBusyBackground(ImageDrawContext& dc) {
    for (int32_t x = 0; x < dc.Width(); ++x) {
        dc.FillRect({x, 0, x + 1, dc.Height()},
                    Brush::Solid(Rgb(uint8_t(x * 7), uint8_t(255 - x * 3), uint8_t(x * 13))));
    }
    dc.SetBkColor(Rgb(10, 200, 90));
    dc.FillRect({0, 40, dc.Width(), 90}, Brush::Hatched(HS_DIAGCROSS, Rgb(250, 250, 0)));
    for (int32_t i = 0; i < 400; ++i) {
        dc.SetPixel((i * 37) % dc.Width(), (i * 53) % dc.Height(), Rgb(uint8_t(i), 0, 255));
    }
}

TEST(ImageDrawContextTest, XorPreviewDrawnTwiceLeavesBackBufferUnchanged) {
    ImageDrawContext dc(200, 150);
    PaintBusyBackground(dc);
    const std::vector<uint8_t> before = Snapshot(dc);

    auto drawPreview = [&dc] {
        dc.SetROP2(R2_XORPEN);
        dc.SelectBrush(Brush::Null());
        dc.SelectPen(Pen::Create(PS_SOLID, 0, Rgb(32, 64, 128)));
        dc.MoveTo(5, 140);
        dc.LineTo(190, 7);
        dc.SelectPen(Pen::CreateExt(PS_GEOMETRIC | PS_ENDCAP_SQUARE, 5, Rgb(0, 255, 255)));
        dc.Rectangle(20, 15, 120, 100);
        dc.SetBkColor(Rgb(0x12, 0x34, 0x56));  // dotted gaps are XORed with it
        dc.SelectPen(Pen::Create(PS_DOT, 0, Rgb(200, 10, 10)));
        dc.Ellipse(60, 30, 185, 145);
        dc.SelectBrush(Brush::Hatched(HS_CROSS, Rgb(90, 90, 255)));
        const Point triangle[] = {{100, 5}, {160, 70}, {40, 70}};
        dc.Polygon(triangle);
    };
    drawPreview();
    EXPECT_NE(Snapshot(dc), before);
    drawPreview();
    EXPECT_EQ(Snapshot(dc), before);
}

TEST(ImageDrawContextTest, XorRectangleOfFourLinesCoversEveryOutlinePixelOnce) {
    // Each LineTo leaves out its last pixel, so each corner is XORed once:
    // no corner is missing and none cancels itself out.
    ImageDrawContext dc(64, 64);
    FillWith(dc, kBlack);
    const COLORREF pen = Rgb(0, 255, 255);
    dc.SetROP2(R2_XORPEN);
    dc.SelectPen(Pen::Create(PS_SOLID, 0, pen));
    dc.MoveTo(10, 10);
    dc.LineTo(50, 10);
    dc.LineTo(50, 40);
    dc.LineTo(10, 40);
    dc.LineTo(10, 10);
    const auto onOutline = [](int32_t x, int32_t y) {
        return ((y == 10 || y == 40) && x >= 10 && x <= 50) ||
               ((x == 10 || x == 50) && y >= 10 && y <= 40);
    };
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            ASSERT_EQ(dc.GetPixel(x, y), onOutline(x, y) ? pen : kBlack) << x << "," << y;
        }
    }
}

TEST(ImageDrawContextTest, FiguresKeepTheWindowsPixelConventions) {
    struct Case {
        const char* what;
        Point inside;
        Point outside;
    };
    ImageDrawContext dc(80, 80);
    FillWith(dc, kWhite);
    dc.SelectBrush(Brush::Null());
    dc.MoveTo(0, 0);
    dc.LineTo(10, 0);
    dc.MoveTo(10, 2);
    dc.LineTo(0, 2);
    dc.MoveTo(0, 4);
    dc.LineTo(5, 9);
    dc.Rectangle(20, 20, 30, 30);
    dc.Ellipse(40, 0, 51, 11);
    dc.SelectPen(Pen::Stock(NULL_PEN));
    dc.SelectBrush(Brush::Solid(kBlack));
    dc.Rectangle(20, 40, 30, 50);
    const Case cases[] = {
        {"line to the right: first pixel", {0, 0}, {10, 0}},
        {"line to the right: last pixel left out", {9, 0}, {10, 0}},
        {"line to the left: first pixel", {10, 2}, {0, 2}},
        {"line to the left: last pixel left out", {1, 2}, {0, 2}},
        {"diagonal: one pixel per step", {4, 8}, {5, 9}},
        {"diagonal: no thickening", {2, 6}, {3, 6}},
        {"rectangle: right edge inside the box", {29, 25}, {30, 25}},
        {"rectangle: bottom edge inside the box", {25, 29}, {25, 30}},
        {"rectangle: no fill with a null brush", {20, 20}, {25, 25}},
        {"ellipse: rightmost pixel inside the box", {50, 5}, {51, 5}},
        {"ellipse: leftmost pixel on the box", {40, 5}, {39, 5}},
        {"rectangle without pen: one pixel smaller", {28, 48}, {29, 48}},
        {"rectangle without pen: from the top left", {20, 40}, {19, 40}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dc.GetPixel(c.inside.x, c.inside.y), kBlack) << c.what;
        EXPECT_EQ(dc.GetPixel(c.outside.x, c.outside.y), kWhite) << c.what;
    }
}

TEST(ImageDrawContextTest, CosmeticPenStaysOnePixelWhileGeometricPenScales) {
    struct Case {
        const char* what;
        Pen pen;
        int expectedRows;
    };
    const Case cases[] = {
        {"cosmetic", Pen::Create(PS_SOLID, 0, kBlack), 1},
        {"cosmetic dashed", Pen::Create(PS_DASH, 0, kBlack), 1},
        {"simple pen of width 2", Pen::Create(PS_SOLID, 2, kBlack), 8},
        {"geometric flat width 3", Pen::CreateExt(PS_GEOMETRIC | PS_ENDCAP_FLAT, 3, kBlack), 12},
    };
    for (const Case& c : cases) {
        ImageDrawContext dc(100, 100);
        FillWith(dc, kWhite);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1, 1);
        dc.SetViewportExt(4, 4);
        dc.SelectPen(c.pen);
        dc.MoveTo(2, 10);
        dc.LineTo(20, 10);
        const int rows = CountPixels(dc, {10, 0, 11, 100}, [](COLORREF p) { return p == kBlack; });
        EXPECT_EQ(rows, c.expectedRows) << c.what;
    }
}

TEST(ImageDrawContextTest, DashedPensLeaveGapsWhereExpected) {
    struct Case {
        const char* what;
        Pen pen;
        int scale;
        std::vector<int> runs;  // ink, gap, ink, gap, ink from x = 0
    };
    const uint32_t dash[] = {51, 21};
    const Case cases[] = {
        {"cosmetic dash", Pen::Create(PS_DASH, 0, kBlack), 1, {18, 6, 18, 6, 18}},
        {"cosmetic dot", Pen::Create(PS_DOT, 0, kBlack), 1, {3, 3, 3, 3, 3}},
        {"cosmetic dash under a scaled mapping",
         Pen::Create(PS_DASH, 0, kBlack),
         2,
         {18, 6, 18, 6, 18}},
        {"cosmetic dash-dot", Pen::Create(PS_DASHDOT, 0, kBlack), 1, {9, 6, 3, 6, 9}},
        {"user style, flat ends",
         Pen::CreateExt(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_USERSTYLE, 6, kBlack, dash),
         1,
         {51, 21, 51, 21, 51}},
        {"user style scales with the mapping",
         Pen::CreateExt(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_USERSTYLE, 3, kBlack, dash),
         2,
         {102, 42, 102, 42, 102}},
    };
    for (const Case& c : cases) {
        ImageDrawContext dc(800, 40);
        FillWith(dc, kWhite);
        dc.SetBkMode(TRANSPARENT);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetViewportExt(c.scale, c.scale);
        dc.SelectPen(c.pen);
        dc.MoveTo(0, 10);
        dc.LineTo(390, 10);
        std::vector<int> runs = RunsAlongRow(dc, 10 * c.scale, 0, 800, kWhite);
        runs.resize(c.runs.size());
        EXPECT_EQ(runs, c.runs) << c.what;
    }
}

TEST(ImageDrawContextTest, OpaqueBackgroundFillsTheGapsOfCosmeticDashes) {
    ImageDrawContext dc(60, 10);
    FillWith(dc, kWhite);
    dc.SetBkColor(kRed);
    dc.SelectPen(Pen::Create(PS_DASH, 0, kBlack));
    dc.MoveTo(0, 5);
    dc.LineTo(48, 5);
    EXPECT_EQ(dc.GetPixel(17, 5), kBlack);
    EXPECT_EQ(dc.GetPixel(18, 5), kRed);
    EXPECT_EQ(dc.GetPixel(23, 5), kRed);
    EXPECT_EQ(dc.GetPixel(24, 5), kBlack);
    EXPECT_EQ(dc.GetPixel(48, 5), kWhite);
}

TEST(ImageDrawContextTest, ArcRunsCounterClockwiseByDefault) {
    struct Case {
        int32_t direction;
        bool inkUpperRight;  // the quarter from east up to north
        bool inkLowerLeft;
    };
    const Case cases[] = {{AD_COUNTERCLOCKWISE, true, false}, {AD_CLOCKWISE, false, true}};
    for (const Case& c : cases) {
        ImageDrawContext dc(120, 120);
        FillWith(dc, kWhite);
        dc.SetArcDirection(c.direction);
        // Circle of radius 50 around (60.5, 60.5); from the east radial to
        // the north radial.
        dc.Arc(10, 10, 111, 111, 110, 60, 60, 10);
        const auto ink = [](COLORREF p) { return p != kWhite; };
        const bool upperRight = CountPixels(dc, {93, 23, 99, 29}, ink) > 0;
        const bool lowerLeft = CountPixels(dc, {22, 92, 28, 98}, ink) > 0;
        EXPECT_EQ(upperRight, c.inkUpperRight) << c.direction;
        EXPECT_EQ(lowerLeft, c.inkLowerLeft) << c.direction;
        // Both radial ends lie on the circle: east (110, 60), north (60, 10).
        EXPECT_GT(CountPixels(dc, {108, 58, 112, 63}, ink), 0) << c.direction;
        EXPECT_GT(CountPixels(dc, {58, 9, 63, 13}, ink), 0) << c.direction;
    }
}

TEST(ImageDrawContextTest, PieFillsTheWedgeAndChordTheSegment) {
    // The quarter from the east radial up to the north one, of a circle of
    // radius 50 around (60.5, 60.5), filled black.
    struct Case {
        bool pie;
        bool inkNearCentre;  // between the chord and the centre
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        ImageDrawContext dc(120, 120);
        FillWith(dc, kWhite);
        dc.SelectBrush(Brush::Solid(kBlack));
        if (c.pie) {
            dc.Pie(10, 10, 111, 111, 110, 60, 60, 10);
        } else {
            dc.Chord(10, 10, 111, 111, 110, 60, 60, 10);
        }
        EXPECT_EQ(dc.GetPixel(95, 25), kBlack) << c.pie;  // beyond the chord, inside the arc
        EXPECT_EQ(dc.GetPixel(70, 50) == kBlack, c.inkNearCentre) << c.pie;
        EXPECT_EQ(dc.GetPixel(40, 80), kWhite) << c.pie;  // the opposite quarter
    }
}

TEST(ImageDrawContextTest, HatchBrushPaintsBackgroundOnlyWhenOpaque) {
    ImageDrawContext dc(16, 16);
    const Brush hatch = Brush::Hatched(HS_HORIZONTAL, kBlack);
    FillWith(dc, kRed);
    dc.SetBkMode(TRANSPARENT);
    dc.FillRect({0, 0, 16, 16}, hatch);
    const Rect all{0, 0, 16, 16};
    EXPECT_EQ(CountPixels(dc, all, [](COLORREF p) { return p == kBlack; }), 2 * 16);
    EXPECT_EQ(CountPixels(dc, all, [](COLORREF p) { return p == kRed; }), 14 * 16);

    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(kWhite);
    dc.FillRect({0, 0, 16, 16}, hatch);
    EXPECT_EQ(CountPixels(dc, all, [](COLORREF p) { return p == kWhite; }), 14 * 16);
}

TEST(ImageDrawContextTest, StretchDIBitsReadsRowsInTheBlocksOrder) {
    // Two rows of two pixels, BGR, each row padded to eight bytes. Stored
    // first: blue, green; stored second: red, white.
    const uint8_t bits24[] = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    const uint8_t bits32[] = {255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0};
    constexpr COLORREF kBlue = Rgb(0, 0, 255);
    struct Case {
        const char* what;
        DibPixels pixels;
        Rect source;  // x, y, width, height
        Rect dest;    // x, y, width, height
        COLORREF topLeft, topRight, bottomLeft;
    };
    const Case cases[] = {
        {"bottom-up: the first stored row is the bottom",
         {2, 2, 24, bits24},
         {0, 0, 2, 2},
         {0, 0, 20, 20},
         kRed,
         kWhite,
         kBlue},
        {"top-down: the first stored row is the top",
         {2, -2, 24, bits24},
         {0, 0, 2, 2},
         {0, 0, 20, 20},
         kBlue,
         Rgb(0, 255, 0),
         kRed},
        {"32-bit rows", {2, 2, 32, bits32}, {0, 0, 2, 2}, {0, 0, 20, 20}, kRed, kWhite, kBlue},
        {"bottom-up band counted from the bottom",
         {2, 2, 24, bits24},
         {0, 1, 2, 1},
         {0, 0, 20, 20},
         kRed,
         kWhite,
         kRed},
    };
    for (const Case& c : cases) {
        ImageDrawContext dc(20, 20);
        FillWith(dc, kBlack);
        const int32_t rows =
            dc.StretchDIBits(c.dest.left, c.dest.top, c.dest.right, c.dest.bottom, c.source.left,
                             c.source.top, c.source.right, c.source.bottom, c.pixels);
        EXPECT_EQ(rows, c.source.bottom) << c.what;
        EXPECT_EQ(dc.GetPixel(0, 0), c.topLeft) << c.what;
        EXPECT_EQ(dc.GetPixel(19, 0), c.topRight) << c.what;
        EXPECT_EQ(dc.GetPixel(0, 19), c.bottomLeft) << c.what;
    }
    ImageDrawContext dc(20, 20);
    EXPECT_EQ(dc.StretchDIBits(0, 0, 20, 20, 0, 1, 2, 2, {2, 2, 24, bits24}), 0)
        << "a source beyond the block is refused";
}

TEST(ImageDrawContextTest, ClipRectangleLimitsEveryKindOfDrawing) {
    ImageDrawContext dc(40, 40);
    FillWith(dc, kWhite);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(2, 2);
    EXPECT_EQ(dc.IntersectClipRect(5, 5, 10, 10), SIMPLEREGION);
    EXPECT_EQ(dc.GetClipBox(), (Rect{5, 5, 10, 10}));
    dc.FillRect({0, 0, 20, 20}, Brush::Solid(kBlack));
    dc.SetROP2(R2_XORPEN);
    dc.SelectPen(Pen::Create(PS_SOLID, 0, kRed));
    dc.MoveTo(0, 15);
    dc.LineTo(20, 15);
    dc.MoveTo(0, 7);
    dc.LineTo(20, 7);
    EXPECT_EQ(InkBox(dc, kWhite), (Rect{10, 10, 20, 20}));
    EXPECT_EQ(dc.GetPixel(12, 14), kRed) << "XORed over the black fill";
    EXPECT_EQ(dc.GetPixel(12, 15), kBlack);
    dc.RemoveClip();
    EXPECT_EQ(dc.GetClipBox(), (Rect{0, 0, 20, 20}));
}

// The clip reaches cairo lazily at the next drawing, so every change is
// followed by a fill in a colour of its own, and the pixels of that colour
// must be exactly the expected rectangle.
TEST(ImageDrawContextTest, EachClipChangeTakesEffectAtTheNextDrawing) {
    struct Step {
        const char* what;
        std::function<void(ImageDrawContext&)> change;
        Rect fill;
        Rect painted;
    };
    const Rect whole{0, 0, 20, 20};
    const Step steps[] = {
        {"first clip",
         [](ImageDrawContext& dc) { dc.IntersectClipRect(2, 2, 15, 15); },
         whole,
         {2, 2, 15, 15}},
        {"second clip narrows",
         [](ImageDrawContext& dc) { dc.IntersectClipRect(5, 0, 20, 10); },
         whole,
         {5, 2, 15, 10}},
        {"clip inside a saved state",
         [](ImageDrawContext& dc) {
             dc.SaveDC();
             dc.IntersectClipRect(8, 4, 12, 8);
         },
         whole,
         {8, 4, 12, 8}},
        {"restored state brings its clip back",
         [](ImageDrawContext& dc) { EXPECT_TRUE(dc.RestoreDC(-1)); },
         whole,
         {5, 2, 15, 10}},
        {"removed clip", [](ImageDrawContext& dc) { dc.RemoveClip(); }, whole, whole},
        {"clip given right to left, bottom to top",
         [](ImageDrawContext& dc) { dc.IntersectClipRect(15, 12, 3, 4); },
         whole,
         {3, 4, 15, 12}},
        {"removed again", [](ImageDrawContext& dc) { dc.RemoveClip(); }, whole, whole},
        {"fill given right to left, bottom to top",
         [](ImageDrawContext&) {},
         {12, 9, 4, 2},
         {4, 2, 12, 9}},
    };
    ImageDrawContext dc(20, 20);
    FillWith(dc, kWhite);
    uint8_t shade = 0;
    for (const Step& step : steps) {
        step.change(dc);
        shade += 20;
        const COLORREF color = Rgb(shade, 0, 255);
        dc.FillRect(step.fill, Brush::Solid(color));
        const auto isColor = [color](COLORREF pixel) { return pixel == color; };
        EXPECT_EQ(CountPixels(dc, whole, isColor), step.painted.Width() * step.painted.Height())
            << step.what;
        EXPECT_EQ(CountPixels(dc, step.painted, isColor),
                  step.painted.Width() * step.painted.Height())
            << step.what;
    }
}

TEST(ImageDrawContextTest, InvertRectInvertsTwiceBackToTheStart) {
    ImageDrawContext dc(10, 10);
    FillWith(dc, Rgb(10, 20, 30));
    dc.InvertRect({2, 2, 5, 5});
    EXPECT_EQ(dc.GetPixel(2, 2), Rgb(245, 235, 225));
    EXPECT_EQ(dc.GetPixel(5, 5), Rgb(10, 20, 30));
    dc.InvertRect({2, 2, 5, 5});
    EXPECT_EQ(dc.GetPixel(2, 2), Rgb(10, 20, 30));
}

}  // namespace
}  // namespace draw
