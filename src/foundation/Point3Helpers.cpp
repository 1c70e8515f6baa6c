#include "foundation/Point3Helpers.h"

#include <algorithm>
#include <cmath>

#include "foundation/Vector2F.h"
#include "foundation/Vector3Helpers.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"

gfx::Vector3 RotatePoint3(const gfx::Vector3& p, float turnY, float turnX, float roll, float yaw,
                          float pitch) {
    const gfx::Matrix m = gfx::MatrixRotationY(-turnY) * gfx::MatrixRotationX(-turnX) *
                          gfx::MatrixRotationYawPitchRoll(-yaw, -pitch, roll);
    return TransformPoint3D(p, m);
}

void ExtendBox3(gfx::Vector3& min, gfx::Vector3& max, const gfx::Vector3& p, bool first) {
    if (first) {
        min = max = p;
        return;
    }
    min = gfx::Vec3Minimize(p, min);
    max = gfx::Vec3Maximize(p, max);
}

DirectionAngles GetDirectionAngles(const gfx::Vector3& from, const gfx::Vector3& to) {
    const gfx::Vector3 v = to - from;
    const gfx::Vector3 unit = gfx::Vec3Normalize(v);
    DirectionAngles angles;
    angles.length = gfx::Vec3Length(v);
    angles.heading = CVector2F(1.0f, 0.0f).GetPositiveAngleTo({unit.x, unit.z});
    // Rounding can push a normalised component just past 1.
    angles.pitch = std::asin(std::clamp(-unit.y, -1.0f, 1.0f));
    return angles;
}
