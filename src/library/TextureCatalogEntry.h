#pragma once

#include <string>

#include "objects/MaterialFileRecord.h"

// One texture file of the texture library.
struct TextureCatalogEntry {
    std::string vendor;
    std::string name;
    std::string filePath;
    // The tile size in centimetres.
    double width = 0.0;
    double height = 0.0;
    double price = 0.0;
    std::string description;
    std::string serialNumber;
    // Favourite rate 0..5.
    int rate = 0;
    // The file as read, its image in .bmp form: the thumbnail; its extra text
    // is the web page.
    MaterialFileRecord material;
};
