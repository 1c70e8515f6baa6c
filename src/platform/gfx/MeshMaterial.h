#pragma once

#include <string>

#include "platform/gfx/LightMaterial.h"

namespace gfx {

// A material of a mesh file with the texture it names: the file name as
// stored in the file (usually without a folder), in UTF-8; empty for none.
struct MeshMaterial {
    Material material;
    std::string textureFile;
};

}  // namespace gfx
