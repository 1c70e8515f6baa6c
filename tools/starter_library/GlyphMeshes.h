#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Mesh.h"
#include "platform/gfx/MeshMaterial.h"

// The meshes a light is drawn with in the 3D view, in cm around the light's
// position, pointing along +z where the light has a direction: a ball for a
// point light, a cone opening along +z for a spot, an arrow along +z for a
// directional light. Flat-shaded, one material each.
struct GlyphMesh {
    std::string fileName;
    std::unique_ptr<gfx::Mesh> mesh;
    std::vector<gfx::MeshMaterial> materials;
};

std::vector<GlyphMesh> MakeLightGlyphs();
