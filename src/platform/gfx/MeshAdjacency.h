#pragma once

// Which faces meet at each edge of a mesh.

#include <vector>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

class Mesh;

// Three entries per face: the faces across its edges (v0, v1), (v1, v2) and
// (v2, v0), kNoNeighbour where there is none.
//
// Edges are compared by point, not by vertex number: vertices whose
// positions differ by at most epsilon on every axis are one point, and so
// are chains of such vertices. So a cube whose faces have vertices of their
// own (split for their normals and texture coordinates) is still closed.
// Two faces are neighbours across an edge when both use its two points. Where
// more than two faces use one edge, they are paired in face order, a face
// running the edge the other way round before one running it the same way.
// An edge whose two corners are one point has no neighbour.
//
// Fails for a negative epsilon or indices out of range.
Result GenerateAdjacency(const Mesh& mesh, float epsilon, std::vector<uint32_t>* adjacency);

}  // namespace gfx
