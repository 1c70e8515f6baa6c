#include "foundation/HitTests.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Polygon = std::vector<CVector2F>;

TEST(HitTestSegment, BoxExcludesItsRightAndBottomEdges) {
    struct Case {
        POINT p;
        CVector2D p0, p1;
        bool hit;
    };
    const Case cases[] = {
        // Horizontal (0, 0)-(100, 0), tolerance 3: the box is (-3, -3, 103, 3).
        {{50, -3}, {0, 0}, {100, 0}, true},
        {{50, 2}, {0, 0}, {100, 0}, true},
        {{50, 3}, {0, 0}, {100, 0}, false},
        {{-3, 0}, {0, 0}, {100, 0}, true},
        {{103, 0}, {0, 0}, {100, 0}, false},
        {{102, 0}, {100, 0}, {0, 0}, true},
        // Diagonal: the distance to the line decides inside the box.
        {{50, 52}, {0, 0}, {100, 100}, true},
        {{50, 54}, {0, 0}, {100, 100}, true},
        {{50, 55}, {0, 0}, {100, 100}, false},
        {{-3, -3}, {0, 0}, {100, 100}, true},
        {{103, 103}, {0, 0}, {100, 100}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitTestSegment(c.p, c.p0, c.p1, 3), c.hit)
            << "(" << c.p.x << ", " << c.p.y << ") on (" << c.p0.x << ", " << c.p0.y << ")-("
            << c.p1.x << ", " << c.p1.y << ")";
    }
}

TEST(SnapToPointWithin, MovesThePointOntoTheRoundedTarget) {
    POINT p{10, 10};
    EXPECT_FALSE(SnapToPointWithin(p, {12.6, 10}, 2));
    EXPECT_EQ(p.x, 10);
    EXPECT_TRUE(SnapToPointWithin(p, {12.5, 7.5}, 4));
    EXPECT_EQ(p.x, 13);
    EXPECT_EQ(p.y, 8);
    POINT q{0, 0};
    EXPECT_TRUE(SnapToPointWithin(q, {-2.5, 0}, 3));
    EXPECT_EQ(q.x, -3);
}

TEST(SegmentIntersectsRect, CornerTouchesDoNotCount) {
    struct Case {
        const char* name;
        CVector2D p, q;
        bool meets;
    };
    const CRect2D rect(0, 0, 10, 10);
    const Case cases[] = {
        {"horizontal across", {-5, 5}, {20, 5}, true},
        {"vertical across", {5, 20}, {5, -5}, true},
        {"both left", {-5, 5}, {-1, 5}, false},
        {"both below", {-5, 11}, {20, 12}, false},
        {"diagonal across", {-5, -5}, {15, 15}, true},
        {"diagonal through corner only", {5, 15}, {15, 5}, false},
        {"diagonal past a corner", {8, -5}, {20, 3}, false},
        {"inside", {2, 2}, {3, 4}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SegmentIntersectsRect(rect, c.p, c.q), c.meets) << c.name;
    }
}

TEST(PointInPolygon, WorksAtOneHundredthWithTheRegionBorderRule) {
    const Polygon square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    struct Case {
        const char* name;
        CVector2F p;
        bool inside;
    };
    const Case cases[] = {
        {"centre", {0.5f, 0.5f}, true},
        {"left edge", {0.0f, 0.5f}, true},
        {"top edge", {0.5f, 0.0f}, true},
        {"right edge", {1.0f, 0.5f}, false},
        {"bottom edge", {0.5f, 1.0f}, false},
        // -0.4 hundredths truncate toward zero onto the left edge.
        {"just left, truncated onto the edge", {-0.004f, 0.5f}, true},
        {"two hundredths left", {-0.02f, 0.5f}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointInPolygon(c.p, square), c.inside) << c.name;
    }
    // The vertices round: an edge at 0.296 sits at 30 hundredths, so 0.297
    // (29 after truncation) is inside.
    const Polygon narrow{{0, 0}, {0.296f, 0}, {0.296f, 1}, {0, 1}};
    EXPECT_TRUE(PointInPolygon({0.297f, 0.5f}, narrow));
    EXPECT_FALSE(PointInPolygon({0.5f, 0.5f}, Polygon{}));
    EXPECT_FALSE(PointInPolygon({0.5f, 0.5f}, Polygon{{0, 0}, {1, 1}}));
}

TEST(RectOverlapsPolygon, VerticesInTheRectOrCornersInTheRegion) {
    const std::vector<CVector2D> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    struct Case {
        const char* name;
        CRect2D rect;
        bool overlaps;
    };
    const Case cases[] = {
        {"vertex on the rect border", {10, 10, 20, 20}, true},
        {"rect inside", {2, 2, 8, 8}, true},
        {"corner on the polygon's left edge", {-10, 2, 0, 8}, true},
        {"corner on the polygon's right edge", {10, 2, 20, 8}, false},
        {"corner on the polygon's bottom edge", {2, 10, 8, 20}, false},
        {"apart", {20, 20, 30, 30}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RectOverlapsPolygon(c.rect, square), c.overlaps) << c.name;
    }
    EXPECT_FALSE(RectOverlapsPolygon({0, 0, 1, 1}, std::vector<CVector2D>{}));
}

TEST(IsPointOnSegment, ExactlyOnTheSegment) {
    const CSegment2F s({0, 0}, {10, 5});
    EXPECT_TRUE(IsPointOnSegment({4, 2}, s));
    EXPECT_TRUE(IsPointOnSegment({10, 5}, s));
    EXPECT_FALSE(IsPointOnSegment({12, 6}, s));
    EXPECT_FALSE(IsPointOnSegment({4, 2.1f}, s));
}

TEST(RectIntersectsCircle, ACircleNearACornerCountsAsTouching) {
    const CRect2D rect(0, 0, 10, 10);
    struct Case {
        const char* name;
        CCircle2F circle;
        bool meets;
    };
    const Case cases[] = {
        {"corner inside", {{11, 11}, 2}, true},
        {"off the corner, within the grown box", {{13, 13}, 4}, true},
        {"beside an edge", {{13, 5}, 3}, true},
        {"beyond the grown box", {{15, 5}, 4}, false},
        {"centre inside", {{5, 5}, 1}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RectIntersectsCircle(rect, c.circle), c.meets) << c.name;
        EXPECT_EQ(RectIntersectsCircle({10, 10, 0, 0}, c.circle), c.meets) << c.name;
    }
}

TEST(PolygonTests, ContainmentAndCrossingCases) {
    const Polygon square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const Polygon band{{-5, 2}, {15, 2}, {15, 3}, {-5, 3}};
    const Polygon inner{{2, 2}, {4, 2}, {4, 4}};
    const Polygon far{{50, 50}, {60, 50}, {60, 60}};
    const Polygon surrounding{{-100, -100}, {100, -100}, {100, 100}, {-100, 100}};

    EXPECT_TRUE(RectIntersectsPolygon({2, 2, 4, 4}, surrounding));
    EXPECT_TRUE(RectIntersectsPolygon({0, 0, 10, 10}, inner));
    EXPECT_TRUE(RectIntersectsPolygon({0, 0, 10, 10}, band));
    EXPECT_FALSE(RectIntersectsPolygon({0, 0, 10, 10}, far));
    EXPECT_FALSE(RectIntersectsPolygon({0, 0, 10, 10}, Polygon{}));

    EXPECT_TRUE(CircleIntersectsPolygon({{5, 5}, 1}, square));
    EXPECT_TRUE(CircleIntersectsPolygon({{0, 0}, 100}, inner));
    EXPECT_TRUE(CircleIntersectsPolygon({{12, 5}, 3}, square));
    EXPECT_FALSE(CircleIntersectsPolygon({{30, 30}, 3}, square));
    EXPECT_FALSE(CircleIntersectsPolygon({{5, 5}, 1}, Polygon{}));

    EXPECT_TRUE(PolygonsIntersect(square, inner));
    EXPECT_TRUE(PolygonsIntersect(inner, square));
    EXPECT_TRUE(PolygonsIntersect(square, band));
    EXPECT_FALSE(PolygonsIntersect(square, far));
    EXPECT_FALSE(PolygonsIntersect(square, Polygon{}));

    EXPECT_TRUE(SegmentIntersectsPolygon({{5, 5}, {20, 5}}, square));
    EXPECT_FALSE(SegmentIntersectsPolygon({{2, 5}, {8, 5}}, square));
    EXPECT_FALSE(SegmentIntersectsPolygon({{2, 5}, {8, 5}}, Polygon{}));
}

}  // namespace
