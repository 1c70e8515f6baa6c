#pragma once

#include <vector>

#include "objects/OutlineRecord.h"

namespace gfx {
class Mesh;
}

// The plan outline records of a mesh: one per edge that borders no other
// face (with that face's normal), and two per edge where two faces meet at
// an angle (one with each face's normal); faces that meet flat leave their
// edge out. Heights are measured from the middle of the mesh box. None for
// a mesh whose adjacency cannot be made.
std::vector<OutlineRecord> BuildMeshEdgeRecords(const gfx::Mesh& mesh);
