#pragma once

#include <cstdint>
#include <string>

// One line of the cost estimate as a design object fills it. It lives only
// in memory, so the texts are whole strings: a catalogue text never gets cut.
struct CostItemRecord {
    // Type code of the object: 0 furniture, 1 wall, 5 floor, 6 ceiling.
    std::int32_t kind = 0;
    // Number of like items; a merged duplicate has 0.
    std::int32_t count = 1;
    // Faces only: square centimetres, and the same in ping.
    float area = 0.0f;
    float areaInPing = 0.0f;
    std::int32_t textured = 0;
    std::string name;
    // Faces only: the size of one tile in centimetres.
    float tileWidth = 0.0f;
    float tileHeight = 0.0f;
    std::string serialNumber;
    // The price of one item or one tile.
    float unitPrice = 0.0f;
    std::string vendor;
    std::string description;
    // Faces only: tiles that cover the area, and by the face's extent.
    std::int32_t tileCount = 0;
    std::int32_t tileCountByExtent = 0;
};
