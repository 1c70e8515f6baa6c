#pragma once

#include "platform/gfx/MathTypes.h"

// Helpers of the 3D objects on single points, in the device's conventions:
// row vectors, left-handed, y up.

// p taken through RotationY(-turnY), RotationX(-turnX) and then
// RotationYawPitchRoll(-yaw, -pitch, roll), without the division by w. The
// surfaces use it to stand an object on a face.
gfx::Vector3 RotatePoint3(const gfx::Vector3& p, float turnY, float turnX, float roll, float yaw,
                          float pitch);

// Grows the box min-max to hold p; with `first` set the box becomes p alone.
void ExtendBox3(gfx::Vector3& min, gfx::Vector3& max, const gfx::Vector3& p, bool first);

struct DirectionAngles {
    float heading = 0.0f;  // of (x, z) from +x, in [0, 2*pi)
    float pitch = 0.0f;    // positive looking down
    float length = 0.0f;
};

// Heading, pitch and length of the direction from `from` to `to`. Equal
// points give all zeros.
DirectionAngles GetDirectionAngles(const gfx::Vector3& from, const gfx::Vector3& to);
