#include "BenchObject.h"

#include <cmath>
#include <numbers>

#include "foundation/MeshVertex.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectSnapshot.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/MeshTypes.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr uint32_t kMeshFvf = gfx::kFvfXyz | gfx::kFvfNormal | gfx::kFvfTex1;
constexpr int kMaterials = 2;

}  // namespace

CBenchObject::CBenchObject() {
    m_type = kModelObjectType;
}

void CBenchObject::PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                                    int groupCount, int type) {
    PushSnapshotRecord(list, value, groupCount, type, std::make_unique<CObjectSnapshot>(*this));
}

void CBenchObject::CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                                      std::unique_ptr<HistoryRecord> record, int groupCount) {
    CommitSnapshotRecord(list, std::move(record), groupCount,
                         std::make_unique<CObjectSnapshot>(*this));
}

void CBenchObject::MakeBox(float side, int divisions, gfx::Device* device) {
    const auto n = static_cast<uint32_t>(divisions);
    const uint32_t sideVertices = (n + 1) * (n + 1);
    std::unique_ptr<gfx::Mesh> mesh;
    gfx::Mesh::Create(6 * 2 * n * n, 6 * sideVertices, 0, kMeshFvf, device, &mesh);
    auto vertices = mesh->EditVerticesAs<MeshVertex>();
    auto indices = mesh->EditIndices16();
    auto attributes = mesh->EditAttributes();
    const float half = side / 2.0f;
    const gfx::Vector3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    uint32_t vertex = 0;
    uint32_t face = 0;
    for (uint32_t s = 0; s < 6; ++s) {
        const gfx::Vector3 normal = axes[s / 2] * (s % 2 == 0 ? 1.0f : -1.0f);
        const gfx::Vector3 a = axes[(s / 2 + 1) % 3];
        // cross(a, b) = -normal makes steps along b, then a, clockwise seen
        // from outside.
        const gfx::Vector3 b = gfx::Vec3Cross(a, normal);
        const uint32_t first = vertex;
        for (uint32_t i = 0; i <= n; ++i) {
            for (uint32_t j = 0; j <= n; ++j) {
                const float u = static_cast<float>(i) / static_cast<float>(n);
                const float v = static_cast<float>(j) / static_cast<float>(n);
                const gfx::Vector3 p =
                    (normal + a * (2.0f * u - 1.0f) + b * (2.0f * v - 1.0f)) * half;
                vertices[vertex++] = {p.x, p.y, p.z, normal.x, normal.y, normal.z, u, v};
            }
        }
        for (uint32_t i = 0; i < n; ++i) {
            for (uint32_t j = 0; j < n; ++j) {
                const auto at = [&](uint32_t di, uint32_t dj) {
                    return static_cast<uint16_t>(first + (i + di) * (n + 1) + j + dj);
                };
                const uint16_t quad[6] = {at(0, 0), at(0, 1), at(1, 1),
                                          at(0, 0), at(1, 1), at(1, 0)};
                for (int k = 0; k < 6; ++k) {
                    indices[face * 3 + k] = quad[k];
                }
                attributes[face] = attributes[face + 1] = s % kMaterials;
                face += 2;
            }
        }
    }
    TakeMesh(std::move(mesh), device);
}

void CBenchObject::MakeSphere(float radius, int stacks, int slices, gfx::Device* device) {
    const auto rows = static_cast<uint32_t>(stacks);
    const auto columns = static_cast<uint32_t>(slices);
    std::unique_ptr<gfx::Mesh> mesh;
    gfx::Mesh::Create(2 * columns * (rows - 1), (rows + 1) * (columns + 1), 0, kMeshFvf, device,
                      &mesh);
    auto vertices = mesh->EditVerticesAs<MeshVertex>();
    auto indices = mesh->EditIndices16();
    auto attributes = mesh->EditAttributes();
    // The seam column is doubled so that the texture wraps once round.
    for (uint32_t row = 0; row <= rows; ++row) {
        const float theta =
            std::numbers::pi_v<float> * static_cast<float>(row) / static_cast<float>(rows);
        for (uint32_t column = 0; column <= columns; ++column) {
            const float phi = 2.0f * std::numbers::pi_v<float> * static_cast<float>(column) /
                              static_cast<float>(columns);
            const gfx::Vector3 n = {std::sin(theta) * std::cos(phi), std::cos(theta),
                                    std::sin(theta) * std::sin(phi)};
            const gfx::Vector3 p = n * radius;
            const float u = static_cast<float>(column) / static_cast<float>(columns);
            const float v = static_cast<float>(row) / static_cast<float>(rows);
            vertices[row * (columns + 1) + column] = {p.x, p.y, p.z, n.x, n.y, n.z, u, v};
        }
    }
    uint32_t face = 0;
    const auto add = [&](uint32_t a, uint32_t b, uint32_t c, uint32_t material) {
        indices[face * 3] = static_cast<uint16_t>(a);
        indices[face * 3 + 1] = static_cast<uint16_t>(b);
        indices[face * 3 + 2] = static_cast<uint16_t>(c);
        attributes[face++] = material;
    };
    for (uint32_t row = 0; row < rows; ++row) {
        const uint32_t material = row < rows / 2 ? 0 : 1;
        for (uint32_t column = 0; column < columns; ++column) {
            const uint32_t top = row * (columns + 1) + column;
            const uint32_t bottom = top + columns + 1;
            // Steps round, then down, turn clockwise seen from outside; the
            // triangles that would shrink to a pole are left out.
            if (row > 0) {
                add(top, top + 1, bottom + 1, material);
            }
            if (row + 1 < rows) {
                add(top, bottom + 1, bottom, material);
            }
        }
    }
    TakeMesh(std::move(mesh), device);
}

void CBenchObject::TakeMesh(std::unique_ptr<gfx::Mesh> mesh, gfx::Device* device) {
    mesh->Optimize(gfx::kMeshOptAttrSort);
    SetDevice(device);
    SetMesh(std::move(mesh));
    ResizeMaterials(kMaterials);
    SetUniformScale(1.0f);
}
