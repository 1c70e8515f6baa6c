#include "platform/gfx/PlaneMath.h"

#include <cmath>

#include "platform/gfx/VectorMath.h"

namespace gfx {

Plane PlaneFromPointNormal(const Vector3& point, const Vector3& normal) {
    return {normal.x, normal.y, normal.z, -Vec3Dot(point, normal)};
}

Plane PlaneFromPoints(const Vector3& v1, const Vector3& v2, const Vector3& v3) {
    return PlaneFromPointNormal(v1, Vec3Normalize(Vec3Cross(v2 - v1, v3 - v1)));
}

Plane PlaneNormalize(const Plane& p) {
    const float length = std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c);
    if (length == 0.0f) {
        return {};
    }
    return {p.a / length, p.b / length, p.c / length, p.d / length};
}

float PlaneDotCoord(const Plane& p, const Vector3& v) {
    return p.a * v.x + p.b * v.y + p.c * v.z + p.d;
}

}  // namespace gfx
