#pragma once

#include <cstdint>

// Integer extent of an object in drawing coordinates. An empty box has the
// flag set and all coordinates 0.
struct CIntBoundingBox2D {
    int32_t empty = 1;
    int32_t minX = 0;
    int32_t minY = 0;
    int32_t maxX = 0;
    int32_t maxY = 0;

    bool operator==(const CIntBoundingBox2D&) const = default;
};
