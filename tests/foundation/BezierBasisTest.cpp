#include "foundation/BezierBasis.h"

#include <gtest/gtest.h>

namespace {

void ExpectWeights(const CBezierBasis& b, int i, double w0, double w1, double w2, double w3) {
    EXPECT_EQ(b.GetB0(i), w0) << "sample " << i;
    EXPECT_EQ(b.GetB1(i), w1) << "sample " << i;
    EXPECT_EQ(b.GetB2(i), w2) << "sample " << i;
    EXPECT_EQ(b.GetB3(i), w3) << "sample " << i;
}

TEST(BezierBasis, FreshTableHasTenSegmentsWithExactEnds) {
    const CBezierBasis b;
    ASSERT_EQ(b.GetSegmentCount(), 10);
    ExpectWeights(b, 0, 1.0, 0.0, 0.0, 0.0);
    ExpectWeights(b, 5, 0.125, 0.375, 0.375, 0.125);
    ExpectWeights(b, 10, 0.0, 0.0, 0.0, 1.0);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_NEAR(b.GetB0(i) + b.GetB1(i) + b.GetB2(i) + b.GetB3(i), 1.0, 1e-15);
    }
}

TEST(BezierBasis, NewCountRebuildsTheTable) {
    CBezierBasis b;
    ASSERT_EQ(b.SetSegmentCount(4), S_OK);
    EXPECT_EQ(b.GetSegmentCount(), 4);
    ExpectWeights(b, 1, 27.0 / 64.0, 27.0 / 64.0, 9.0 / 64.0, 1.0 / 64.0);
    ExpectWeights(b, 4, 0.0, 0.0, 0.0, 1.0);
    EXPECT_EQ(b.SetSegmentCount(4), S_OK);
}

TEST(BezierBasis, NonPositiveCountFailsAndKeepsTheTable) {
    CBezierBasis b;
    for (int n : {0, -3}) {
        const HRESULT hr = b.SetSegmentCount(n);
        EXPECT_EQ(hr, E_FAIL);
        EXPECT_TRUE(FAILED(hr));
        EXPECT_EQ(b.GetSegmentCount(), 10);
        ExpectWeights(b, 5, 0.125, 0.375, 0.375, 0.125);
        ExpectWeights(b, 10, 0.0, 0.0, 0.0, 1.0);
    }
}

TEST(BezierBasis, CopyOwnsItsTable) {
    CBezierBasis original;
    const CBezierBasis copy = original;
    ASSERT_EQ(original.SetSegmentCount(2), S_OK);
    EXPECT_EQ(copy.GetSegmentCount(), 10);
    ExpectWeights(copy, 10, 0.0, 0.0, 0.0, 1.0);
    ExpectWeights(original, 1, 0.125, 0.375, 0.375, 0.125);
}

}  // namespace
