#pragma once

#include <string>
#include <vector>

#include "platform/image/Raster.h"

enum class TexturePattern { Wood, Tiles, Brick, Marble, Carpet, Plaster };

struct TextureColour {
    float r = 0, g = 0, b = 0;
};

// The starter textures: one picture of one tile (or one repeat of the
// pattern) each, with the real size in cm that one repeat covers.
struct TextureRecipe {
    std::string category;  // the sub-folder of "STexture"
    std::string fileName;  // a .qvp
    std::string name;      // the catalogue's display name
    float widthCm = 0;
    float heightCm = 0;
    TexturePattern pattern = TexturePattern::Plaster;
    TextureColour main;    // wood's light rings, a tile, a brick, the base
    TextureColour second;  // wood's dark rings, grout, mortar, marble's veins
    unsigned seed = 0;
};

inline constexpr const char* kTextureFolder = "STexture";
inline constexpr int kTextureSide = 256;

const std::vector<TextureRecipe>& StarterTextures();

// The pixels of the texture; the same recipe always gives the same pixels.
image::Raster RenderTexture(const TextureRecipe& recipe);

class LibraryOutput;
void WriteTextures(LibraryOutput& output);
