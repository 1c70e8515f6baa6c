#pragma once

#include "platform/gfx/MathTypes.h"

// Small vector helpers shared by the 3D side, in the device's conventions:
// row vectors, matrices stored row by row.
gfx::Vector3 AddVectors3D(gfx::Vector3 a, gfx::Vector3 b);
gfx::Vector3 SubtractVectors3D(gfx::Vector3 a, gfx::Vector3 b);

// The row vector (x, y, z, 1) times m, without the division by w.
gfx::Vector3 TransformPoint3D(gfx::Vector3 p, const gfx::Matrix& m);

gfx::Vector3 CrossProduct3D(gfx::Vector3 a, gfx::Vector3 b);
float GetVectorLength3D(gfx::Vector3 v);

// Parallel and pointing the same way. The cross terms are compared exactly,
// so nearly parallel vectors do not count.
bool IsSameDirection3D(gfx::Vector3 a, gfx::Vector3 b);
