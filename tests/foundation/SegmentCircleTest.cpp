#include <gtest/gtest.h>

#include <cmath>

#include "foundation/Circle2F.h"
#include "foundation/GeometryMath.h"
#include "foundation/Segment2F.h"

namespace {

TEST(Vector2FAngles, CounterClockwisePositiveWithYUp) {
    const CVector2F right(1.0f, 0.0f);
    EXPECT_FLOAT_EQ(right.GetAngleTo({0.0f, 1.0f}), static_cast<float>(kPi / 2.0));
    EXPECT_FLOAT_EQ(right.GetAngleTo({0.0f, -1.0f}), static_cast<float>(-kPi / 2.0));
    EXPECT_FLOAT_EQ(right.GetPositiveAngleTo({0.0f, -1.0f}), static_cast<float>(1.5 * kPi));
    EXPECT_FLOAT_EQ(CVector2F(0.0f, -1.0f).GetPolarAngle(), static_cast<float>(1.5 * kPi));
    EXPECT_EQ(CVector2F(0.0f, 1.0f).GetPolarAngle(), std::atan2(1.0f, 0.0f));
}

TEST(Vector2FLine, DistanceAndProjectionUseTheInfiniteLine) {
    const CSegment2F s({0.0f, 0.0f}, {2.0f, 0.0f});
    EXPECT_EQ(CVector2F(10.0f, -3.0f).GetDistanceToLine(s), 3.0f);
    EXPECT_EQ(CVector2F(10.0f, -3.0f).ProjectOntoLine(s), CVector2F(10.0f, 0.0f));
    const CSegment2F diagonal({0.0f, 0.0f}, {4.0f, 4.0f});
    EXPECT_EQ(CVector2F(0.0f, 2.0f).ProjectOntoLine(diagonal), CVector2F(1.0f, 1.0f));
}

TEST(Segment2F, NullSegment) {
    CSegment2F s({1.0f, 2.0f}, {3.0f, 4.0f});
    EXPECT_FALSE(s.IsZero());
    s.SetZero();
    EXPECT_TRUE(s.IsZero());
    EXPECT_FALSE(CSegment2F({0.0f, 0.0f}, {0.0f, 1e-30f}).IsZero());
}

TEST(Segment2F, CrossingAndCollinearOverlapTable) {
    struct Case {
        const char* name;
        CSegment2F a, b;
        bool crosses, overlapsCollinear;
    };
    const CSegment2F base({0.0f, 0.0f}, {10.0f, 0.0f});
    const Case cases[] = {
        {"shared end point", base, {{10.0f, 0.0f}, {10.0f, 10.0f}}, true, false},
        {"proper crossing",
         {{0.0f, 0.0f}, {10.0f, 10.0f}},
         {{0.0f, 10.0f}, {10.0f, 0.0f}},
         true,
         false},
        {"T junction", base, {{5.0f, 0.0f}, {5.0f, 5.0f}}, true, false},
        {"line meets, segment misses", base, {{11.0f, -1.0f}, {11.0f, 1.0f}}, false, false},
        {"parallel", base, {{0.0f, 1.0f}, {10.0f, 1.0f}}, false, false},
        {"collinear overlap", base, {{5.0f, 0.0f}, {15.0f, 0.0f}}, false, true},
        {"collinear, other inside", base, {{2.0f, 0.0f}, {3.0f, 0.0f}}, false, true},
        {"collinear, this inside", {{5.0f, 0.0f}, {6.0f, 0.0f}}, base, false, true},
        {"collinear, reversed cover", base, {{12.0f, 0.0f}, {-2.0f, 0.0f}}, false, true},
        {"collinear, touching ends", base, {{10.0f, 0.0f}, {20.0f, 0.0f}}, false, true},
        {"collinear, apart", base, {{11.0f, 0.0f}, {15.0f, 0.0f}}, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a.Crosses(c.b), c.crosses) << c.name;
        EXPECT_EQ(c.a.OverlapsCollinear(c.b), c.overlapsCollinear) << c.name;
        EXPECT_EQ(c.a.Intersects(c.b), c.crosses || c.overlapsCollinear) << c.name;
    }
}

TEST(Circle2F, ContainsAndOverlapsIncludeTheOutline) {
    const CCircle2F c({0.0f, 0.0f}, 5.0f);
    EXPECT_TRUE(c.Contains({3.0f, 4.0f}));
    EXPECT_FALSE(c.Contains({3.0f, 4.01f}));
    EXPECT_TRUE(CCircle2F({0.0f, 0.0f}, 2.0f).Overlaps(CCircle2F({5.0f, 0.0f}, 3.0f)));
    EXPECT_FALSE(CCircle2F({0.0f, 0.0f}, 2.0f).Overlaps(CCircle2F({5.1f, 0.0f}, 3.0f)));
}

TEST(Circle2F, CrossesSegmentOnlyWhereTheOutlineMeetsIt) {
    struct Case {
        const char* name;
        CSegment2F s;
        bool expected;
    };
    const Case cases[] = {
        {"through", {{-10.0f, 0.0f}, {10.0f, 0.0f}}, true},
        {"from inside out", {{0.0f, 0.0f}, {10.0f, 0.0f}}, true},
        {"tangent", {{-10.0f, 5.0f}, {10.0f, 5.0f}}, true},
        {"wholly inside", {{-1.0f, 0.0f}, {1.0f, 0.0f}}, false},
        {"on the line, outside", {{6.0f, 0.0f}, {10.0f, 0.0f}}, false},
        {"line misses", {{-10.0f, 6.0f}, {10.0f, 6.0f}}, false},
    };
    const CCircle2F c({0.0f, 0.0f}, 5.0f);
    for (const Case& k : cases) {
        EXPECT_EQ(c.CrossesSegment(k.s), k.expected) << k.name;
    }
}

}  // namespace
