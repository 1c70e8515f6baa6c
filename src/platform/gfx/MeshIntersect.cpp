#include "platform/gfx/MeshIntersect.h"

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

std::optional<MeshHit> IntersectMesh(const Mesh& mesh, const Vector3& origin,
                                     const Vector3& direction) {
    std::optional<MeshHit> nearest;
    if (!mesh.IndicesInRange()) {
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
    if (!mesh.IndicesInRange()) {
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
