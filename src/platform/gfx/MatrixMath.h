#pragma once

// Matrix builders of the 3D layer. Row vectors are multiplied on the right
// (v' = v * M), the frame is left-handed, the translation sits in row 3, and
// projections map the visible depth range to 0..1.

#include <optional>

#include "platform/gfx/MathTypes.h"

namespace gfx {

[[nodiscard]] Matrix MatrixIdentity();
// a * b: a row vector goes through a first, then through b.
[[nodiscard]] Matrix MatrixMultiply(const Matrix& a, const Matrix& b);
[[nodiscard]] Matrix operator*(const Matrix& a, const Matrix& b);
// Empty for a singular matrix. The determinant is written whenever asked for,
// also when there is no inverse.
[[nodiscard]] std::optional<Matrix> MatrixInverse(const Matrix& m, float* determinant = nullptr);

[[nodiscard]] Matrix MatrixTranslation(float x, float y, float z);
[[nodiscard]] Matrix MatrixScaling(float sx, float sy, float sz);
// Angles in radians, clockwise when looking from the positive axis towards
// the origin (left-handed): RotationY(pi / 2) takes +x to -z.
[[nodiscard]] Matrix MatrixRotationX(float angle);
[[nodiscard]] Matrix MatrixRotationY(float angle);
[[nodiscard]] Matrix MatrixRotationZ(float angle);
// RotationZ(roll) * RotationX(pitch) * RotationY(yaw): roll first, yaw last.
[[nodiscard]] Matrix MatrixRotationYawPitchRoll(float yaw, float pitch, float roll);

// View matrix of an eye looking at a target: the target lies on +z.
[[nodiscard]] Matrix MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up);
// fovY is the vertical field of view in radians, aspect is width / height.
[[nodiscard]] Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
[[nodiscard]] Matrix MatrixOrthoLH(float width, float height, float zNear, float zFar);
// Mirror image across a plane; the plane need not be normalised. A plane
// without a normal gives the identity.
[[nodiscard]] Matrix MatrixReflect(const Plane& plane);

}  // namespace gfx
