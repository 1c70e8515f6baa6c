#include "platform/gfx/Intersect.h"

#include "platform/gfx/VectorMath.h"

namespace gfx {

std::optional<TriangleHit> IntersectTri(const Vector3& p0, const Vector3& p1, const Vector3& p2,
                                        const Vector3& origin, const Vector3& direction) {
    // Moller-Trumbore: solve origin + t direction = p0 + u e1 + v e2 by Cramer's rule.
    const Vector3 e1 = p1 - p0;
    const Vector3 e2 = p2 - p0;
    const Vector3 p = Vec3Cross(direction, e2);
    const float det = Vec3Dot(e1, p);
    if (det == 0.0f) {
        return std::nullopt;
    }
    const Vector3 s = origin - p0;
    const float u = Vec3Dot(s, p) / det;
    if (!(u >= 0.0f && u <= 1.0f)) {
        return std::nullopt;
    }
    const Vector3 q = Vec3Cross(s, e1);
    const float v = Vec3Dot(direction, q) / det;
    if (!(v >= 0.0f && u + v <= 1.0f)) {
        return std::nullopt;
    }
    const float t = Vec3Dot(e2, q) / det;
    if (!(t >= 0.0f)) {
        return std::nullopt;
    }
    return TriangleHit{u, v, t};
}

}  // namespace gfx
