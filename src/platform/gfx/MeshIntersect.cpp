#include "platform/gfx/MeshIntersect.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "platform/gfx/Intersect.h"
#include "platform/gfx/Mesh.h"

namespace gfx {
namespace {

std::optional<MeshHit> IntersectFace(const Mesh& mesh, uint32_t face, const Vector3& origin,
                                     const Vector3& direction) {
    const auto [i0, i1, i2] = mesh.GetFace(face);
    const std::optional<TriangleHit> hit = IntersectTri(mesh.GetPosition(i0), mesh.GetPosition(i1),
                                                        mesh.GetPosition(i2), origin, direction);
    if (!hit) {
        return std::nullopt;
    }
    return MeshHit{face, hit->u, hit->v, hit->distance};
}

}  // namespace

std::optional<float> RayBoxEntry(const Mesh& mesh, const Vector3& origin,
                                 const Vector3& direction) {
    Vector3 low;
    Vector3 high;
    mesh.GetCachedBounds(low, high);
    for (const float bound : {low.x, low.y, low.z, high.x, high.y, high.z}) {
        if (std::isnan(bound)) {
            return 0.0f;
        }
    }
    const float margin =
        1e-4f * (1.0f + std::max({high.x - low.x, high.y - low.y, high.z - low.z}));
    const std::array<float, 3> o = {origin.x, origin.y, origin.z};
    const std::array<float, 3> d = {direction.x, direction.y, direction.z};
    const std::array<float, 3> lo = {low.x - margin, low.y - margin, low.z - margin};
    const std::array<float, 3> hi = {high.x + margin, high.y + margin, high.z + margin};
    float nearT = -std::numeric_limits<float>::infinity();
    float farT = std::numeric_limits<float>::infinity();
    for (size_t axis = 0; axis < 3; ++axis) {
        if (d[axis] == 0.0f) {
            if (o[axis] < lo[axis] || o[axis] > hi[axis]) {
                return std::nullopt;
            }
            continue;
        }
        float t1 = (lo[axis] - o[axis]) / d[axis];
        float t2 = (hi[axis] - o[axis]) / d[axis];
        if (t1 > t2) {
            std::swap(t1, t2);
        }
        nearT = std::max(nearT, t1);
        farT = std::min(farT, t2);
        if (nearT > farT) {
            return std::nullopt;
        }
    }
    if (farT < 0.0f) {
        return std::nullopt;
    }
    return nearT > 0.0f ? nearT : 0.0f;
}

std::optional<MeshHit> IntersectMesh(const Mesh& mesh, const Vector3& origin,
                                     const Vector3& direction) {
    std::optional<MeshHit> nearest;
    if (!mesh.IndicesInRange() || !RayBoxEntry(mesh, origin, direction)) {
        return nearest;
    }
    for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
        const std::optional<MeshHit> hit = IntersectFace(mesh, face, origin, direction);
        if (hit && (!nearest || hit->distance < nearest->distance)) {
            nearest = hit;
        }
    }
    return nearest;
}

std::vector<MeshHit> IntersectMeshAll(const Mesh& mesh, const Vector3& origin,
                                      const Vector3& direction) {
    std::vector<MeshHit> hits;
    if (!mesh.IndicesInRange() || !RayBoxEntry(mesh, origin, direction)) {
        return hits;
    }
    for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
        if (const std::optional<MeshHit> hit = IntersectFace(mesh, face, origin, direction)) {
            hits.push_back(*hit);
        }
    }
    return hits;
}

}  // namespace gfx
