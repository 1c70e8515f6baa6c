#pragma once

// Values and records of the mesh layer. The option and optimisation numbers
// are those of the mesh API the design objects were written for, so options
// passed from one mesh to its clone keep their meaning.

#include <cstdint>

namespace gfx {

// Mesh options. Only the index width changes what a mesh does; the others
// are kept so that a clone can be made "with the mesh's own options".
inline constexpr uint32_t kMesh32Bit = 0x001;
inline constexpr uint32_t kMeshManaged = 0x220;

// Optimisation flags. A vertex-cache reorder is accepted and leaves the
// faces of each subset in their order.
inline constexpr uint32_t kMeshOptCompact = 0x01000000;
inline constexpr uint32_t kMeshOptAttrSort = 0x02000000;
inline constexpr uint32_t kMeshOptVertexCache = 0x08000000;

// Adjacency entry of an edge that no other face shares.
inline constexpr uint32_t kNoNeighbour = 0xFFFFFFFF;

// Largest vertex count whose vertex numbers fit 16-bit indices.
inline constexpr uint32_t kMax16BitVertices = 65535;

// One subset: the faces of one attribute id, as a run after an attribute
// sort, and the range of vertices they use.
struct AttributeRange {
    uint32_t attribId = 0;
    uint32_t faceStart = 0;
    uint32_t faceCount = 0;
    uint32_t vertexStart = 0;
    uint32_t vertexCount = 0;

    friend bool operator==(const AttributeRange&, const AttributeRange&) = default;
};

// A ray's hit on a mesh face: the point is v0 + u (v1 - v0) + v (v2 - v0) of
// the face's corners, distance the ray parameter (a length only for a unit
// direction).
struct MeshHit {
    uint32_t face = 0;
    float u = 0;
    float v = 0;
    float distance = 0;
};

}  // namespace gfx
