#include "objects/MeshEdgeRecords.h"

#include <array>
#include <cstdint>

#include "foundation/Vector3Helpers.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/MeshAdjacency.h"
#include "platform/gfx/MeshTypes.h"
#include "platform/gfx/VectorMath.h"

std::vector<OutlineRecord> BuildMeshEdgeRecords(const gfx::Mesh& mesh) {
    std::vector<OutlineRecord> records;
    std::vector<uint32_t> adjacency;
    if (gfx::Failed(gfx::GenerateAdjacency(mesh, 0.0f, &adjacency))) {
        return records;
    }
    gfx::Vector3 min;
    gfx::Vector3 max;
    mesh.ComputeBoundingBox(min, max);
    // Records measure height from the middle of the mesh box.
    const gfx::Vector3 lower = {0.0f, (max.y - min.y) / 2.0f, 0.0f};
    auto faceNormal = [&mesh](uint32_t face) {
        const std::array<uint32_t, 3> corners = mesh.GetFace(face);
        const gfx::Vector3 first = mesh.GetPosition(corners[0]);
        return gfx::Vec3Cross(mesh.GetPosition(corners[1]) - first,
                              mesh.GetPosition(corners[2]) - first);
    };
    for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
        const std::array<uint32_t, 3> corners = mesh.GetFace(face);
        const gfx::Vector3 normal = faceNormal(face);
        for (uint32_t edge = 0; edge < 3; ++edge) {
            const gfx::Vector3 from = mesh.GetPosition(corners[edge]) - lower;
            const gfx::Vector3 to = mesh.GetPosition(corners[(edge + 1) % 3]) - lower;
            const uint32_t neighbour = adjacency[face * 3 + edge];
            if (neighbour == gfx::kNoNeighbour) {
                records.push_back({from, to, normal});
                continue;
            }
            // An inner edge is taken once, from its later face, and only
            // where the surface folds.
            if (neighbour > face) {
                continue;
            }
            const gfx::Vector3 other = faceNormal(neighbour);
            if (IsSameDirection3D(normal, other)) {
                continue;
            }
            records.push_back({from, to, normal});
            records.push_back({from, to, other});
        }
    }
    return records;
}
