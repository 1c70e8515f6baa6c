#pragma once

// Ray against triangle, the test behind mesh picking.

#include <optional>

#include "platform/gfx/MathTypes.h"

namespace gfx {

struct TriangleHit {
    // Barycentric weights of p1 and p2: the hit point is p0 + u (p1 - p0) + v (p2 - p0).
    float u = 0;
    float v = 0;
    // Ray parameter of the hit: origin + distance * direction. A true distance
    // only when the direction has unit length.
    float distance = 0;
};

// Both faces of the triangle count; edges and corners are inside. Empty when
// the ray misses, runs parallel to the triangle's plane, or meets it behind
// its origin.
[[nodiscard]] std::optional<TriangleHit> IntersectTri(const Vector3& p0, const Vector3& p1,
                                                      const Vector3& p2, const Vector3& origin,
                                                      const Vector3& direction);

}  // namespace gfx
