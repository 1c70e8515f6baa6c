#include <gtest/gtest.h>

#include <vector>

#include "foundation/WallFaceItem.h"

namespace {

WallFaceItem MakeShape(int32_t kind, CVector2F first, CVector2F second,
                       std::vector<CVector2F> outline = {}) {
    WallFaceItem item(0, 1, kind);
    item.SetCorners(first, second);
    item.outline = std::move(outline);
    return item;
}

// A 10 x 20 rectangle given from its far corner, a circle of radius 5 beside
// it, a second circle just touching the first, a polygon around the
// rectangle whose right side touches the first circle, and a horizontal
// split line through all of them.
const WallFaceItem kRect = MakeShape(WallFaceItem::kRectangle, {10, 20}, {0, 0});
const WallFaceItem kCornerRect = MakeShape(WallFaceItem::kRectangle, {10, 20}, {20, 30});
const WallFaceItem kFarRect = MakeShape(WallFaceItem::kRectangle, {50, 50}, {60, 60});
const WallFaceItem kCircle = MakeShape(WallFaceItem::kCircle, {20, 10}, {25, 10});
const WallFaceItem kTouchingCircle = MakeShape(WallFaceItem::kCircle, {30, 10}, {30, 15});
const WallFaceItem kPolygon =
    MakeShape(WallFaceItem::kPolygon, {}, {}, {{-5, -5}, {15, -5}, {15, 25}, {-5, 25}});
const WallFaceItem kSplitLine = MakeShape(WallFaceItem::kHorizontalSplitLine, {0, 10}, {0, 0});

TEST(WallFaceItem, NewItemHasNoTwinAndNothingElse) {
    const WallFaceItem item(3, 1, WallFaceItem::kCircle);
    EXPECT_EQ(item.face, 3);
    EXPECT_EQ(item.cutOut, 1);
    EXPECT_EQ(item.kind, WallFaceItem::kCircle);
    EXPECT_EQ(item.twinFace, -1);
    EXPECT_EQ(item.applied, 0);
    EXPECT_EQ(item.deleted, 0);
    EXPECT_EQ(item.recordKind, 0);
    EXPECT_EQ(item.twinCreated, 0);
    EXPECT_EQ(item.firstCorner, CVector2F());
    EXPECT_EQ(item.anchor, CVector2F());
    EXPECT_TRUE(item.outline.empty());
    EXPECT_TRUE(item.parts.empty());
    EXPECT_EQ(item.model1, nullptr);
    EXPECT_EQ(item.model2, nullptr);
    EXPECT_EQ(WallFaceItem().twinFace, -1);
}

TEST(WallFaceItem, SplitAreasAndSplitLinesByCutOutAndKind) {
    struct Case {
        int32_t cutOut, kind;
        bool area, line;
    };
    const Case cases[] = {
        {0, WallFaceItem::kRectangle, true, false},
        {0, WallFaceItem::kPolygon, true, false},
        {0, WallFaceItem::kHorizontalSplitLine, false, true},
        {0, WallFaceItem::kVerticalSplitLine, false, true},
        {1, WallFaceItem::kRectangle, false, false},
        {1, WallFaceItem::kVerticalSplitLine, false, false},
    };
    for (const Case& c : cases) {
        const WallFaceItem item(0, c.cutOut, c.kind);
        EXPECT_EQ(item.IsSplitArea(), c.area) << c.cutOut << " " << c.kind;
        EXPECT_EQ(item.IsSplitLine(), c.line) << c.cutOut << " " << c.kind;
    }
    const WallFaceItem hole(0, 1, WallFaceItem::kCircle);
    EXPECT_TRUE(hole.HasSameKind(WallFaceItem(5, 1, WallFaceItem::kCircle)));
    EXPECT_FALSE(hole.HasSameKind(WallFaceItem(0, 0, WallFaceItem::kCircle)));
    EXPECT_FALSE(hole.HasSameKind(WallFaceItem(0, 1, WallFaceItem::kRectangle)));
}

TEST(WallFaceItem, ContainsPointWithBordersIncluded) {
    const WallFaceItem radiusFive = MakeShape(WallFaceItem::kCircle, {0, 0}, {3, 4});
    const WallFaceItem verticalLine = MakeShape(WallFaceItem::kVerticalSplitLine, {5, 0}, {5, 9});
    struct Case {
        const char* name;
        const WallFaceItem& item;
        CVector2F p;
        bool inside;
    };
    const Case cases[] = {
        {"rectangle, left border", kRect, {0, 5}, true},
        {"rectangle, corner", kRect, {10, 20}, true},
        {"rectangle, inside", kRect, {4, 4}, true},
        {"rectangle, right of it", kRect, {11, 5}, false},
        {"rectangle, below it", kRect, {5, -0.5f}, false},
        {"circle, on the outline", radiusFive, {5, 0}, true},
        {"circle, just outside", radiusFive, {5, 0.1f}, false},
        {"polygon, inside", kPolygon, {0, 0}, true},
        {"polygon, outside", kPolygon, {20, 0}, false},
        {"horizontal split line, on it", kSplitLine, {3, 10}, false},
        {"vertical split line, on it", verticalLine, {5, 3}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.item.ContainsPoint(c.p), c.inside) << c.name;
    }
}

TEST(WallFaceItem, SegmentMustMeetTheOutline) {
    struct Case {
        const char* name;
        const WallFaceItem& item;
        CSegment2F s;
        bool meets;
    };
    const Case cases[] = {
        {"rectangle, wholly inside", kRect, {{2, 2}, {8, 18}}, false},
        {"rectangle, crossing a side", kRect, {{5, 5}, {15, 5}}, true},
        {"rectangle, ending on a side", kRect, {{5, 5}, {10, 5}}, true},
        {"rectangle, along a side", kRect, {{0, 2}, {0, 8}}, true},
        {"rectangle, outside", kRect, {{11, 0}, {11, 20}}, false},
        {"circle, chord", kCircle, {{10, 10}, {30, 10}}, true},
        {"circle, wholly inside", kCircle, {{19, 10}, {21, 10}}, false},
        {"circle, tangent", kCircle, {{15, 0}, {15, 20}}, true},
        {"polygon, crossing an edge", kPolygon, {{0, 0}, {20, 0}}, true},
        {"polygon, wholly inside", kPolygon, {{0, 0}, {10, 10}}, false},
        {"split line, crossing it", kSplitLine, {{5, 0}, {5, 20}}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.item.IntersectsSegment(c.s), c.meets) << c.name;
    }
}

// Each pair is tested both ways round; touching shapes intersect.
TEST(WallFaceItem, ShapesIntersectWhenTheyShareAPoint) {
    struct Case {
        const char* name;
        const WallFaceItem& a;
        const WallFaceItem& b;
        bool intersect;
    };
    const Case cases[] = {
        {"rectangles touching at a corner", kRect, kCornerRect, true},
        {"rectangles apart", kRect, kFarRect, false},
        {"rectangle and circle apart", kRect, kCircle, false},
        {"circles just touching", kCircle, kTouchingCircle, true},
        {"rectangle inside polygon", kRect, kPolygon, true},
        {"circle touching polygon", kCircle, kPolygon, true},
        {"circle beside polygon", kTouchingCircle, kPolygon, false},
        {"rectangle beside polygon", kFarRect, kPolygon, false},
        {"split line through a rectangle", kSplitLine, kRect, false},
        {"split line through a circle", kSplitLine, kCircle, false},
        {"split line through a polygon", kSplitLine, kPolygon, false},
        {"split line with itself", kSplitLine, kSplitLine, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a.Intersects(c.b), c.intersect) << c.name;
        EXPECT_EQ(c.b.Intersects(c.a), c.intersect) << c.name << ", reversed";
    }
}

}  // namespace
