#include "platform/gfx/MeshMerge.h"

#include <cstring>
#include <optional>

#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"
#include "platform/gfx/VertexConversion.h"

namespace gfx {
namespace {

// n * transpose(inverse): the normal of a plane carried by the world matrix.
// A singular world matrix has no such plane; its own rows serve instead.
Vector3 TransformNormal(const Vector3& n, const std::optional<Matrix>& inverse,
                        const Matrix& world) {
    if (!inverse) {
        return Vec3Normalize(Vec3TransformNormal(n, world));
    }
    const auto& m = inverse->m;
    return Vec3Normalize({m[0][0] * n.x + m[0][1] * n.y + m[0][2] * n.z,
                          m[1][0] * n.x + m[1][1] * n.y + m[1][2] * n.z,
                          m[2][0] * n.x + m[2][1] * n.y + m[2][2] * n.z});
}

void CopyPlaced(const MeshMergeSource& source, Mesh& merged, uint32_t firstVertex) {
    const Mesh& mesh = *source.mesh;
    const VertexLayout& from = mesh.GetLayout();
    const VertexLayout& to = merged.GetLayout();
    const std::optional<Matrix> inverse = MatrixInverse(source.world);
    uint8_t* target = merged.EditVertices().data() + size_t{firstVertex} * to.size;
    for (uint32_t v = 0; v < mesh.GetNumVertices(); ++v, target += to.size) {
        ConvertVertex(mesh.Vertices().data() + size_t{v} * from.size, from, target, to);
        const Vector3 position = Vec3TransformCoord(mesh.GetPosition(v), source.world);
        std::memcpy(target, &position, sizeof position);
        if (to.normalOffset >= 0) {
            Vector3 normal;
            std::memcpy(&normal, target + to.normalOffset, sizeof normal);
            normal = TransformNormal(normal, inverse, source.world);
            std::memcpy(target + to.normalOffset, &normal, sizeof normal);
        }
    }
}

}  // namespace

Result MergeMeshes(std::span<const MeshMergeSource> sources, uint32_t options, uint32_t fvf,
                   Device* device, std::unique_ptr<Mesh>* merged, std::string* error) {
    if (merged == nullptr) {
        return kErrInvalidCall;
    }
    uint64_t faces = 0;
    uint64_t vertices = 0;
    for (const MeshMergeSource& source : sources) {
        if (source.mesh == nullptr || !source.mesh->IndicesInRange()) {
            if (error != nullptr) {
                *error = "要合併的網格不完整。";
            }
            return kErrInvalidCall;
        }
        faces += source.mesh->GetNumFaces();
        vertices += source.mesh->GetNumVertices();
    }
    if (faces > UINT32_MAX || vertices > UINT32_MAX) {
        if (error != nullptr) {
            *error = "要合併的網格太大。";
        }
        return kErrInvalidCall;
    }
    std::unique_ptr<Mesh> mesh;
    const Result result =
        Mesh::Create(static_cast<uint32_t>(faces), static_cast<uint32_t>(vertices), options, fvf,
                     device, &mesh, error);
    if (Failed(result)) {
        return result;
    }
    uint32_t firstVertex = 0;
    uint32_t firstFace = 0;
    const std::span<uint32_t> attributes = mesh->EditAttributes();
    const std::span<uint16_t> indices16 = mesh->EditIndices16();
    const std::span<uint32_t> indices32 = mesh->EditIndices32();
    for (const MeshMergeSource& source : sources) {
        CopyPlaced(source, *mesh, firstVertex);
        for (uint32_t f = 0; f < source.mesh->GetNumFaces(); ++f) {
            attributes[firstFace + f] = source.mesh->Attributes()[f] + source.attributeOffset;
            for (size_t k = 0; k < 3; ++k) {
                const size_t at = (size_t{firstFace} + f) * 3 + k;
                const uint32_t index = source.mesh->GetIndex(size_t{f} * 3 + k) + firstVertex;
                if (mesh->Has32BitIndices()) {
                    indices32[at] = index;
                } else {
                    indices16[at] = static_cast<uint16_t>(index);
                }
            }
        }
        firstVertex += source.mesh->GetNumVertices();
        firstFace += source.mesh->GetNumFaces();
    }
    *merged = std::move(mesh);
    return kOk;
}

}  // namespace gfx
