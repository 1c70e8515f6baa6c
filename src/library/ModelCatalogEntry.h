#pragma once

#include <memory>
#include <string>

#include "objects/ModelPackage.h"

// One packaged model file of the model library.
struct ModelCatalogEntry {
    std::string vendor;
    std::string name;
    std::string filePath;
    // Centimetres along x, z and y; 0 while no size is stored.
    float width = 0.0f;
    float depth = 0.0f;
    float height = 0.0f;
    float price = 0.0f;
    std::string description;
    std::string serialNumber;
    // Set when the model is placed.
    std::string planSymbolName;
    // Favourite rate 0..5.
    int rate = 0;
    // The file's header and preview.
    std::unique_ptr<CModelPackage> package;
};
