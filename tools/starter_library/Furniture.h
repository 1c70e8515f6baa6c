#pragma once

#include <string>
#include <vector>

#include "platform/gfx/MeshMaterial.h"

class LibraryOutput;
class TriangleSoup;

// One model of the starter library: boxes of a few materials, centred on
// x and z and standing on y = 0, with its catalogue texts. Sizes in cm.
struct FurniturePiece {
    std::string folder;    // below "SModel", '/' separated
    std::string fileName;  // a .qvx; its name without ".qvx" is the model's name
    std::string description;
    std::string serialNumber;
    float width = 0;   // x
    float depth = 0;   // z
    float height = 0;  // y
    float price = 0;
    // The door or window size the catalogue offers for it ("90x210"); empty
    // for furniture.
    std::string openingSize;
    void (*build)(const FurniturePiece& piece, TriangleSoup& soup) = nullptr;
    std::vector<gfx::MeshMaterial> materials;
};

inline constexpr const char* kModelFolder = "SModel";
inline constexpr const char* kStarterVendor = "Velmora";

const std::vector<FurniturePiece>& StarterFurniture();

// The file name the model's package gives its plan symbol.
std::string FurnitureSymbolName(const FurniturePiece& piece);

void WriteFurniture(LibraryOutput& output);
