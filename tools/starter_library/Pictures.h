#pragma once

#include <string>
#include <vector>

#include "platform/image/Raster.h"

class LibraryOutput;

// The kinds of picture the starter library draws.
enum class PictureArt { LightMap, Shadow, Mountains, Blocks, Curtain, Rug, FloorTiles };

struct PictureColour {
    float r = 0, g = 0, b = 0;
};

// One picture of the photo library, written as a material file. The folder
// names are the ones the program recognises by name: light maps, shadow
// maps, posters that hang on walls, and curtains, rugs and floor tiles that
// may lie on a floor.
struct PictureRecipe {
    std::string folder;    // the sub-folder of "STPicture"
    std::string fileName;  // a .qvp
    std::string name;
    std::string description;
    std::string serialNumber;
    float widthCm = 0;
    float heightCm = 0;
    float price = 0;
    int pixelWidth = 0;
    int pixelHeight = 0;
    PictureArt art = PictureArt::Blocks;
    PictureColour main;
    PictureColour second;
};

inline constexpr const char* kPictureFolder = "STPicture";
// The soft shadow the 3D view puts under a model.
inline constexpr const char* kShadowPictureFolder = "A02陰影圖";
inline constexpr const char* kShadowPictureFile = "A0201001.qvp";

const std::vector<PictureRecipe>& StarterPictures();

// The pixels of the picture; the same recipe always gives the same pixels.
image::Raster RenderPicture(const PictureRecipe& recipe);

void WritePictures(LibraryOutput& output);
