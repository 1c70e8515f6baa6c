#include "platform/gfx/MeshNormals.h"

#include <cstring>
#include <span>
#include <vector>

#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"

namespace gfx {

Result ComputeNormals(Mesh& mesh) {
    const int normalOffset = mesh.GetLayout().normalOffset;
    if (normalOffset < 0 || !mesh.IndicesInRange()) {
        return kErrInvalidCall;
    }
    std::vector<Vector3> sums(mesh.GetNumVertices());
    for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
        const auto [i0, i1, i2] = mesh.GetFace(face);
        const Vector3 p0 = mesh.GetPosition(i0);
        const Vector3 normal = Vec3Cross(mesh.GetPosition(i1) - p0, mesh.GetPosition(i2) - p0);
        sums[i0] += normal;
        sums[i1] += normal;
        sums[i2] += normal;
    }
    const std::span<uint8_t> vertices = mesh.EditVertices();
    for (size_t v = 0; v < sums.size(); ++v) {
        const Vector3 normal = Vec3Normalize(sums[v]);
        std::memcpy(&vertices[v * mesh.GetVertexSize() + normalOffset], &normal, sizeof normal);
    }
    return kOk;
}

}  // namespace gfx
