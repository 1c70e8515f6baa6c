#pragma once

// Translations of the device's state values into OpenGL enumerants and
// values.

#include <cstdint>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

[[nodiscard]] unsigned BlendToGL(uint32_t blend);
[[nodiscard]] unsigned CmpToGL(uint32_t cmp);
[[nodiscard]] unsigned StencilOpToGL(uint32_t op);
[[nodiscard]] unsigned FillModeToGL(uint32_t mode);
[[nodiscard]] int AddressToGL(uint32_t address);
[[nodiscard]] int MinFilterToGL(uint32_t minFilter, uint32_t mipFilter);
[[nodiscard]] int MagFilterToGL(uint32_t magFilter);

// Red, green, blue and alpha of a 0xAARRGGBB colour, each 0..1.
void ColorToFloats(Color color, float out[4]);

// 0 for an unknown type.
[[nodiscard]] unsigned PrimitiveToGL(PrimitiveType type);
// Vertices (or indices) that primitiveCount primitives of the type take.
[[nodiscard]] uint64_t VerticesForPrimitives(PrimitiveType type, uint32_t primitiveCount);

}  // namespace gfx
