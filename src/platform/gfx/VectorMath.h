#pragma once

// Vector arithmetic of the 3D layer, with the conventions of the rendering
// code: row vectors multiplied by matrices on the right (v' = v * M).

#include <array>
#include <cstddef>

#include "platform/gfx/MathTypes.h"

namespace gfx {

constexpr Vector3 operator+(const Vector3& a, const Vector3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
constexpr Vector3 operator-(const Vector3& a, const Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
constexpr Vector3 operator-(const Vector3& v) {
    return {-v.x, -v.y, -v.z};
}
constexpr Vector3 operator*(const Vector3& v, float s) {
    return {v.x * s, v.y * s, v.z * s};
}
constexpr Vector3 operator*(float s, const Vector3& v) {
    return v * s;
}
constexpr Vector3 operator/(const Vector3& v, float s) {
    return {v.x / s, v.y / s, v.z / s};
}
constexpr Vector3& operator+=(Vector3& a, const Vector3& b) {
    return a = a + b;
}
constexpr Vector3& operator-=(Vector3& a, const Vector3& b) {
    return a = a - b;
}
constexpr Vector3& operator*=(Vector3& v, float s) {
    return v = v * s;
}
constexpr Vector3& operator/=(Vector3& v, float s) {
    return v = v / s;
}
// Exact comparison, component by component.
constexpr bool operator==(const Vector3& a, const Vector3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

constexpr float Vec3Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
constexpr Vector3 Vec3Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
constexpr float Vec3LengthSq(const Vector3& v) {
    return Vec3Dot(v, v);
}
[[nodiscard]] float Vec3Length(const Vector3& v);
// A zero vector stays zero, so degenerate directions never turn into NaN.
[[nodiscard]] Vector3 Vec3Normalize(const Vector3& v);

constexpr Vector3 Vec3Minimize(const Vector3& a, const Vector3& b) {
    return {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.z < b.z ? a.z : b.z};
}
constexpr Vector3 Vec3Maximize(const Vector3& a, const Vector3& b) {
    return {a.x > b.x ? a.x : b.x, a.y > b.y ? a.y : b.y, a.z > b.z ? a.z : b.z};
}

// v1 + f (v2 - v1) + g (v3 - v1): the point that a triangle hit's (u, v) names.
constexpr Vector3 Vec3BaryCentric(const Vector3& v1, const Vector3& v2, const Vector3& v3, float f,
                                  float g) {
    return v1 + f * (v2 - v1) + g * (v3 - v1);
}

// (x, y, z, 1) * m, all four components.
[[nodiscard]] Vector4 Vec3Transform(const Vector3& v, const Matrix& m);
// (x, y, z, 1) * m divided by the resulting w.
[[nodiscard]] Vector3 Vec3TransformCoord(const Vector3& v, const Matrix& m);
// (x, y, z, 0) * m: a direction, untouched by the translation row.
[[nodiscard]] Vector3 Vec3TransformNormal(const Vector3& v, const Matrix& m);

// The eight corners of the box from min to max: corner i takes the maximum
// on x when bit 0 of i is set, on y for bit 1 and on z for bit 2, so that
// corners i and i | bit share the edge along that bit's axis.
constexpr std::array<Vector3, 8> BoxCorners(const Vector3& min, const Vector3& max) {
    std::array<Vector3, 8> corners{};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        corners[i] = {(i & 1) != 0 ? max.x : min.x, (i & 2) != 0 ? max.y : min.y,
                      (i & 4) != 0 ? max.z : min.z};
    }
    return corners;
}

// Box of count positions that start at first and lie stride bytes apart (the
// position leads each vertex of a vertex buffer). False, with min and max
// unchanged, when there is no position to read.
bool ComputeBoundingBox(const void* first, std::size_t count, std::size_t stride, Vector3& min,
                        Vector3& max);

}  // namespace gfx
