#pragma once

// The resources every light shares: the plan icon paths, the glyph meshes
// with their materials, and the gizmo rings drawn around a selected light.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/LightMaterial.h"
#include "platform/gfx/MathTypes.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/ResourceRef.h"
#include "platform/gfx/VertexBuffer.h"

struct LightGlyph {
    std::unique_ptr<gfx::Mesh> mesh;
    // The file's materials in attribute order, ambient = diffuse.
    std::vector<gfx::Material> materials;
};

inline constexpr int kLightGizmoTableCount = 6;
inline constexpr int kLightGizmoVertexCount = 37;
using LightGizmoTable = std::array<gfx::Vector3, kLightGizmoVertexCount>;

struct LightSharedResources {
    bool initialised = false;
    // Indexed by light type - 1.
    std::array<std::string, 3> iconPaths;
    std::array<LightGlyph, 3> glyphs;
    gfx::Material gizmoMaterial;
    std::array<LightGizmoTable, kLightGizmoTableCount> gizmoTables{};
    std::array<gfx::ResourceRef<gfx::VertexBuffer>, kLightGizmoTableCount> gizmoBuffers;
};

LightSharedResources& GetLightSharedResources();

// Circles of 36 segments: table 0 in the xz plane, 1 in yz, 2 in xy, 3 in
// xy at z = 5; table 4 twelve lines from the circle at z = 0 to the one at
// z = 5, table 5 twelve lines from the origin to the circle at z = 5.
std::array<LightGizmoTable, kLightGizmoTableCount> BuildLightGizmoTables();
