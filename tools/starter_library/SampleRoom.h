#pragma once

#include <vector>

#include "SampleDesigns.h"
#include "foundation/Vector2D.h"
#include "platform/gfx/MathTypes.h"

// The room of a sample design in the shapes the scene builds it from. Plan
// points are in cm, x to the right and y up the plan; the 3D z is -y.

inline constexpr float kSampleWallThickness = 12.0f;

// The shoelace sum: positive when the outline turns counter-clockwise with
// y up.
double TwiceSignedArea(const std::vector<CVector2D>& outline);

// A plan outline as the scene takes it: x and the 3D z, turning the way the
// plan tools store it (a negative shoelace sum).
std::vector<CVector2D> SceneOutline(std::vector<CVector2D> plan);

std::vector<CVector2D> RoomOutline(const SampleDesign& design);

// A wall is a solid drawn from its own footprint: one slab outside each side
// of the room, running past the corners so that they close.
std::vector<std::vector<CVector2D>> WallFootprints(const std::vector<CVector2D>& room);

// The middle of the room on the ground, in 3D, and its larger side.
void RoomExtent(const SampleDesign& design, gfx::Vector3* centre, float* size);
