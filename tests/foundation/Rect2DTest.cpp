#include "foundation/Rect2D.h"

#include <gtest/gtest.h>

namespace {

TEST(Rect2DFitInto, CentresAlongTheShorterSide) {
    struct Case {
        const char* name;
        CRect2D source, target, expected;
    };
    const CRect2D square(0.0, 0.0, 100.0, 100.0);
    const Case cases[] = {
        {"wide", {0.0, 0.0, 200.0, 100.0}, square, {0.0, 25.0, 100.0, 75.0}},
        {"tall", {0.0, 0.0, 50.0, 100.0}, square, {25.0, 0.0, 75.0, 100.0}},
        {"same aspect", {5.0, 5.0, 15.0, 15.0}, square, square},
        {"offset target",
         {0.0, 0.0, 200.0, 100.0},
         {10.0, 20.0, 30.0, 60.0},
         {10.0, 35.0, 30.0, 45.0}},
        {"zero height", {0.0, 0.0, 100.0, 0.0}, square, {0.0, 50.0, 100.0, 50.0}},
        {"zero width", {0.0, 0.0, 0.0, 100.0}, square, {50.0, 0.0, 50.0, 100.0}},
        {"zero size", {3.0, 3.0, 3.0, 3.0}, square, {0.0, 50.0, 100.0, 50.0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.source.FitInto(c.target), c.expected) << c.name;
    }
    EXPECT_EQ(CRect2D(0.0, 0.0, 200.0, 100.0).FitIntoSize(100.0, 100.0),
              CRect2D(0.0, 25.0, 100.0, 75.0));
}

TEST(Rect2DContains, ReversedRectangleIncludesAllBorders) {
    const CRect2D r(10.0, 10.0, 0.0, 0.0);
    EXPECT_TRUE(r.Contains(0.0, 0.0));
    EXPECT_TRUE(r.Contains(10.0, 10.0));
    EXPECT_TRUE(r.Contains(0.0, 10.0));
    EXPECT_FALSE(r.Contains(5.0, 10.5));
    EXPECT_FALSE(r.Contains(-0.1, 5.0));
    EXPECT_TRUE(r.PtInRect(10, 0));
    EXPECT_FALSE(r.PtInRect(11, 0));
}

TEST(Rect2DNormalize, InPlaceOnlyWhenAsked) {
    CRect2D r(10.0, 0.0, 0.0, 10.0);
    EXPECT_EQ(r.GetNormalized(), CRect2D(0.0, 0.0, 10.0, 10.0));
    EXPECT_EQ(r, CRect2D(10.0, 0.0, 0.0, 10.0));
    EXPECT_EQ(r.Normalize(), CRect2D(0.0, 0.0, 10.0, 10.0));
    EXPECT_EQ(r, CRect2D(0.0, 0.0, 10.0, 10.0));
    EXPECT_EQ(r.InflateXY(1.0, 2.0), CRect2D(-1.0, -2.0, 11.0, 12.0));
    EXPECT_EQ(r, CRect2D(-1.0, -2.0, 11.0, 12.0));
}

TEST(Rect2DOverlaps, BordersCountAndContainmentIsExcludedOnlyWhenStrict) {
    struct Case {
        const char* name;
        CRect2D other;
        bool overlaps, overlapsWithoutContaining;
    };
    const CRect2D r(0.0, 0.0, 10.0, 10.0);
    const Case cases[] = {
        {"corner touch", {10.0, 10.0, 20.0, 20.0}, true, true},
        {"apart", {10.5, 0.0, 20.0, 10.0}, false, false},
        {"partial, reversed", {15.0, 15.0, 5.0, 5.0}, true, true},
        {"strictly inside", {2.0, 2.0, 8.0, 8.0}, true, false},
        {"inside on a border", {0.0, 2.0, 5.0, 5.0}, true, true},
        {"covering", {-5.0, -5.0, 15.0, 15.0}, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(r.Overlaps(c.other), c.overlaps) << c.name;
        EXPECT_EQ(r.OverlapsWithoutContaining(c.other), c.overlapsWithoutContaining) << c.name;
    }
}

TEST(Rect2DEquality, ComparesBits) {
    EXPECT_FALSE(CRect2D(0.0, 0.0, 1.0, 1.0) == CRect2D(-0.0, 0.0, 1.0, 1.0));
    EXPECT_TRUE(CRect2D(1.0, 2.0, 3.0, 4.0).EqualsRect(RECT{1, 2, 3, 4}));
    EXPECT_FALSE(CRect2D(1.0, 2.0, 3.0, 4.5).EqualsRect(RECT{1, 2, 3, 4}));
}

TEST(Rect2DToRect, RoundsEachCoordinateHalfAwayFromZero) {
    const RECT r = CRect2D(0.5, -0.5, 2.4, -2.6).ToRect();
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, -1);
    EXPECT_EQ(r.right, 2);
    EXPECT_EQ(r.bottom, -3);
}

}  // namespace
