#include <gtest/gtest.h>

#include <cmath>

#include "foundation/GeometryMath.h"
#include "foundation/Point3Helpers.h"
#include "foundation/ToleranceComparison.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr float kHalfPi = static_cast<float>(kPi / 2.0);

void ExpectNear(const gfx::Vector3& actual, const gfx::Vector3& expected, const char* name) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6f) << name;
    EXPECT_NEAR(actual.y, expected.y, 1e-6f) << name;
    EXPECT_NEAR(actual.z, expected.z, 1e-6f) << name;
}

// Quarter turns where applying the steps in another order gives another
// axis: Y turn, then X turn, then roll (Z), pitch (X) and yaw (Y).
TEST(RotatePoint3, StepsApplyInTheirOrder) {
    struct Case {
        const char* name;
        gfx::Vector3 p;
        float turnY, turnX, roll, yaw, pitch;
        gfx::Vector3 expected;
    };
    const Case cases[] = {
        {"no turn", {1, 2, 3}, 0, 0, 0, 0, 0, {1, 2, 3}},
        {"turn about Y, +x goes to +z", {1, 0, 0}, kHalfPi, 0, 0, 0, 0, {0, 0, 1}},
        {"Y turn before X turn", {1, 0, 0}, kHalfPi, kHalfPi, 0, 0, 0, {0, 1, 0}},
        {"X turn before roll", {1, 0, 0}, kHalfPi, kHalfPi, kHalfPi, 0, 0, {-1, 0, 0}},
        {"all but pitch", {1, 0, 0}, kHalfPi, kHalfPi, kHalfPi, kHalfPi, 0, {0, 0, -1}},
        {"roll before pitch", {1, 0, 0}, 0, 0, kHalfPi, 0, kHalfPi, {0, 0, -1}},
        {"pitch before yaw", {1, 0, 0}, 0, 0, 0, kHalfPi, kHalfPi, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        ExpectNear(RotatePoint3(c.p, c.turnY, c.turnX, c.roll, c.yaw, c.pitch), c.expected, c.name);
    }
}

TEST(ExtendBox3, FirstPointResetsLaterPointsGrowPerAxis) {
    gfx::Vector3 min{-100, -100, -100}, max{100, 100, 100};
    ExtendBox3(min, max, {1, 2, 3}, true);
    EXPECT_EQ(min, (gfx::Vector3{1, 2, 3}));
    EXPECT_EQ(max, (gfx::Vector3{1, 2, 3}));
    ExtendBox3(min, max, {0, 5, 3}, false);
    ExtendBox3(min, max, {4, -1, 3}, false);
    EXPECT_EQ(min, (gfx::Vector3{0, -1, 3}));
    EXPECT_EQ(max, (gfx::Vector3{4, 5, 3}));
}

TEST(GetDirectionAngles, HeadingOnTheGroundPitchDownwards) {
    struct Case {
        const char* name;
        gfx::Vector3 from, to;
        float heading, pitch, length;
    };
    const Case cases[] = {
        {"along +x", {0, 0, 0}, {10, 0, 0}, 0, 0, 10},
        {"along +z", {0, 0, 0}, {0, 0, 10}, kHalfPi, 0, 10},
        {"along -x", {0, 0, 0}, {-10, 0, 0}, 2 * kHalfPi, 0, 10},
        {"along -z", {0, 0, 0}, {0, 0, -10}, 3 * kHalfPi, 0, 10},
        {"straight down", {0, 0, 0}, {0, -10, 0}, 0, kHalfPi, 10},
        {"up and forward, from away", {1, 2, 3}, {4, 6, 3}, 0, std::asin(-0.8f), 5},
        {"same point", {1, 2, 3}, {1, 2, 3}, 0, 0, 0},
        // Normalising this vector rounds its y past 1.
        {"tiny step up", {0, 0, 0}, {0, 1.00030016e-21f, 0}, 0, -kHalfPi, 1.00030016e-21f},
    };
    for (const Case& c : cases) {
        const DirectionAngles angles = GetDirectionAngles(c.from, c.to);
        EXPECT_NEAR(angles.heading, c.heading, 1e-6f) << c.name;
        EXPECT_NEAR(angles.pitch, c.pitch, 1e-6f) << c.name;
        // Relative: the tiny step's squared length loses digits as a subnormal.
        EXPECT_NEAR(angles.length, c.length, c.length * 1e-3f) << c.name;
    }
}

TEST(ToleranceComparison, VectorsStrictlyWithinOneTenthPerAxis) {
    struct Case {
        gfx::Vector3 b;
        bool equal;
    };
    const Case cases[] = {
        {{0.05f, 0.09f, 0.0f}, true}, {{0.1f, 0.0f, 0.0f}, false},  {{0.0f, -0.1f, 0.0f}, false},
        {{0.0f, 0.0f, 0.1f}, false},  {{0.0f, 0.0f, 0.099f}, true}, {{0.0f, 0.0f, 5.0f}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AlmostEqualVector3({0, 0, 0}, c.b), c.equal)
            << c.b.x << " " << c.b.y << " " << c.b.z;
        EXPECT_EQ(AlmostEqualVector3(c.b, {0, 0, 0}), c.equal);
    }
}

TEST(ToleranceComparison, ScalarsWithinTheToleranceIncludingItsEdge) {
    EXPECT_TRUE(NearlyEqual(1.0f, 1.5f, 0.5f));
    EXPECT_TRUE(NearlyEqual(1.5f, 1.0f, 0.5f));
    EXPECT_FALSE(NearlyEqual(1.0f, 1.5001f, 0.5f));
    EXPECT_TRUE(NearlyEqual(2.0f, 2.0f, 0.0f));
}

}  // namespace
