#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "objects/ModelPackage.h"
#include "platform/gfx/MeshMaterial.h"

namespace gfx {
class Texture;
}

// The materials of the selection merged into one mesh for a packaged model,
// in the merged mesh's attribute order.
struct SelectionMeshExport {
    // The texture names are bare file names, at most 49 bytes in CP950.
    std::vector<gfx::MeshMaterial> materials;
    // One record per material: the texture's file name as the material has
    // it and its picture as a BMP file image; empty for a material
    // without a texture. Materials with one texture share its picture.
    std::vector<PackagedTexture> textures;
    // The records that carry a picture.
    int textureCount = 0;
};

// The pictures of the textures saved so far during one merge, so that a
// texture several materials use is saved once.
struct ExportedTextures {
    std::map<const gfx::Texture*, std::shared_ptr<const std::vector<std::uint8_t>>> pictures;
};
