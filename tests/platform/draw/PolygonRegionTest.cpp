#include <gtest/gtest.h>

#include <vector>

#include "platform/draw/PolygonRegion.h"

namespace draw {
namespace {

struct RegionCase {
    const char* what;
    std::vector<Point> polygon;
    Point point;
    bool inside;
};

TEST(PolygonRegionTest, EvenOddWithLeftAndTopBordersIn) {
    const std::vector<Point> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<Point> clockwiseSquare{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    const std::vector<Point> downTriangle{{0, 0}, {10, 0}, {0, 10}};
    const std::vector<Point> upTriangle{{5, 0}, {10, 10}, {0, 10}};
    // A five-pointed star drawn in one stroke: its centre is covered twice.
    const std::vector<Point> star{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    const RegionCase cases[] = {
        {"interior", square, {5, 5}, true},
        {"top-left corner", square, {0, 0}, true},
        {"top edge", square, {5, 0}, true},
        {"left edge", square, {0, 5}, true},
        {"right edge", square, {10, 5}, false},
        {"bottom edge", square, {5, 10}, false},
        {"top-right corner", square, {10, 0}, false},
        {"bottom-left corner", square, {0, 10}, false},
        {"last pixel inside", square, {9, 9}, true},
        {"outside left", square, {-1, 5}, false},
        {"winding order does not matter", clockwiseSquare, {0, 5}, true},
        {"winding order, right edge", clockwiseSquare, {10, 5}, false},
        {"diagonal on the right side", downTriangle, {5, 5}, false},
        {"just left of that diagonal", downTriangle, {4, 5}, true},
        {"diagonal on the left side", upTriangle, {2, 6}, true},
        {"diagonal on the right side", upTriangle, {8, 6}, false},
        {"apex", upTriangle, {5, 0}, false},
        {"star point", star, {50, 10}, true},
        {"star centre, covered twice", star, {50, 50}, false},
    };
    for (const RegionCase& c : cases) {
        const std::optional<PolygonRegion> region = PolygonRegion::Create(c.polygon);
        ASSERT_TRUE(region) << c.what;
        EXPECT_EQ(region->Contains(c.point), c.inside) << c.what;
    }
}

TEST(PolygonRegionTest, NoRegionFromFewerThanThreeVertices) {
    const Point two[] = {{0, 0}, {10, 10}};
    EXPECT_FALSE(PolygonRegion::Create({}));
    EXPECT_FALSE(PolygonRegion::Create(two));
}

TEST(PolygonRegionTest, FarCoordinatesStayExact) {
    // Products of such differences overflow 64 bits.
    const Point sliver[] = {
        {-2000000000, -2000000000}, {2000000000, 2000000001}, {-2000000000, 2000000000}};
    const std::optional<PolygonRegion> region = PolygonRegion::Create(sliver);
    ASSERT_TRUE(region);
    EXPECT_TRUE(region->Contains({-1999999999, 1999999999}));
    EXPECT_FALSE(region->Contains({1999999999, -1999999999}));
}

}  // namespace
}  // namespace draw
