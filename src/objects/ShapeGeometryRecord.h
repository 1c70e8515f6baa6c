#pragma once

#include <array>
#include <cstdint>

// The undo snapshot of a shape's geometry: each class fills the leading
// values with its points as integers; the rest stay 0.
struct ShapeGeometryRecord {
    std::array<int32_t, 8> values{};
};
