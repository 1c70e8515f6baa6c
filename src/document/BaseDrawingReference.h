#pragma once

#include <array>
#include <cstdint>
#include <string>

// The plan's base drawing as a design file names it: the drawing's file and
// the three values kept with it. The document only stores and restores
// them, unchanged.
struct BaseDrawingReference {
    std::string fileName;
    float value = 1.0f;
    std::array<uint32_t, 2> words{};

    bool operator==(const BaseDrawingReference&) const = default;
};
