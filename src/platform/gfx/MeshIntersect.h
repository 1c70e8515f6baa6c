#pragma once

// Picking: a ray against every face of a mesh, as IntersectTri tests one
// triangle (both sides of a face count; a hit behind the origin does not).

#include <optional>
#include <vector>

#include "platform/gfx/MathTypes.h"
#include "platform/gfx/MeshTypes.h"

namespace gfx {

class Mesh;

// Where the ray (t >= 0) enters the box of the mesh's positions, widened a
// little so that faces on its sides are never lost to rounding; 0 for a ray
// starting inside, empty for a ray that misses it. No face is hit nearer
// than this. A box with NaN in it never turns a ray away.
[[nodiscard]] std::optional<float> RayBoxEntry(const Mesh& mesh, const Vector3& origin,
                                               const Vector3& direction);

// The nearest hit, the face of the lower index among equally near ones.
// Empty when the ray misses or the mesh has indices out of range.
[[nodiscard]] std::optional<MeshHit> IntersectMesh(const Mesh& mesh, const Vector3& origin,
                                                   const Vector3& direction);

// Every hit, in face order.
[[nodiscard]] std::vector<MeshHit> IntersectMeshAll(const Mesh& mesh, const Vector3& origin,
                                                    const Vector3& direction);

}  // namespace gfx
