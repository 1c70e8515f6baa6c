#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <tuple>

#include "view3d/D3DEngine.h"
#include "view3d/OverlayPrism.h"

namespace {

TEST(D3DEngine, FrameRateFromTheTickStamps) {
    struct Case {
        uint32_t a, b, rate;
    };
    // Equal stamps count as 1000 frames a second; the stamps wrap.
    for (const Case& c : {Case{500, 500, 1000}, Case{504, 500, 250}, Case{2, 0xFFFFFFFFu, 333},
                          Case{1500, 500, 1}}) {
        CD3DEngine engine;
        engine.SetTickCountA(c.a);
        engine.SetTickCountB(c.b);
        EXPECT_EQ(engine.GetFrameRate(), c.rate) << c.a << " - " << c.b;
    }
}

TEST(D3DEngine, GridSettingsStartAt20By20Step2InGreen) {
    CD3DEngine engine;
    GridSettings grid;
    EXPECT_EQ(engine.GetGridSettings(&grid), &grid);
    EXPECT_EQ(std::tie(grid.length, grid.width, grid.step), std::make_tuple(20.0f, 20.0f, 2.0f));
    EXPECT_EQ(std::tie(grid.red, grid.green, grid.blue), std::make_tuple(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(engine.GetGridShown(), 1);
    EXPECT_EQ(engine.GetGridLineCount(), 0);
}

TEST(OverlayPrism, OctagonalPrismWithExactCornersAndSharedSideNormals) {
    const auto prism = BuildOverlayPrism();
    const std::set<std::pair<float, float>> octagon = {
        {1.0f, 0.0f},  {0.707f, 0.707f},   {0.0f, 1.0f},  {-0.707f, 0.707f},
        {-1.0f, 0.0f}, {-0.707f, -0.707f}, {0.0f, -1.0f}, {0.707f, -0.707f}};
    for (const OverlayVertex& v : prism) {
        EXPECT_TRUE(v.x == 0.0f || v.x == 1.0f);
        EXPECT_TRUE(octagon.count({v.y, v.z}) == 1) << v.y << ", " << v.z;
        EXPECT_EQ(v.u, 0.0f);
        EXPECT_EQ(v.v, 0.0f);
    }

    // The caps: 6 triangles each, the first as given.
    const auto expectVertex = [&](int index, float x, float y, float z) {
        EXPECT_EQ(prism[index].x, x) << index;
        EXPECT_EQ(prism[index].y, y) << index;
        EXPECT_EQ(prism[index].z, z) << index;
    };
    expectVertex(0, 0, 1, 0);
    expectVertex(1, 0, 0, 1);
    expectVertex(2, 0, 0.707f, 0.707f);
    expectVertex(18, 1, 1, 0);
    expectVertex(19, 1, 0.707f, 0.707f);
    expectVertex(20, 1, 0, 1);
    for (int i = 0; i < 36; ++i) {
        EXPECT_EQ(prism[i].nx, i < 18 ? -1.0f : 1.0f) << i;
        EXPECT_EQ(prism[i].ny, 0.0f);
        EXPECT_EQ(prism[i].nz, 0.0f);
    }

    // The sides: four pairs of two sides (12 vertices) with one normal.
    const float normals[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
    for (int i = 36; i < kOverlayPrismVertexCount; ++i) {
        const int pair = (i - 36) / 12;
        EXPECT_EQ(prism[i].nx, 0.0f);
        EXPECT_EQ(prism[i].ny, normals[pair][0]) << i;
        EXPECT_EQ(prism[i].nz, normals[pair][1]) << i;
    }
    // The first side runs from (1, 0) to (0.707, -0.707).
    expectVertex(36, 0, 1, 0);
    expectVertex(37, 1, 1, 0);
    expectVertex(38, 0, 0.707f, -0.707f);
    expectVertex(39, 1, 1, 0);
    expectVertex(40, 1, 0.707f, -0.707f);
    expectVertex(41, 0, 0.707f, -0.707f);
}

}  // namespace
