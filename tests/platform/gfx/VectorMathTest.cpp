#include "platform/gfx/VectorMath.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "MathExpect.h"
#include "platform/gfx/MatrixMath.h"

namespace gfx {
namespace {

TEST(Vec3Cross, FollowsTheCameraSideConvention) {
    // Direction +z crossed with up +y gives the camera's side vector -x.
    EXPECT_EQ(Vec3Cross({0, 0, 1}, {0, 1, 0}), (Vector3{-1, 0, 0}));
    EXPECT_EQ(Vec3Cross({1, 0, 0}, {0, 1, 0}), (Vector3{0, 0, 1}));
    EXPECT_EQ(Vec3Cross({2, 3, 4}, {2, 3, 4}), (Vector3{0, 0, 0}));
}

TEST(Vec3Normalize, GivesUnitLengthAndKeepsZeroAtZero) {
    EXPECT_TRUE(VectorNear(Vec3Normalize({3, 0, -4}), {0.6f, 0, -0.8f}, 1e-7f));
    EXPECT_EQ(Vec3Normalize({0, 0, 0}), (Vector3{0, 0, 0}));
    EXPECT_FLOAT_EQ(Vec3Length({3, 0, -4}), 5.0f);
    EXPECT_FLOAT_EQ(Vec3LengthSq({3, 0, -4}), 25.0f);
}

TEST(Vec3Transform, KeepsWWhileTransformCoordDividesByIt) {
    const Matrix projection = MatrixPerspectiveFovLH(1.0f, 1.5f, 1, 1000);
    const Vector3 p{10, -20, 250};
    const Vector4 h = Vec3Transform(p, projection);
    EXPECT_FLOAT_EQ(h.w, 250.0f);
    EXPECT_TRUE(
        VectorNear(Vec3TransformCoord(p, projection), {h.x / h.w, h.y / h.w, h.z / h.w}, 1e-7f));
}

TEST(Vec3TransformNormal, IgnoresTheTranslationRow) {
    const Matrix m = MatrixRotationY(1.5707964f) * MatrixTranslation(100, 200, 300);
    EXPECT_TRUE(VectorNear(Vec3TransformNormal({1, 0, 0}, m), {0, 0, -1}, 1e-6f));
}

TEST(ComputeBoundingBox, ReadsPositionsAtTheStrideOnly) {
    // Position, normal and texture coordinates: 32-byte vertices. The large
    // normals and texture coordinates must not reach the box.
    struct Vertex {
        float x, y, z, nx, ny, nz, u, v;
    };
    const Vertex vertices[] = {{1, -2, 3, 99, 99, 99, 99, 99},
                               {-4, 5, 0, -99, -99, -99, -99, -99},
                               {2, 0, -6, 0, 0, 0, 0, 0}};
    Vector3 min;
    Vector3 max;
    ASSERT_TRUE(ComputeBoundingBox(vertices, 3, sizeof(Vertex), min, max));
    EXPECT_EQ(min, (Vector3{-4, -2, -6}));
    EXPECT_EQ(max, (Vector3{2, 5, 3}));
}

TEST(ComputeBoundingBox, RefusesAnEmptyArrayAndLeavesTheBox) {
    const float positions[3] = {1, 2, 3};
    Vector3 min{7, 7, 7};
    Vector3 max{8, 8, 8};
    EXPECT_FALSE(ComputeBoundingBox(positions, 0, 12, min, max));
    EXPECT_FALSE(ComputeBoundingBox(nullptr, 5, 12, min, max));
    EXPECT_EQ(min, (Vector3{7, 7, 7}));
    EXPECT_EQ(max, (Vector3{8, 8, 8}));
}

}  // namespace
}  // namespace gfx
