#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "objects/HoleTunnelGeometry.h"

namespace {

// A square hole of side 10 at z = 0, and the same square at z = depth of
// each corner.
std::vector<TunnelPoint> Square(std::vector<float> depths) {
    const float corners[4][2] = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    std::vector<TunnelPoint> points;
    for (std::size_t k = 0; k < 4; ++k) {
        points.push_back({corners[k][0], corners[k][1], depths.empty() ? 0.0f : depths[k]});
    }
    return points;
}

std::vector<TunnelPoint> Circle(int count, float radius, float z, int firstStep) {
    std::vector<TunnelPoint> points;
    for (int k = 0; k < count; ++k) {
        const double a = 2.0 * 3.141592653589793 * (k + firstStep) / count;
        points.push_back({radius * static_cast<float>(std::cos(a)),
                          radius * static_cast<float>(std::sin(a)), z});
    }
    return points;
}

}  // namespace

TEST(HoleTunnelGeometryTest, FarSideVRunsToEachCornersShareOfTheDeeperOne) {
    const struct {
        const char* name;
        std::vector<float> farDepths;
        std::vector<std::array<float, 2>> v;  // vq, vr per band
    } cases[] = {
        {"even wall", {20, 20, 20, 20}, {{1, 1}, {1, 1}, {1, 1}, {1, 1}}},
        {"first corner shallower", {10, 20, 20, 20}, {{0.5f, 1}, {1, 1}, {1, 1}, {1, 0.5f}}},
        // No depth at all must not divide by it.
        {"no thickness", {0, 0, 0, 0}, {{1, 1}, {1, 1}, {1, 1}, {1, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<TunnelPoint> nearSide = Square({});
        const std::vector<TunnelPoint> farSide = Square(c.farDepths);
        const std::vector<TunnelQuad> quads = MakeTunnelQuads(nearSide, farSide, false);
        ASSERT_EQ(quads.size(), 4u);
        for (std::size_t k = 0; k < 4; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(quads[k].m, nearSide[k]);
            EXPECT_EQ(quads[k].o, nearSide[(k + 1) % 4]);
            EXPECT_EQ(quads[k].q, farSide[k]);
            EXPECT_EQ(quads[k].r, farSide[(k + 1) % 4]);
            EXPECT_EQ(quads[k].u0, 0.0f);
            EXPECT_EQ(quads[k].u1, 1.0f);
            EXPECT_FLOAT_EQ(quads[k].vq, c.v[k][0]);
            EXPECT_FLOAT_EQ(quads[k].vr, c.v[k][1]);
        }
    }
}

TEST(HoleTunnelGeometryTest, RoundHoleRunsOnceRoundInThirtySixSteps) {
    const std::vector<TunnelPoint> nearSide = Circle(36, 20, 0, 0);
    std::vector<TunnelPoint> farSide = Circle(36, 20, 20, 0);
    // The far face lists its circle the other way round and from another
    // point; matching turns it back.
    std::reverse(farSide.begin(), farSide.end());
    std::rotate(farSide.begin(), farSide.begin() + 7, farSide.end());
    farSide = MatchFarOutline(farSide, nearSide.front(), true);

    const std::vector<TunnelQuad> quads = MakeTunnelQuads(nearSide, farSide, true);
    ASSERT_EQ(quads.size(), 36u);
    for (std::size_t k = 0; k < quads.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_FLOAT_EQ(quads[k].u0, k / 36.0f);
        EXPECT_FLOAT_EQ(quads[k].u1, (k + 1) / 36.0f);
        // Every band runs straight across the wall.
        EXPECT_NEAR(quads[k].q[0], quads[k].m[0], 1e-4f);
        EXPECT_NEAR(quads[k].q[1], quads[k].m[1], 1e-4f);
        EXPECT_FLOAT_EQ(quads[k].vq, 1.0f);
        EXPECT_FLOAT_EQ(quads[k].vr, 1.0f);
    }
}

TEST(HoleTunnelGeometryTest, OutlinesThatDoNotPairMakeNoTunnel) {
    const std::vector<TunnelPoint> square = Square({});
    const std::vector<TunnelPoint> triangle(square.begin(), square.begin() + 3);
    const std::vector<TunnelPoint> line(square.begin(), square.begin() + 2);
    EXPECT_TRUE(MakeTunnelQuads(square, triangle, false).empty());
    EXPECT_TRUE(MakeTunnelQuads(line, line, false).empty());
    // A polygon's far side is only reversed, never turned.
    const std::vector<TunnelPoint> matched = MatchFarOutline(square, square[2], false);
    EXPECT_EQ(matched, std::vector<TunnelPoint>(square.rbegin(), square.rend()));
}
