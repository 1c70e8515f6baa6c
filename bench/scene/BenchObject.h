#pragma once

// A furniture-like model for the scene benchmarks: a box or a sphere mesh
// (32-byte vertices: position, normal, one texture coordinate) with two
// materials, each one subset, and the base snapshots for undo.

#include <memory>
#include <vector>

#include "objects/3DObject.h"

namespace gfx {
class Device;
}

class CBenchObject : public C3DObject {
public:
    CBenchObject();

    void PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                          int groupCount, int type) override;
    void CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                            std::unique_ptr<HistoryRecord> record, int groupCount) override;

    // A cube of the given side round the origin; each side is a grid of
    // divisions x divisions squares, and the sides go to the two materials
    // in turn: 12 x divisions^2 triangles.
    void MakeBox(float side, int divisions, gfx::Device* device);
    // A sphere round the origin; the upper half of the stacks is material
    // 0, the lower half material 1: 2 x slices x (stacks - 1) triangles.
    void MakeSphere(float radius, int stacks, int slices, gfx::Device* device);

private:
    // Sorts the faces into one run per material and takes the mesh.
    void TakeMesh(std::unique_ptr<gfx::Mesh> mesh, gfx::Device* device);
};
