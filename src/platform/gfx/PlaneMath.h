#pragma once

// Planes a x + b y + c z + d = 0 of the 3D layer (mirror surfaces, user
// clip planes).

#include "platform/gfx/MathTypes.h"

namespace gfx {

// Plane through point with the given normal: d = -(point . normal).
[[nodiscard]] Plane PlaneFromPointNormal(const Vector3& point, const Vector3& normal);
// Plane through three points, its unit normal (v2 - v1) x (v3 - v1). Points
// on one line give the all-zero plane.
[[nodiscard]] Plane PlaneFromPoints(const Vector3& v1, const Vector3& v2, const Vector3& v3);
// Scales the plane so that its normal has length 1; a plane without a normal
// becomes the all-zero plane.
[[nodiscard]] Plane PlaneNormalize(const Plane& p);
// a x + b y + c z + d: the signed distance from the plane when it is
// normalised.
[[nodiscard]] float PlaneDotCoord(const Plane& p, const Vector3& v);

}  // namespace gfx
