#include "platform/gfx/Intersect.h"

#include <gtest/gtest.h>

#include <string>

#include "MathExpect.h"
#include "platform/gfx/VectorMath.h"

namespace gfx {
namespace {

struct RayCase {
    const char* name;
    Vector3 origin;
    Vector3 direction;
    bool hits;
    float u, v, distance;
};

void PrintTo(const RayCase& c, std::ostream* os) {
    *os << c.name;
}

class IntersectTriRay : public testing::TestWithParam<RayCase> {};

// Triangle p0 = origin, p1 on +x, p2 on +y: u is the hit's x, v its y.
TEST_P(IntersectTriRay, AgainstUnitTriangle) {
    const RayCase& c = GetParam();
    const std::optional<TriangleHit> hit =
        IntersectTri({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, c.origin, c.direction);
    ASSERT_EQ(hit.has_value(), c.hits);
    if (c.hits) {
        EXPECT_FLOAT_EQ(hit->u, c.u);
        EXPECT_FLOAT_EQ(hit->v, c.v);
        EXPECT_FLOAT_EQ(hit->distance, c.distance);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rays, IntersectTriRay,
    testing::Values(RayCase{"HitFromFront", {0.25f, 0.5f, -2}, {0, 0, 1}, true, 0.25f, 0.5f, 2},
                    RayCase{"HitFromBehind", {0.25f, 0.5f, 3}, {0, 0, -1}, true, 0.25f, 0.5f, 3},
                    RayCase{"DistanceCountsDirectionLengths",
                            {0.25f, 0.5f, -2},
                            {0, 0, 4},
                            true,
                            0.25f,
                            0.5f,
                            0.5f},
                    RayCase{"HitOnHypotenuse", {0.5f, 0.5f, -1}, {0, 0, 1}, true, 0.5f, 0.5f, 1},
                    RayCase{"HitOnCorner", {1, 0, -1}, {0, 0, 1}, true, 1, 0, 1},
                    RayCase{"MissBeyondHypotenuse", {0.6f, 0.6f, -1}, {0, 0, 1}, false, 0, 0, 0},
                    RayCase{"MissLeftOfTriangle", {-0.1f, 0.5f, -1}, {0, 0, 1}, false, 0, 0, 0},
                    RayCase{"MissBelowTriangle", {0.5f, -0.1f, -1}, {0, 0, 1}, false, 0, 0, 0},
                    RayCase{"MissBehindOrigin", {0.25f, 0.5f, 2}, {0, 0, 1}, false, 0, 0, 0},
                    RayCase{"MissParallelAbove", {-1, 0.25f, 1}, {1, 0, 0}, false, 0, 0, 0},
                    RayCase{"MissParallelInPlane", {-1, 0.25f, 0}, {1, 0, 0}, false, 0, 0, 0},
                    RayCase{"MissWithZeroDirection", {0.25f, 0.25f, 0}, {0, 0, 0}, false, 0, 0, 0}),
    [](const testing::TestParamInfo<RayCase>& info) { return std::string(info.param.name); });

TEST(IntersectTri, UVNameTheHitPointOnASlantedTriangle) {
    const Vector3 p0{1, 2, 3}, p1{6, 1, 4}, p2{2, 7, -1};
    const Vector3 origin{-3, -4, -10};
    const Vector3 target = Vec3BaryCentric(p0, p1, p2, 0.2f, 0.3f);
    const Vector3 direction = (target - origin) * 0.5f;
    const std::optional<TriangleHit> hit = IntersectTri(p0, p1, p2, origin, direction);
    ASSERT_TRUE(hit.has_value());
    EXPECT_NEAR(hit->u, 0.2f, 1e-5f);
    EXPECT_NEAR(hit->v, 0.3f, 1e-5f);
    EXPECT_NEAR(hit->distance, 2.0f, 1e-5f);
    EXPECT_TRUE(VectorNear(origin + hit->distance * direction, target, 1e-4f));
}

}  // namespace
}  // namespace gfx
