#pragma once

namespace gfx {
struct Vector3;
}
class C3DObject;

// The heading, in radians in [0, 2 pi), that turns a picture standing at
// photo to face a viewer at camera; only x and z count.
float PlanFacingAngle(const gfx::Vector3& photo, const gfx::Vector3& camera);

// Turns the photo, and its plan symbol, to face a viewer at camera.
void TurnToCamera(C3DObject& photo, const gfx::Vector3& camera);
