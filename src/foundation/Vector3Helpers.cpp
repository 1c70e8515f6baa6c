#include "foundation/Vector3Helpers.h"

#include <cmath>

gfx::Vector3 AddVectors3D(gfx::Vector3 a, gfx::Vector3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

gfx::Vector3 SubtractVectors3D(gfx::Vector3 a, gfx::Vector3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

gfx::Vector3 TransformPoint3D(gfx::Vector3 p, const gfx::Matrix& m) {
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

gfx::Vector3 CrossProduct3D(gfx::Vector3 a, gfx::Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float GetVectorLength3D(gfx::Vector3 v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

bool IsSameDirection3D(gfx::Vector3 a, gfx::Vector3 b) {
    return a.z * b.y == b.z * a.y && b.z * a.x == a.z * b.x && a.y * b.x == b.y * a.x &&
           a.x * b.x + a.y * b.y + a.z * b.z > 0.0f;
}
