#include <gtest/gtest.h>

#include "foundation/BoundingBox3D.h"
#include "foundation/FloatBoundingBox2D.h"

namespace {

TEST(BoundingBox3D, FirstPointSetsBothCorners) {
    CBoundingBox3D box;
    EXPECT_EQ(box.empty, 1);
    box.AddPoint(-1.0f, -2.0f, -3.0f);
    EXPECT_EQ(box.empty, 0);
    EXPECT_EQ(box.maxX, -1.0f);
    EXPECT_EQ(box.maxY, -2.0f);
    EXPECT_EQ(box.maxZ, -3.0f);
    box.AddPoint(4.0f, -5.0f, 0.5f);
    EXPECT_EQ(box.minX, -1.0f);
    EXPECT_EQ(box.minY, -5.0f);
    EXPECT_EQ(box.minZ, -3.0f);
    EXPECT_EQ(box.maxX, 4.0f);
    EXPECT_EQ(box.maxY, -2.0f);
    EXPECT_EQ(box.maxZ, 0.5f);
}

TEST(BoundingBox3D, AddingAnEmptyBoxAddsTheOrigin) {
    const CBoundingBox3D empty;
    CBoundingBox3D box;
    box.AddPoint(1.0f, 2.0f, 3.0f);
    box.AddBox(empty);
    EXPECT_EQ(empty.empty, 1);
    EXPECT_EQ(box.minX, 0.0f);
    EXPECT_EQ(box.minY, 0.0f);
    EXPECT_EQ(box.minZ, 0.0f);
    EXPECT_EQ(box.maxX, 1.0f);
    EXPECT_EQ(box.maxY, 2.0f);
    EXPECT_EQ(box.maxZ, 3.0f);
}

TEST(PolygonBounds, EmptyPolygonStaysEmpty) {
    const CFloatBoundingBox2D none = GetPolygonBounds({});
    EXPECT_EQ(none.empty, 1);
    EXPECT_EQ(none.minX, 0.0f);
    EXPECT_EQ(none.maxY, 0.0f);

    const CFloatBoundingBox2D b = GetPolygonBounds({{2.0f, -1.0f}, {-3.0f, 4.0f}, {1.0f, -6.0f}});
    EXPECT_EQ(b.empty, 0);
    EXPECT_EQ(b.minX, -3.0f);
    EXPECT_EQ(b.minY, -6.0f);
    EXPECT_EQ(b.maxX, 2.0f);
    EXPECT_EQ(b.maxY, 4.0f);
}

}  // namespace
