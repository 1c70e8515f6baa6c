#include "foundation/GeometryMath.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundToInt, RoundsHalvesAwayFromZeroAndSaturates) {
    struct Case {
        double x;
        int expected;
    };
    const Case cases[] = {
        {2.5, 3},
        {-2.5, -3},
        {2.4999, 2},
        {-0.5, -1},
        {-0.4999, 0},
        {2147483647.4, INT_MAX},
        {2147483647.6, INT_MAX},
        {-2147483648.4, INT_MIN},
        {1e300, INT_MAX},
        {-1e300, INT_MIN},
        {kInf, INT_MAX},
        {-kInf, INT_MIN},
        {kNaN, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundToInt(c.x), c.expected) << "x = " << c.x;
    }
}

TEST(RoundToDecimals, RoundsHalvesAwayFromZero) {
    EXPECT_DOUBLE_EQ(RoundToDecimals(-1.25, 1), -1.3);
    EXPECT_DOUBLE_EQ(RoundToDecimals(1.25, 1), 1.3);
    EXPECT_DOUBLE_EQ(RoundToDecimals(0.05, 1), 0.1);
    EXPECT_EQ(RoundToDecimals(-123.5, 0), -124.0);
    EXPECT_EQ(RoundToDecimals(123.456, 0), 123.0);
}

TEST(NormalizeDegrees, MapsIntoOneTurnAndSnapsOnlyNearZero) {
    struct Case {
        double a;
        double expected;
    };
    const Case cases[] = {
        {-90.0, 270.0}, {720.0, 0.0},    {725.5, 5.5},         {-1000.0, 80.0},  {0.0005, 0.0},
        {-0.0005, 0.0}, {360.0005, 0.0}, {359.9995, 359.9995}, {0.0008, 0.0008},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormalizeDegrees(c.a), c.expected) << "a = " << c.a;
    }
}

TEST(NormalizeRadians, MapsIntoOneTurnAndSnapsNearZero) {
    EXPECT_EQ(NormalizeRadians(-0.0007), 0.0);
    EXPECT_EQ(NormalizeRadians(kTwoPi), 0.0);
    EXPECT_EQ(NormalizeRadians(-kPi / 2.0), -kPi / 2.0 + kTwoPi);
    EXPECT_EQ(NormalizeRadians(kTwoPi - 0.0001), kTwoPi - 0.0001);
}

// These inputs used to loop forever (infinities) or for ages (huge values).
TEST(NormalizeAngles, NonFiniteAndHugeInputsReturnPromptlyInRange) {
    for (double a : {kInf, -kInf, kNaN}) {
        EXPECT_EQ(NormalizeDegrees(a), 0.0) << "a = " << a;
        EXPECT_EQ(NormalizeRadians(a), 0.0) << "a = " << a;
        EXPECT_EQ(RadiansToDegrees(a), 0.0) << "a = " << a;
        EXPECT_EQ(SinDegrees(a), 0.0) << "a = " << a;
        EXPECT_EQ(CosDegrees(a), std::cos(0.0)) << "a = " << a;
    }
    for (double a : {1e300, -1e300, 1e20, -3.7e12}) {
        const double d = NormalizeDegrees(a);
        EXPECT_TRUE(d >= 0.0 && d < 360.0) << "a = " << a << " gives " << d;
        const double r = NormalizeRadians(a);
        EXPECT_TRUE(r >= 0.0 && r < kTwoPi) << "a = " << a << " gives " << r;
        const double s = SinDegrees(a);
        EXPECT_TRUE(s >= -1.0 && s <= 1.0) << "a = " << a;
    }
    // A huge whole number of turns is still exactly 0.
    EXPECT_EQ(NormalizeDegrees(360.0 * 1e9), 0.0);
}

TEST(RadiansToDegrees, NormalisesTheConvertedAngle) {
    EXPECT_EQ(RadiansToDegrees(-kPi / 2.0), NormalizeDegrees(-kPi / 2.0 * kDegreesPerRadian));
    EXPECT_NEAR(RadiansToDegrees(-kPi / 2.0), 270.0, 1e-12);
}

TEST(SinCosDegrees, SnapToExactZeroNearTheirZerosOnly) {
    EXPECT_EQ(SinDegrees(180.005), 0.0);
    EXPECT_EQ(SinDegrees(0.009), 0.0);
    EXPECT_NE(SinDegrees(-0.009), 0.0);
    EXPECT_EQ(SinDegrees(540.0), 0.0);
    EXPECT_NE(SinDegrees(359.995), 0.0);
    EXPECT_NE(SinDegrees(180.02), 0.0);
    EXPECT_EQ(CosDegrees(-90.0), 0.0);
    EXPECT_EQ(CosDegrees(90.0), 0.0);
    EXPECT_EQ(CosDegrees(270.009), 0.0);
    EXPECT_NE(CosDegrees(89.99), 0.0);
    // No snapping to +-1.
    EXPECT_LT(SinDegrees(89.995), 1.0);
    EXPECT_GT(CosDegrees(180.005), -1.0);
    EXPECT_EQ(SinDegrees(30.0), std::sin(30.0 * kRadiansPerDegree));
}

TEST(GreatestCommonDivisor, HandlesZeroAndExtremeOperands) {
    struct Case {
        int a, b, expected;
    };
    const Case cases[] = {
        {12, 18, 6},
        {18, 12, 6},
        {7, 0, 7},
        {-7, 0, 7},
        {0, 0, 0},
        {0, 5, 5},
        {17, 5, 1},
        {INT_MIN, -1, -1},
        {INT_MIN, 0, INT_MIN},
        {INT_MIN, INT_MIN, INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GreatestCommonDivisor(c.a, c.b), c.expected) << c.a << ", " << c.b;
    }
}

TEST(MultiplyDividePoint, TruncateTowardZero) {
    const POINT m = MultiplyPoint({3, -3}, 0.5);
    EXPECT_EQ(m.x, 1);
    EXPECT_EQ(m.y, -1);
    const POINT d = DividePoint({7, -7}, 2.0);
    EXPECT_EQ(d.x, 3);
    EXPECT_EQ(d.y, -3);
    const POINT big = MultiplyPoint({INT_MAX, INT_MIN}, 4.0);
    EXPECT_EQ(big.x, INT_MAX);
    EXPECT_EQ(big.y, INT_MIN);
}

}  // namespace
