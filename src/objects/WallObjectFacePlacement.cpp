#include <algorithm>
#include <cmath>

#include "foundation/GeometryMath.h"
#include "foundation/Point3Helpers.h"
#include "objects/WallObject.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr float kHalfPi = static_cast<float>(kPi / 2.0);
constexpr float kFullTurn = static_cast<float>(kTwoPi);

// The angle whose cosine is along / length, the full turn less it when
// `beyond` says the component across points the other way. A direction of
// no length has no angle: 0. Rounding can push the ratio past 1.
float AngleOf(float along, float across, bool beyond) {
    const float length = std::sqrt(along * along + across * across);
    if (!(length > 0.0f)) {
        return 0.0f;
    }
    const float angle = std::acos(std::clamp(along / length, -1.0f, 1.0f));
    return beyond ? kFullTurn - angle : angle;
}

}  // namespace

CWallObject::FaceRotation CWallObject::GetFaceRotation(int part) const {
    const int face = GetOwningFace(part);
    const float faceElevation = face == 0 ? -kHalfPi : (face == 1 ? kHalfPi : 0.0f);
    const float faceHeading = GetFaceHeading(part);
    const auto turn = [&](const gfx::Vector3& p) {
        return RotatePoint3(p, -faceHeading, faceElevation, m_roll, m_heading, m_elevation);
    };
    gfx::Vector3 forward = turn({0.0f, 0.0f, 1.0f});
    gfx::Vector3 up = turn({0.0f, 1.0f, 0.0f});

    FaceRotation rotation;
    rotation.heading = AngleOf(forward.z, forward.x, forward.x > 0.0f);
    const gfx::Matrix yaw = gfx::MatrixRotationY(rotation.heading);
    forward = gfx::Vec3TransformNormal(forward, yaw);
    up = gfx::Vec3TransformNormal(up, yaw);

    rotation.elevation = AngleOf(forward.z, forward.y, forward.y < 0.0f);
    const gfx::Matrix pitch = gfx::MatrixRotationX(rotation.elevation);
    up = gfx::Vec3TransformNormal(up, pitch);

    rotation.roll = AngleOf(up.y, up.x, up.x > 0.0f);
    return rotation;
}

gfx::Vector3 CWallObject::FacePointToWorld(int part, float x, float y, float thickness) const {
    const CVector2F origin = GetFaceOrigin(part);
    const gfx::Vector3 position = GetPosition();
    gfx::Vector3 offset = {origin.x, 0.0f, -origin.y};
    const int face = GetOwningFace(part);
    if (face == 0) {
        offset = offset + gfx::Vector3{x, m_extent[2], y};
    } else if (face == 1) {
        offset = offset + gfx::Vector3{x, 0.0f, m_extent[1] - y};
    } else {
        const float a = GetFaceHeading(part);
        offset = offset + gfx::Vector3{x * std::cos(a), y, -x * std::sin(a)};
        if (thickness > 0.0f) {
            offset.x -= thickness / 2.0f * std::cos(a + kHalfPi);
            offset.z += thickness / 2.0f * std::sin(a + kHalfPi);
        }
    }
    // Scale is left out: face points are real sizes already.
    const gfx::Matrix turn = gfx::MatrixRotationYawPitchRoll(-m_heading, -m_elevation, m_roll);
    return position + gfx::Vec3TransformNormal(offset, turn);
}
