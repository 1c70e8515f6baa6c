#pragma once

// Walls, floors and ceilings that nothing sets apart (not selected, not
// see-through, no mirror, no relief) drawn as one vertex buffer per material
// and texture for each kind and storey, already placed in the world: one
// draw call per material instead of one per object and subset. Each frame
// the objects' meshes, placements and materials are compared with what the
// buffers were built from, so an edit, a selection, hiding or a storey
// change shows in the next frame.

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/gfx/LightMaterial.h"
#include "platform/gfx/ResourceRef.h"
#include "platform/gfx/VertexBuffer.h"

class C3DObject;
class CDesignObject;

namespace gfx {
class Device;
class Texture;
}  // namespace gfx

class CMergedSurfaces {
public:
    // Whether the object's ordinary drawing is exactly what its part of a
    // merged buffer draws.
    [[nodiscard]] static bool CanMerge(const C3DObject& object, bool showTexture);

    // Draws the objects of the list on the level that CanMerge takes.
    void Draw(gfx::Device& device, int type, int level, const std::vector<CDesignObject*>& objects,
              bool showTexture);

private:
    struct Batch {
        gfx::Material material;
        gfx::Texture* texture = nullptr;
        gfx::ResourceRef<gfx::VertexBuffer> buffer;
        uint32_t triangles = 0;
    };
    // The buffers of one kind on one storey, and what they were built from.
    struct Group {
        std::vector<uint8_t> source;
        std::vector<Batch> batches;
    };

    static void Rebuild(gfx::Device& device, const std::vector<const C3DObject*>& parts,
                        bool showTexture, Group* group);

    std::map<std::pair<int, int>, Group> m_groups;
};
