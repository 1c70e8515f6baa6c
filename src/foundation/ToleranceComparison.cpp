#include "foundation/ToleranceComparison.h"

#include <cmath>

namespace {

constexpr float kVectorTolerance = 0.1f;

bool IsClose(float a, float b) {
    return std::fabs(a - b) < kVectorTolerance;
}

}  // namespace

bool AlmostEqualVector3(const gfx::Vector3& a, const gfx::Vector3& b) {
    return IsClose(a.x, b.x) && IsClose(a.y, b.y) && IsClose(a.z, b.z);
}

bool NearlyEqual(float a, float b, float tolerance) {
    return std::fabs(a - b) <= tolerance;
}
