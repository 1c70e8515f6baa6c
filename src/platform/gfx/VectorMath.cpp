#include "platform/gfx/VectorMath.h"

#include <cmath>
#include <cstring>

namespace gfx {

float Vec3Length(const Vector3& v) {
    return std::sqrt(Vec3LengthSq(v));
}

Vector3 Vec3Normalize(const Vector3& v) {
    const float length = Vec3Length(v);
    if (length == 0.0f) {
        return {};
    }
    return v / length;
}

Vector4 Vec3Transform(const Vector3& v, const Matrix& m) {
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2],
            v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3]};
}

Vector3 Vec3TransformCoord(const Vector3& v, const Matrix& m) {
    const Vector4 h = Vec3Transform(v, m);
    return {h.x / h.w, h.y / h.w, h.z / h.w};
}

Vector3 Vec3TransformNormal(const Vector3& v, const Matrix& m) {
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

bool ComputeBoundingBox(const void* first, std::size_t count, std::size_t stride, Vector3& min,
                        Vector3& max) {
    if (first == nullptr || count == 0) {
        return false;
    }
    // Vertex buffers are byte arrays of mixed layouts: copy each position out
    // rather than cast, so no alignment or aliasing rule is broken.
    const auto* bytes = static_cast<const unsigned char*>(first);
    Vector3 p;
    std::memcpy(&p, bytes, sizeof p);
    Vector3 low = p;
    Vector3 high = p;
    for (std::size_t i = 1; i < count; ++i) {
        std::memcpy(&p, bytes + i * stride, sizeof p);
        low = Vec3Minimize(low, p);
        high = Vec3Maximize(high, p);
    }
    min = low;
    max = high;
    return true;
}

}  // namespace gfx
