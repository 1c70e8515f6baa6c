#include <gtest/gtest.h>

#include "foundation/SegmentCrossing.h"

namespace {

struct CrossCase {
    const char* name;
    CSegment2F a, b;
    bool crosses;
};

const CSegment2F kBase({0.0f, 0.0f}, {10.0f, 0.0f});

// The answer must not depend on which segment comes first or on the
// direction of either, so each case runs in all eight arrangements.
TEST(SegmentsCross, TouchingCountsSharedEndsAndCollinearOverlapsDoNot) {
    const CrossCase cases[] = {
        {"proper crossing", {{0.0f, 0.0f}, {10.0f, 10.0f}}, {{0.0f, 10.0f}, {10.0f, 0.0f}}, true},
        {"touching inside", kBase, {{5.0f, 0.0f}, {5.0f, 5.0f}}, true},
        {"end touches the middle of the other", {{5.0f, -5.0f}, {5.0f, 0.0f}}, kBase, true},
        {"shared endpoint", kBase, {{10.0f, 0.0f}, {10.0f, 5.0f}}, false},
        {"shared endpoint while crossing the line", kBase, {{0.0f, 0.0f}, {5.0f, 5.0f}}, false},
        {"collinear overlap", kBase, {{5.0f, 0.0f}, {15.0f, 0.0f}}, false},
        {"collinear, one inside", kBase, {{2.0f, 0.0f}, {3.0f, 0.0f}}, false},
        {"lines cross, segment ends short", kBase, {{11.0f, -1.0f}, {11.0f, 1.0f}}, false},
        {"both ends on one side", kBase, {{0.0f, 1.0f}, {10.0f, 2.0f}}, false},
        {"parallel", kBase, {{0.0f, 1.0f}, {10.0f, 1.0f}}, false},
    };
    for (const CrossCase& c : cases) {
        const CSegment2F a[] = {c.a, {c.a.end, c.a.start}};
        const CSegment2F b[] = {c.b, {c.b.end, c.b.start}};
        for (const CSegment2F& s : a) {
            for (const CSegment2F& t : b) {
                EXPECT_EQ(SegmentsCross(s.start, s.end, t.start, t.end), c.crosses) << c.name;
                EXPECT_EQ(SegmentsCross(t.start, t.end, s.start, s.end), c.crosses) << c.name;
            }
        }
    }
}

TEST(IntersectFloatSegments, MeetingPointAndTouchingRules) {
    const CVector2F untouched(-99.0f, -99.0f);
    struct Case {
        const char* name;
        CSegment2F a, b;
        bool meets;
        CVector2F point;
    };
    const Case cases[] = {
        {"crossing",
         {{0.0f, 0.0f}, {10.0f, 10.0f}},
         {{0.0f, 10.0f}, {10.0f, 0.0f}},
         true,
         {5.0f, 5.0f}},
        {"touching inside", kBase, {{5.0f, 0.0f}, {5.0f, 5.0f}}, true, {5.0f, 0.0f}},
        // Unlike SegmentsCross, a shared end is a meeting.
        {"shared endpoint", kBase, {{10.0f, 0.0f}, {10.0f, 5.0f}}, true, {10.0f, 0.0f}},
        // The lines' intersection is written even when the segments miss.
        {"segments miss", kBase, {{12.0f, 1.0f}, {12.0f, 5.0f}}, false, {12.0f, 0.0f}},
        {"other segment beyond the end",
         kBase,
         {{11.0f, -1.0f}, {11.0f, 1.0f}},
         false,
         {11.0f, 0.0f}},
        {"parallel", kBase, {{0.0f, 1.0f}, {10.0f, 1.0f}}, false, untouched},
        {"collinear", kBase, {{5.0f, 0.0f}, {15.0f, 0.0f}}, false, untouched},
    };
    for (const Case& c : cases) {
        CVector2F out = untouched;
        EXPECT_EQ(IntersectFloatSegments(c.a, c.b, out), c.meets) << c.name;
        EXPECT_EQ(out, c.point) << c.name;
    }
}

}  // namespace
