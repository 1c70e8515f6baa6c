#include "foundation/Vector2D.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "foundation/Matrix2D.h"

namespace {

TEST(Vector2DAngle, UsesScreenAxes) {
    struct Case {
        CVector2D v;
        double expected;
    };
    const Case cases[] = {
        {{0.0, 0.0}, 0.0},
        {{1.0, 0.0}, 0.0},
        {{0.0, -1.0}, kPi / 2.0},
        {{-1.0, 0.0}, kPi},
        {{0.0, 1.0}, -kPi / 2.0},
        {{-1.0, 1.0}, -3.0 * kPi / 4.0},
        {{-1.0, -1.0}, 3.0 * kPi / 4.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(c.v.GetAngle(), c.expected, 1e-15) << c.v.x << ", " << c.v.y;
    }
    EXPECT_EQ(CVector2D(-1.0, 0.0).GetAngle(), kPi);
    EXPECT_NEAR(CVector2D(-1.0, 1.0).GetPositiveAngleDegrees(), 225.0, 1e-12);
    EXPECT_NEAR(CVector2D(0.0, 1.0).GetAngleDegrees(), -90.0, 1e-12);
}

TEST(Vector2DAngleTo, FollowsTheScreenAxisSteps) {
    const CVector2D right(1.0, 0.0);
    EXPECT_EQ(right.GetAngleTo({0.0, 1.0}), -kPi / 2.0);
    EXPECT_EQ(right.GetAngleTo({0.0, -1.0}), kPi / 2.0);
    EXPECT_EQ(right.GetAngleTo({2.0, 0.0}), 0.0);
    EXPECT_EQ(CVector2D(0.0, 0.0).GetAngleTo(right), 0.0);
    EXPECT_NEAR(right.GetAngleTo({1.0, -1.0}), kPi / 4.0, 1e-15);
    EXPECT_NEAR(right.GetAngleTo({-1.0, -1.0}), 3.0 * kPi / 4.0, 1e-15);
    EXPECT_NEAR(right.GetAngleTo({-1.0, 1.0}), -3.0 * kPi / 4.0, 1e-15);
    EXPECT_NEAR(right.GetPositiveAngleTo({-1.0, 1.0}), 5.0 * kPi / 4.0, 1e-15);
    EXPECT_NEAR(right.GetAngleToDegrees({1.0, 1.0}), -45.0, 1e-12);
    EXPECT_NEAR(right.GetPositiveAngleToDegrees({1.0, 1.0}), 315.0, 1e-12);
}

// -atan2 would give +pi when the cross product is -0; every pair of opposite
// vectors must give -pi.
TEST(Vector2DAngleTo, OppositeVectorsGiveMinusPiWhateverTheZeroSign) {
    const CVector2D left(-1.0, 0.0);
    const CVector2D right(1.0, 0.0);
    ASSERT_TRUE(std::signbit(left.Cross(right)));
    EXPECT_EQ(left.GetAngleTo(right), -kPi);
    ASSERT_FALSE(std::signbit(right.Cross(left)));
    EXPECT_EQ(right.GetAngleTo(left), -kPi);
    EXPECT_EQ(CVector2D(0.0, 3.0).GetAngleTo({0.0, -2.0}), -kPi);
    EXPECT_EQ(left.GetPositiveAngleTo(right), kPi);
}

TEST(Vector2DSnapToDiagonal, KeepsTheSmallerTruncatedMagnitude) {
    struct Case {
        CVector2D v, expected;
    };
    const Case cases[] = {
        {{5.0, -3.0}, {3.0, -3.0}}, {{3.7, 3.2}, {3.7, 3.7}},   {{-2.0, 7.9}, {-2.0, 2.0}},
        {{-6.5, 0.9}, {-0.9, 0.9}}, {{0.0, -4.0}, {0.0, -0.0}},
    };
    for (const Case& c : cases) {
        const CVector2D s = c.v.SnapToDiagonal();
        EXPECT_EQ(s.x, c.expected.x) << c.v.x << ", " << c.v.y;
        EXPECT_EQ(s.y, c.expected.y) << c.v.x << ", " << c.v.y;
    }
}

TEST(Vector2DUnitAndNormal, ZeroVectorGivesZero) {
    EXPECT_EQ(CVector2D().GetUnit(), CVector2D(0.0, 0.0));
    EXPECT_EQ(CVector2D().GetNormal(), CVector2D(0.0, 0.0));
    EXPECT_EQ(CVector2D(0.0, -4.0).GetUnit(), CVector2D(0.0, -1.0));
    EXPECT_EQ(CVector2D(3.0, 4.0).GetNormal(), CVector2D(-0.8, 0.6));
}

TEST(Vector2DRotateAndLengthen, AxisAnglesStayExact) {
    EXPECT_EQ(CVector2D(1.0, 0.0).RotateDegrees(90.0), CVector2D(0.0, 1.0));
    EXPECT_EQ(CVector2D(2.0, 3.0).RotateDegrees(180.0), CVector2D(-2.0, -3.0));
    EXPECT_EQ(CVector2D(10.0, 0.0).Lengthen(5.0), CVector2D(15.0, 0.0));
    // Up on the screen stays up: the angle is a screen angle.
    EXPECT_EQ(CVector2D(0.0, -10.0).Lengthen(5.0), CVector2D(0.0, -15.0));
    const CVector2D l = CVector2D(3.0, 4.0).Lengthen(5.0);
    EXPECT_NEAR(l.x, 6.0, 1e-12);
    EXPECT_NEAR(l.y, 8.0, 1e-12);
}

TEST(Vector2DTransform, ScalesThenRotates) {
    const CMatrix2D m(2.0, 3.0, 90.0);
    EXPECT_EQ(CVector2D(1.0, 1.0).Transform(m), CVector2D(-3.0, 2.0));
    EXPECT_EQ(CVector2D(1.0, 1.0).Transform(CMatrix2D(2.0, 3.0, 0.0)), CVector2D(2.0, 3.0));
}

TEST(Vector2DToPoint, RoundsHalvesAwayAndSaturates) {
    const POINT p = CVector2D(2.5, -2.5).ToPoint();
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, -3);
    const POINT q = CVector2D(1e20, std::numeric_limits<double>::quiet_NaN()).ToPoint();
    EXPECT_EQ(q.x, INT_MAX);
    EXPECT_EQ(q.y, 0);
    const POINT f = CVector2F(-1.5f, 0.49f).ToPoint();
    EXPECT_EQ(f.x, -2);
    EXPECT_EQ(f.y, 0);
}

TEST(Vector2DPoints, IntegerPointOperations) {
    const POINT p{3, -4};
    CVector2D v(p);
    EXPECT_TRUE(v.EqualsPoint(p));
    EXPECT_EQ(v.AddPoint(p), CVector2D(6.0, -8.0));
    EXPECT_EQ(v.SubtractPoint(p), CVector2D(0.0, 0.0));
    v.AssignVector2F(CVector2F(0.1f, 2.0f));
    EXPECT_EQ(v.x, static_cast<double>(0.1f));
    EXPECT_EQ(v.ToVector2F(), CVector2F(0.1f, 2.0f));
}

TEST(EllipseAndPolarPoints, UseDegreeAnglesWithExactAxes) {
    EXPECT_EQ(GetEllipsePoint(4.0, 2.0, 90.0), CVector2D(0.0, 2.0));
    EXPECT_EQ(GetPolarPoint(5.0, 180.0), CVector2D(-5.0, 0.0));
    EXPECT_TRUE(IsWithinDistance({0.0, 0.0}, {3.0, 4.0}, 5.0));
    EXPECT_FALSE(IsWithinDistance({0.0, 0.0}, {3.0, 4.0}, 4.999));
}

}  // namespace
