#include "platform/gfx/MatrixMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "MathExpect.h"
#include "platform/gfx/VectorMath.h"

namespace gfx {
namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

struct TransformCase {
    const char* name;
    Matrix matrix;
    Vector3 point;
    Vector3 expected;
};

void PrintTo(const TransformCase& c, std::ostream* os) {
    *os << c.name;
}

class MatrixMapsPoint : public testing::TestWithParam<TransformCase> {};

TEST_P(MatrixMapsPoint, ThroughTransformCoord) {
    const TransformCase& c = GetParam();
    EXPECT_TRUE(VectorNear(Vec3TransformCoord(c.point, c.matrix), c.expected, 1e-5f));
}

Matrix HomogeneousHalving() {
    Matrix m = MatrixIdentity();
    m.m[3][3] = 2.0f;
    return m;
}

// Hand-computed images of points: rotations turn clockwise seen from the
// positive axis, projections map the view volume to x, y in -1..1 and z in 0..1.
INSTANTIATE_TEST_SUITE_P(
    Builders, MatrixMapsPoint,
    testing::Values(
        TransformCase{"RotationYTakesXToMinusZ", MatrixRotationY(kHalfPi), {1, 0, 0}, {0, 0, -1}},
        TransformCase{"RotationXTakesYToZ", MatrixRotationX(kHalfPi), {0, 1, 0}, {0, 0, 1}},
        TransformCase{"RotationZTakesXToY", MatrixRotationZ(kHalfPi), {1, 0, 0}, {0, 1, 0}},
        TransformCase{"TranslationMovesOrigin", MatrixTranslation(1, 2, 3), {0, 0, 0}, {1, 2, 3}},
        TransformCase{"ScalingPerAxis", MatrixScaling(2, 3, 4), {1, -1, 0.5f}, {2, -3, 2}},
        TransformCase{"TranslationThenRotation",
                      MatrixTranslation(1, 0, 0) * MatrixRotationY(kHalfPi),
                      {0, 0, 0},
                      {0, 0, -1}},
        TransformCase{"RotationThenTranslation",
                      MatrixRotationY(kHalfPi) * MatrixTranslation(1, 0, 0),
                      {0, 0, 0},
                      {1, 0, 0}},
        TransformCase{"LookAtPutsTargetAhead",
                      MatrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}),
                      {0, 0, 0},
                      {0, 0, 10}},
        TransformCase{"LookAtKeepsRightAndUp",
                      MatrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}),
                      {1, 2, 0},
                      {1, 2, 10}},
        TransformCase{"LookAtAlongMinusXHasPlusZOnTheRight",
                      MatrixLookAtLH({10, 0, 0}, {0, 0, 0}, {0, 1, 0}),
                      {0, 0, 1},
                      {1, 0, 10}},
        TransformCase{"LookAtTiltedUpIsOrthonormalised",
                      MatrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, -1}),
                      {0, 3, 0},
                      {0, 3, 10}},
        TransformCase{"PerspectiveNearPlaneIsDepthZero",
                      MatrixPerspectiveFovLH(kHalfPi, 1, 1, 100),
                      {0, 0, 1},
                      {0, 0, 0}},
        TransformCase{"PerspectiveFarPlaneIsDepthOne",
                      MatrixPerspectiveFovLH(kHalfPi, 1, 1, 100),
                      {0, 0, 100},
                      {0, 0, 1}},
        TransformCase{"PerspectiveFrustumCornerIsEdge",
                      MatrixPerspectiveFovLH(kHalfPi, 1, 1, 100),
                      {50, -50, 50},
                      {1, -1, 98.0f / 99}},
        TransformCase{"PerspectiveAspectNarrowsX",
                      MatrixPerspectiveFovLH(kHalfPi, 2, 1, 100),
                      {2, 1, 1},
                      {1, 1, 0}},
        TransformCase{
            "OrthoNearCornerIsEdge", MatrixOrthoLH(200, 100, 1, 11), {100, 50, 1}, {1, 1, 0}},
        TransformCase{
            "OrthoFarCornerIsEdge", MatrixOrthoLH(200, 100, 1, 11), {-100, -50, 11}, {-1, -1, 1}},
        TransformCase{
            "OrthoMiddleDepthIsHalf", MatrixOrthoLH(200, 100, 1, 11), {0, 0, 6}, {0, 0, 0.5f}},
        TransformCase{"TransformCoordDividesByW", HomogeneousHalving(), {2, 4, 6}, {1, 2, 3}},
        TransformCase{
            "ReflectAcrossGroundFlipsY", MatrixReflect({0, 1, 0, 0}), {1, 2, 3}, {1, -2, 3}},
        TransformCase{
            "ReflectNormalisesThePlane", MatrixReflect({0, 2, 0, -10}), {1, 2, 3}, {1, 8, 3}},
        TransformCase{
            "ReflectAcrossSlantedPlane", MatrixReflect({1, 1, 0, 0}), {1, 0, 5}, {0, -1, 5}}),
    [](const testing::TestParamInfo<TransformCase>& info) { return std::string(info.param.name); });

TEST(MatrixRotationYawPitchRoll, IsRollThenPitchThenYaw) {
    const float angles[][3] = {
        {0.3f, 0, 0}, {0, -1.1f, 0}, {0, 0, 2.0f}, {0.3f, -1.1f, 2.0f}, {4.0f, 0.7f, -2.5f}};
    for (const auto& a : angles) {
        SCOPED_TRACE(testing::Message() << a[0] << ", " << a[1] << ", " << a[2]);
        const Matrix product =
            MatrixRotationZ(a[2]) * MatrixRotationX(a[1]) * MatrixRotationY(a[0]);
        EXPECT_TRUE(MatrixNear(MatrixRotationYawPitchRoll(a[0], a[1], a[2]), product, 1e-6f));
    }
}

TEST(MatrixRotationYawPitchRoll, ThirdRowIsTheTurnedForwardAxis) {
    // The light direction is read from this row: yaw -90 degrees looks down -x.
    const Matrix r = MatrixRotationYawPitchRoll(-kHalfPi, 0, 0.4f);
    EXPECT_TRUE(VectorNear({r.m[2][0], r.m[2][1], r.m[2][2]}, {-1, 0, 0}, 1e-6f));
    EXPECT_TRUE(VectorNear(Vec3TransformNormal({0, 0, 1}, r), {-1, 0, 0}, 1e-6f));
}

TEST(MatrixLookAtLH, CameraAtOriginLookingAlongZIsIdentity) {
    EXPECT_TRUE(MatrixNear(MatrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0}), MatrixIdentity(), 0));
}

TEST(MatrixLookAtLH, EyeOnTargetGivesNoNaN) {
    const Matrix view = MatrixLookAtLH({5, 5, 5}, {5, 5, 5}, {0, 1, 0});
    for (const auto& row : view.m) {
        for (float value : row) {
            EXPECT_TRUE(std::isfinite(value));
        }
    }
}

TEST(MatrixInverse, UndoesComposedMatrices) {
    const Matrix world = MatrixScaling(2, 3, 0.5f) * MatrixRotationYawPitchRoll(0.3f, -1.1f, 2.0f) *
                         MatrixTranslation(5, -7, 11);
    const Matrix worldView = world * MatrixLookAtLH({40, 15, -80}, {0, 0, 0}, {0, 1, 0});
    const Matrix worldViewProjection =
        worldView * MatrixPerspectiveFovLH(0.785398f, 1.333f, 1, 1500);
    const Matrix composed[] = {world, worldView, worldViewProjection};
    for (const Matrix& m : composed) {
        SCOPED_TRACE(testing::Message() << m);
        const std::optional<Matrix> inverse = MatrixInverse(m);
        ASSERT_TRUE(inverse.has_value());
        EXPECT_TRUE(MatrixNear(*inverse * m, MatrixIdentity(), 1e-5f));
    }
    // A pick ray takes its origin and axes from inverse(world * view).
    const std::optional<Matrix> inverseView = MatrixInverse(worldView);
    ASSERT_TRUE(inverseView.has_value());
    EXPECT_TRUE(MatrixNear(worldView * *inverseView, MatrixIdentity(), 1e-5f));
}

TEST(MatrixInverse, ReportsTheDeterminant) {
    float determinant = 0;
    const Matrix world = MatrixScaling(2, 3, 0.5f) * MatrixRotationYawPitchRoll(0.3f, -1.1f, 2.0f) *
                         MatrixTranslation(5, -7, 11);
    ASSERT_TRUE(MatrixInverse(world, &determinant).has_value());
    EXPECT_NEAR(determinant, 3.0f, 1e-5f);
}

TEST(MatrixInverse, RefusesSingularMatrices) {
    Matrix sameRows = MatrixIdentity();
    sameRows.m[1][0] = 1;
    sameRows.m[1][1] = 0;
    const Matrix singular[] = {MatrixScaling(1, 0, 1), sameRows, Matrix{}};
    for (const Matrix& m : singular) {
        SCOPED_TRACE(testing::Message() << m);
        float determinant = -1;
        EXPECT_FALSE(MatrixInverse(m, &determinant).has_value());
        EXPECT_EQ(determinant, 0.0f);
    }
}

TEST(MatrixMultiply, FirstOperandActsFirst) {
    const Matrix a = MatrixRotationX(0.5f) * MatrixTranslation(1, 2, 3);
    const Matrix b = MatrixScaling(2, 2, 2) * MatrixRotationZ(-0.25f);
    const Vector3 p{3, -1, 2};
    EXPECT_TRUE(VectorNear(Vec3TransformCoord(p, MatrixMultiply(a, b)),
                           Vec3TransformCoord(Vec3TransformCoord(p, a), b), 1e-5f));
}

}  // namespace
}  // namespace gfx
