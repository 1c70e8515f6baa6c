#pragma once

#include <cstdint>

// Bits of the plan display mask (SHOE_2D_STATE): one per kind of object
// shown. All bits set (-1) shows everything.
namespace DisplayMask {

inline constexpr uint32_t kFurniture = 0x1;
inline constexpr uint32_t kWalls = 0x2;  // walls, beams and columns
inline constexpr uint32_t kText3DLines = 0x8;
inline constexpr uint32_t kFloors = 0x20;
inline constexpr uint32_t kCeilings = 0x40;
inline constexpr uint32_t kShapes = 0x80;  // lines, rectangles, circles, arcs, curves
inline constexpr uint32_t kDimensionNotes = 0x1000;
inline constexpr uint32_t kTextNotes = 0x2000;
inline constexpr uint32_t kDxfSymbols = 0x4000;
inline constexpr uint32_t kPictures = 0x8000;
inline constexpr uint32_t kPhotos = 0x20000;
inline constexpr uint32_t kLights = 0x40000;
inline constexpr uint32_t kDxfDrawing = 0x80000;

inline constexpr int32_t kShowAll = -1;

constexpr bool Shows(int32_t mask, uint32_t bit) {
    return (static_cast<uint32_t>(mask) & bit) != 0;
}

}  // namespace DisplayMask
