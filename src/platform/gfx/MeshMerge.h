#pragma once

// Joining several meshes into one, each placed by its own world matrix.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/MathTypes.h"
#include "platform/gfx/MatrixMath.h"

namespace gfx {

class Device;
class Mesh;

struct MeshMergeSource {
    const Mesh* mesh = nullptr;
    // Positions go through it; normals through its inverse transpose and
    // are normalised again, so they stay perpendicular under any scaling.
    Matrix world = MatrixIdentity();
    // Added to the attribute id of each face, so that the subsets of the
    // sources stay apart.
    uint32_t attributeOffset = 0;
};

// One mesh with the vertices and faces of every source in order, vertices
// converted to fvf (ConvertVertex) and indices moved past the vertices of
// the sources before. It has no attribute table. Refused as Mesh::Create
// refuses its totals (over 65535 vertices for 16-bit indices), and for no
// source, a missing mesh or indices out of range.
Result MergeMeshes(std::span<const MeshMergeSource> sources, uint32_t options, uint32_t fvf,
                   Device* device, std::unique_ptr<Mesh>* merged, std::string* error = nullptr);

}  // namespace gfx
