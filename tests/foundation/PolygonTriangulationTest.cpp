#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>
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

// The ear clipping as first written: every ear tested against every point
// left, the points kept in order in a vector. The faster clipping must find
// exactly its triangles, which stored designs were meshed with.
bool ClipEarsTestingEveryPoint(const Points& polygon, Points& triangles, bool keepOrder) {
    Points left = polygon;
    std::size_t current = 0;
    std::size_t failures = 0;
    while (left.size() >= 3) {
        const std::size_t q = (current + 1) % left.size();
        const std::size_t r = (current + 2) % left.size();
        const CVector2F P = left[current];
        const CVector2F Q = left[q];
        const CVector2F R = left[r];
        if (PolygonHasPointInTriangle(P, Q, R, left) || (Q - P).Cross(R - Q) < 0.0f) {
            if (++failures > left.size()) {
                return false;
            }
            current = q;
            continue;
        }
        failures = 0;
        triangles.insert(triangles.end(), {P, keepOrder ? Q : R, keepOrder ? R : Q});
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(q));
        current = r > q ? r - 1 : r;
    }
    return true;
}

// Outer arc counter-clockwise, inner arc back: every inner point turns right.
Points Crescent(std::size_t points) {
    Points crescent;
    const std::size_t half = points / 2;
    for (std::size_t i = 0; i < half; ++i) {
        const double t = -std::numbers::pi / 2 + std::numbers::pi * i / half;
        crescent.emplace_back(static_cast<float>(500 * std::cos(t)),
                              static_cast<float>(500 * std::sin(t)));
    }
    for (std::size_t i = 0; i < points - half; ++i) {
        const double t = std::numbers::pi / 2 - std::numbers::pi * i / (points - half);
        crescent.emplace_back(static_cast<float>(200 * std::cos(t)),
                              static_cast<float>(500 * std::sin(t)));
    }
    return crescent;
}

// Points at rising angles around the origin, each at its own distance: a
// simple outline with many dents.
Points Star(std::mt19937& random, std::size_t points, bool whole) {
    std::uniform_real_distribution<float> radius(10.0f, 100.0f);
    Points star;
    for (std::size_t i = 0; i < points; ++i) {
        const double t = 2 * std::numbers::pi * i / points;
        const float r = radius(random);
        // Whole centimetres give many exactly straight and repeated runs.
        const float x = static_cast<float>(r * std::cos(t));
        const float y = static_cast<float>(r * std::sin(t));
        star.emplace_back(whole ? std::round(x) : x, whole ? std::round(y) : y);
    }
    return star;
}

// A staircase of whole steps with points along its straight runs.
Points Staircase(std::size_t steps) {
    Points stairs = {{0, 0}};
    for (std::size_t i = 0; i < steps; ++i) {
        const float x = static_cast<float>(i);
        stairs.insert(stairs.end(), {{x + 0.5f, x}, {x + 1, x}, {x + 1, x + 0.5f}});
    }
    const float top = static_cast<float>(steps);
    stairs.insert(stairs.end(), {{top, top}, {0, top}, {0, top / 2}});
    return stairs;
}

// A square with a square hole, joined by a cut running there and back.
const Points kKeyhole = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 5}, {3, 5},
                         {3, 7}, {7, 7},  {7, 3},   {3, 3},  {3, 5}, {0, 5}};

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

// Outlines of every kind met in designs, each also reversed: the triangles,
// their order and the result are the ones every point tested gave.
TEST(TriangulatePolygon, FindsTheTrianglesOfTestingEveryPoint) {
    std::mt19937 random(20);
    std::vector<std::pair<std::string, Points>> outlines = {
        {"square", kSquare},
        {"crescent", Crescent(301)},
        {"staircase", Staircase(40)},
        {"keyhole", kKeyhole},
        {"notched", {{0, 0}, {0, 4}, {4, 4}, {4, 0}, {3, 0}, {2, 1}, {1, 0}}},
        {"points on an edge", {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 2}, {0, 2}}},
        {"repeated point", {{0, 0}, {2, 0}, {2, 0}, {2, 2}, {0, 2}}},
    };
    for (int i = 0; i < 40; ++i) {
        outlines.emplace_back("star " + std::to_string(i), Star(random, 8 + 5 * i, i % 2 == 0));
    }
    for (const auto& [name, outline] : outlines) {
        const Points reversed(outline.rbegin(), outline.rend());
        for (const Points* polygon : {&outline, &reversed}) {
            for (const bool keepOrder : {true, false}) {
                Points expected;
                const bool expectedResult =
                    ClipEarsTestingEveryPoint(*polygon, expected, keepOrder);
                Points triangles;
                EXPECT_EQ(TriangulatePolygon(*polygon, triangles, keepOrder), expectedResult)
                    << name;
                EXPECT_EQ(triangles, expected) << name << (polygon == &reversed ? " reversed" : "");
            }
        }
    }
}

// A long run gives way when asked: it stops with a failure and keeps what
// it found until then.
TEST(TriangulatePolygon, StopsWhenToldNotToGoOn) {
    const Points crescent = Crescent(4000);
    int polls = 0;
    Points triangles;
    EXPECT_FALSE(TriangulatePolygon(crescent, triangles, true, [&polls] { return ++polls < 3; }));
    EXPECT_EQ(polls, 3);
    EXPECT_GT(triangles.size(), 0u);
    EXPECT_LT(triangles.size(), 3u * 3998u);

    Points whole;
    EXPECT_TRUE(TriangulatePolygon(crescent, whole, true, [] { return true; }));
    EXPECT_EQ(whole.size(), 3u * 3998u);
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
