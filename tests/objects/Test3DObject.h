#pragma once

// A concrete 3D object for tests: a box mesh (32-byte vertices: position,
// normal, one texture coordinate) with one subset per material, and the
// base snapshot for undo.

#include <memory>
#include <string>
#include <vector>

#include "foundation/MeshVertex.h"
#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectSnapshot.h"
#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/MeshTypes.h"
#include "platform/gfx/VectorMath.h"

class CTest3DObject : public C3DObject {
public:
    explicit CTest3DObject(int type = 0) { m_type = type; }
    CTest3DObject(const CTest3DObject& other) : C3DObject(other) {
        m_mesh = CloneMesh(other.m_mesh.get());
    }

    std::unique_ptr<CDesignObject> Clone() const override {
        return std::make_unique<CTest3DObject>(*this);
    }
    // As a model read from a design with only its symbol shown: its outline
    // is valid, but no segments were ever made.
    void ShowBySymbolAlone() {
        m_planOutlineShown = 0;
        m_planOutline.clear();
    }
    void PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                          int groupCount, int type) override {
        PushSnapshotRecord(list, value, groupCount, type, std::make_unique<CObjectSnapshot>(*this));
    }
    void CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                            std::unique_ptr<HistoryRecord> record, int groupCount) override {
        CommitSnapshotRecord(list, std::move(record), groupCount,
                             std::make_unique<CObjectSnapshot>(*this));
    }

    // A box from min to max with the given number of materials: its six
    // sides (two faces each) go to the materials in turn. The box's
    // triangles wind clockwise seen from outside, and each side has its own
    // four vertices with the side's outward normal. Its real size is the
    // mesh's own.
    void MakeBox(const gfx::Vector3& min, const gfx::Vector3& max, int materials,
                 gfx::Device* device = nullptr) {
        std::unique_ptr<gfx::Mesh> mesh;
        gfx::Mesh::Create(12, 24, 0, 0x112, device, &mesh);
        const gfx::Vector3 centre = (min + max) * 0.5f;
        const gfx::Vector3 half = (max - min) * 0.5f;
        const gfx::Vector3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        auto vertices = mesh->EditVerticesAs<MeshVertex>();
        auto indices = mesh->EditIndices16();
        auto attributes = mesh->EditAttributes();
        for (int side = 0; side < 6; ++side) {
            const gfx::Vector3 n = axes[side / 2] * (side % 2 == 0 ? 1.0f : -1.0f);
            const gfx::Vector3 a = axes[(side / 2 + 1) % 3];
            // cross(a, b) = -n makes (0, 1, 2) clockwise seen from outside.
            const gfx::Vector3 b = gfx::Vec3Cross(a, n);
            auto scaled = [&](const gfx::Vector3& v) {
                return gfx::Vector3{v.x * half.x, v.y * half.y, v.z * half.z};
            };
            const gfx::Vector3 c = centre + scaled(n);
            const gfx::Vector3 corners[4] = {c - scaled(a) - scaled(b), c - scaled(a) + scaled(b),
                                             c + scaled(a) + scaled(b), c + scaled(a) - scaled(b)};
            for (int k = 0; k < 4; ++k) {
                MeshVertex& v = vertices[side * 4 + k];
                v.x = corners[k].x;
                v.y = corners[k].y;
                v.z = corners[k].z;
                v.nx = n.x;
                v.ny = n.y;
                v.nz = n.z;
                v.u = (k == 2 || k == 3) ? 1.0f : 0.0f;
                v.v = (k == 1 || k == 2) ? 1.0f : 0.0f;
            }
            const uint16_t base = static_cast<uint16_t>(side * 4);
            const uint16_t faces[6] = {0, 1, 2, 0, 2, 3};
            for (int k = 0; k < 6; ++k) {
                indices[side * 6 + k] = static_cast<uint16_t>(base + faces[k]);
            }
            attributes[side * 2] = attributes[side * 2 + 1] =
                static_cast<uint32_t>(side % (materials > 0 ? materials : 1));
        }
        mesh->Optimize(gfx::kMeshOptAttrSort);
        SetDevice(device);
        SetMesh(std::move(mesh));
        ResizeMaterials(materials);
        SetUniformScale(1.0f);
    }

    using C3DObject::SetMesh;
};
