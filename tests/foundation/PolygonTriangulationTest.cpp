#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "foundation/PolygonOrientation.h"
#include "foundation/PolygonTriangulation.h"

namespace {

using Points = std::vector<CVector2F>;

const Points kSquare = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
const Points kClockwiseSquare = {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}};

// Twice the signed area (positive counter-clockwise with y up).
float DoubleArea(const Points& polygon) {
    float sum = 0.0f;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        sum += polygon[i].Cross(polygon[(i + 1) % polygon.size()]);
    }
    return sum;
}

float TriangleDoubleArea(const Points& triangles, std::size_t first) {
    const CVector2F& a = triangles[first];
    return (triangles[first + 1] - a).Cross(triangles[first + 2] - a);
}

TEST(PolygonHasPointInTriangle, EdgesCountCornersAreIgnored) {
    const CVector2F p1(0.0f, 0.0f), p2(4.0f, 0.0f), p3(0.0f, 4.0f);
    struct Case {
        const char* name;
        CVector2F v;
        bool inside;
    };
    const Case cases[] = {
        {"inside", {1.0f, 1.0f}, true},
        {"on an edge", {2.0f, 2.0f}, true},
        {"equal to a corner", {4.0f, 0.0f}, false},
        {"outside", {3.0f, 3.0f}, false},
        {"beyond a corner on an edge's line", {5.0f, 0.0f}, false},
    };
    for (const Case& c : cases) {
        const Points polygon = {p1, p2, p3, c.v};
        EXPECT_EQ(PolygonHasPointInTriangle(p1, p2, p3, polygon), c.inside) << c.name;
        EXPECT_EQ(PolygonHasPointInTriangle(p1, p3, p2, polygon), c.inside) << c.name;
    }
}

TEST(PolygonHasPointInTriangle, CollinearTriangleHoldsEveryOtherPoint) {
    const Points polygon = {{0.0f, 0.0f}, {1.0f, 0.0f}, {2.0f, 0.0f}, {50.0f, -30.0f}};
    EXPECT_TRUE(PolygonHasPointInTriangle(polygon[0], polygon[1], polygon[2], polygon));
}

TEST(TriangulatePolygon, SquareExamplesInOrderAndReversed) {
    struct Case {
        const char* name;
        Points polygon;
        bool keepOrder;
        bool succeeds;
        Points triangles;
    };
    const Case cases[] = {
        {"keep order", kSquare, true, true, {{0, 0}, {1, 0}, {1, 1}, {1, 1}, {0, 1}, {0, 0}}},
        {"reversed", kSquare, false, true, {{0, 0}, {1, 1}, {1, 0}, {1, 1}, {0, 0}, {0, 1}}},
        {"clockwise finds no ear", kClockwiseSquare, true, false, {}},
        {"two points", {{0, 0}, {1, 0}}, true, true, {}},
        {"empty", {}, true, true, {}},
    };
    for (const Case& c : cases) {
        Points triangles;
        EXPECT_EQ(TriangulatePolygon(c.polygon, triangles, c.keepOrder), c.succeeds) << c.name;
        EXPECT_EQ(triangles, c.triangles) << c.name;
    }
}

TEST(TriangulatePolygon, ClockwiseSquareSucceedsOnceOriented) {
    Points polygon = kClockwiseSquare;
    OrientPolygon(polygon);
    Points triangles;
    ASSERT_TRUE(TriangulatePolygon(polygon, triangles, true));
    ASSERT_EQ(triangles.size(), 6u);
    EXPECT_EQ(TriangleDoubleArea(triangles, 0) + TriangleDoubleArea(triangles, 3), 2.0f);
}

// Concave outlines, a repeated point and points on a straight edge: every
// triangle keeps the outline's turning (or the reverse without keep-order)
// and together they cover exactly its area.
TEST(TriangulatePolygon, ConcaveOutlinesAreCoveredExactly) {
    struct Case {
        const char* name;
        Points polygon;
    };
    const Case cases[] = {
        {"L shape", {{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}}},
        {"arrow", {{0, 0}, {2, 1}, {4, 0}, {2, 4}}},
        {"comb",
         {{0, 0},
          {5, 0},
          {5, 4},
          {4, 4},
          {4, 1},
          {3, 1},
          {3, 4},
          {2, 4},
          {2, 1},
          {1, 1},
          {1, 4},
          {0, 4}}},
        {"points on an edge", {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 2}, {0, 2}}},
        {"repeated point", {{0, 0}, {2, 0}, {2, 0}, {2, 2}, {0, 2}}},
    };
    for (const Case& c : cases) {
        for (const bool keepOrder : {true, false}) {
            Points triangles;
            ASSERT_TRUE(TriangulatePolygon(c.polygon, triangles, keepOrder)) << c.name;
            ASSERT_EQ(triangles.size() % 3, 0u) << c.name;
            float total = 0.0f;
            for (std::size_t i = 0; i < triangles.size(); i += 3) {
                const float area = TriangleDoubleArea(triangles, i);
                EXPECT_GE(keepOrder ? area : -area, 0.0f) << c.name << " triangle " << i / 3;
                total += area;
            }
            EXPECT_EQ(keepOrder ? total : -total, DoubleArea(c.polygon)) << c.name;
        }
    }
}

// A clockwise outline with one inward notch: the notch is an ear, then the
// ear clipping gives up. Callers use what was found.
TEST(TriangulatePolygon, TrianglesFoundBeforeAFailureStay) {
    const Points notched = {{0, 0}, {0, 4}, {4, 4}, {4, 0}, {3, 0}, {2, 1}, {1, 0}};
    Points triangles = {{7, 7}, {8, 7}, {8, 8}};
    EXPECT_FALSE(TriangulatePolygon(notched, triangles, true));
    const Points expected = {{7, 7}, {8, 7}, {8, 8}, {3, 0}, {2, 1}, {1, 0}};
    EXPECT_EQ(triangles, expected);
}

TEST(OrientPolygon, LeavesEveryOutlineCounterClockwise) {
    struct Case {
        const char* name;
        Points polygon;
        Points expected;
    };
    const Points lShape = {{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}};
    const Points lShapeReversed(lShape.rbegin(), lShape.rend());
    const Case cases[] = {
        {"counter-clockwise square kept", kSquare, kSquare},
        {"clockwise square reversed", kClockwiseSquare, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
        {"concave kept", lShape, lShape},
        {"concave clockwise reversed", lShapeReversed, lShape},
        // Without stepping over the repeats every turn would vanish and the
        // outline would be reversed.
        {"every point doubled",
         {{0, 0}, {0, 0}, {4, 0}, {4, 0}, {0, 4}, {0, 4}},
         {{0, 0}, {0, 0}, {4, 0}, {4, 0}, {0, 4}, {0, 4}}},
        {"empty", {}, {}},
        {"one point", {{3, 4}}, {{3, 4}}},
    };
    for (const Case& c : cases) {
        Points polygon = c.polygon;
        OrientPolygon(polygon);
        EXPECT_EQ(polygon, c.expected) << c.name;
    }
}

}  // namespace
