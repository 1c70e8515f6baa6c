#pragma once

#include <string>

#include "objects/MaterialFileRecord.h"

// One picture file of the picture (photo) library.
struct PictureCatalogEntry {
    std::string vendor;
    std::string name;
    std::string filePath;
    std::string serialNumber;
    // Centimetres.
    double width = 0.0;
    double height = 0.0;
    std::string description;
    // Set when the picture is placed.
    std::string planSymbolPath;
    double price = 0.0;
    // Favourite rate 0..5.
    int rate = 0;
    // The file as read, its image in .bmp form.
    MaterialFileRecord material;
};
