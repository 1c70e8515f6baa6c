#pragma once

#include <cstdint>

// Bits of the plan's display mask: a layer is shown, picked and selected
// only while its bit is on.
namespace PlanLayer {

inline constexpr uint32_t kFurniture = 0x1;
inline constexpr uint32_t kWalls = 0x2;
inline constexpr uint32_t kText3D = 0x8;
inline constexpr uint32_t kFloors = 0x20;
inline constexpr uint32_t kCeilings = 0x40;
inline constexpr uint32_t kShapes = 0x80;
inline constexpr uint32_t kDimensions = 0x1000;
inline constexpr uint32_t kTextNotes = 0x2000;
inline constexpr uint32_t kDxfSymbols = 0x4000;
inline constexpr uint32_t kPictures = 0x8000;
inline constexpr uint32_t kPhotos = 0x20000;
inline constexpr uint32_t kLights = 0x40000;
inline constexpr uint32_t kDxfDrawing = 0x80000;
inline constexpr uint32_t kGroups = 0x100000;

}  // namespace PlanLayer
