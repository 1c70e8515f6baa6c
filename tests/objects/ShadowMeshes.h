#pragma once

// Small meshes for the shadow-volume tests: vertices with their own
// normals (32-byte layout: position, normal, texture coordinates) and
// 16-bit faces as given.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/MeshVertex.h"
#include "platform/gfx/Mesh.h"

struct ShadowTestVertex {
    gfx::Vector3 position;
    gfx::Vector3 normal;
};

inline std::unique_ptr<gfx::Mesh> MakeShadowTestMesh(const std::vector<ShadowTestVertex>& points,
                                                     const std::vector<uint16_t>& indices) {
    std::unique_ptr<gfx::Mesh> mesh;
    gfx::Mesh::Create(static_cast<uint32_t>(indices.size() / 3),
                      static_cast<uint32_t>(points.size()), 0, 0x112, nullptr, &mesh);
    auto vertices = mesh->EditVerticesAs<MeshVertex>();
    for (size_t i = 0; i < points.size(); ++i) {
        const ShadowTestVertex& p = points[i];
        vertices[i] = {p.position.x, p.position.y, p.position.z, p.normal.x,
                       p.normal.y,   p.normal.z,   0.0f,         0.0f};
    }
    auto out = mesh->EditIndices16();
    for (size_t i = 0; i < indices.size(); ++i) {
        out[i] = indices[i];
    }
    return mesh;
}

inline constexpr gfx::Vector3 kUp = {0, 1, 0};
inline constexpr gfx::Vector3 kDown = {0, -1, 0};

// A unit square in the ground plane, facing up: two faces sharing the
// diagonal (0, 2), which they use in opposite directions.
inline std::unique_ptr<gfx::Mesh> MakeGroundSquare() {
    return MakeShadowTestMesh(
        {{{0, 0, 0}, kUp}, {{0, 0, 1}, kUp}, {{1, 0, 1}, kUp}, {{1, 0, 0}, kUp}},
        {0, 1, 2, 0, 2, 3});
}
