#pragma once

#include <string>

#include "objects/TextureMappingRecord.h"
#include "platform/gfx/LightMaterial.h"

namespace gfx {
class Texture;
}

// The state of one material of a 3D object, kept for undo.
struct MaterialSnapshot {
    // Neither owned nor referenced: the object's texture cache keeps it.
    gfx::Texture* texture = nullptr;
    gfx::Material material;
    std::string textureName;
    TextureMappingRecord mapping;
};
