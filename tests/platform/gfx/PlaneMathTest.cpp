#include "platform/gfx/PlaneMath.h"

#include <gtest/gtest.h>

#include "MathExpect.h"
#include "platform/gfx/MatrixMath.h"

namespace gfx {
namespace {

TEST(PlaneFromPoints, NormalIsTheCrossOfTheTwoEdges) {
    // (v2 - v1) x (v3 - v1) = +z x +x = +y, so the plane is y = 5.
    const Plane p = PlaneFromPoints({0, 5, 0}, {0, 5, 1}, {1, 5, 0});
    EXPECT_FLOAT_EQ(p.a, 0);
    EXPECT_FLOAT_EQ(p.b, 1);
    EXPECT_FLOAT_EQ(p.c, 0);
    EXPECT_FLOAT_EQ(p.d, -5);
    EXPECT_FLOAT_EQ(PlaneDotCoord(p, {3, 7, -3}), 2);

    const Plane swapped = PlaneFromPoints({0, 5, 0}, {1, 5, 0}, {0, 5, 1});
    EXPECT_FLOAT_EQ(swapped.b, -1);
    EXPECT_FLOAT_EQ(swapped.d, 5);
}

TEST(PlaneFromPoints, SlantedPlaneHasUnitNormal) {
    const Plane p = PlaneFromPoints({10, 0, 0}, {0, 10, 0}, {0, 0, 10});
    EXPECT_TRUE(VectorNear({p.a, p.b, p.c}, {0.57735027f, 0.57735027f, 0.57735027f}, 1e-6f));
    EXPECT_NEAR(PlaneDotCoord(p, {0, 0, 0}), -5.7735027f, 1e-5f);
}

TEST(PlaneFromPoints, CollinearPointsGiveTheZeroPlaneAndAnIdentityReflection) {
    const Plane p = PlaneFromPoints({1, 1, 1}, {2, 2, 2}, {3, 3, 3});
    EXPECT_EQ(p.a, 0);
    EXPECT_EQ(p.b, 0);
    EXPECT_EQ(p.c, 0);
    EXPECT_EQ(p.d, 0);
    EXPECT_TRUE(MatrixNear(MatrixReflect(p), MatrixIdentity(), 0));
}

TEST(PlaneNormalize, ScalesAllFourTerms) {
    const Plane p = PlaneNormalize({0, 0, -4, 8});
    EXPECT_FLOAT_EQ(p.c, -1);
    EXPECT_FLOAT_EQ(p.d, 2);
}

}  // namespace
}  // namespace gfx
