#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/MathTypes.h"

class CShadowEdgeList;

namespace gfx {
class Device;
class Mesh;
}  // namespace gfx

// The stencil shadow of one object: for each of its shadow lights, the edges
// of its mesh that the faces turned to the light use an odd number of times
// (the silhouette and the open borders), pushed far away from the light
// into quads. The triangles are kept in object coordinates and drawn under
// the object's world matrix, so they are built when something changes, never
// per frame.
class CShadowVolume {
public:
    // Each face adds at most three edges, each edge two triangles.
    static constexpr size_t kVerticesPerFace = 18;
    static constexpr float kExtrusionLength = 1e10f;

    CShadowVolume() = default;
    CShadowVolume(const CShadowVolume&) = delete;
    CShadowVolume& operator=(const CShadowVolume&) = delete;

    // Empties the volume and makes room for the quads of faces faces. The
    // array stays when faces is the capacity it has; without memory for a
    // new one the volume keeps no room, and builds add nothing.
    void Reserve(size_t faces);

    // Appends the quads of the mesh lit from light, in object coordinates:
    // a direction when directional, else the light's position. A face turns
    // to the light when the normal of its first vertex has a dot product of
    // at least 0 with light (the position itself, not the way from the face
    // to it). Refused with the volume unchanged: kErrOutOfMemory when the
    // edge list cannot be made or the quads do not fit the room reserved,
    // kErrInvalidCall for a mesh without normals or with an index beyond its
    // vertices.
    gfx::Result Build(const gfx::Mesh& mesh, const gfx::Vector3& light, int directional);

    // The toggle of one face edge: an edge listed either way round is taken
    // out, the last entry moving into its place; any other is appended.
    static void ToggleEdge(CShadowEdgeList& edges, uint32_t a, uint32_t b);

    // One draw of the triangles from memory (position only); nothing and
    // kOk when the volume is empty.
    gfx::Result Render(gfx::Device& device) const;

    [[nodiscard]] const std::vector<gfx::Vector3>& GetVertices() const { return m_vertices; }
    [[nodiscard]] size_t GetVertexCount() const { return m_vertices.size(); }
    [[nodiscard]] size_t GetCapacity() const { return m_capacity; }

private:
    std::vector<gfx::Vector3> m_vertices;
    // Faces the array was sized for.
    size_t m_capacity = 0;
};
