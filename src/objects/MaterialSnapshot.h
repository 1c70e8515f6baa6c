#pragma once

#include <string>

#include "objects/TextureMappingRecord.h"
#include "platform/gfx/LightMaterial.h"
#include "platform/gfx/ResourceRef.h"
#include "platform/gfx/Texture.h"

// The state of one material of a 3D object, kept for undo.
struct MaterialSnapshot {
    // A reference of its own, so that undo can bring the texture back after
    // the caches have let it go.
    gfx::ResourceRef<gfx::Texture> texture;
    gfx::Material material;
    std::string textureName;
    TextureMappingRecord mapping;
};
