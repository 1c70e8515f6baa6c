#pragma once

// What the current OpenGL context can do and render into, in the device's
// names. Each format check builds a tiny framebuffer, so the answers are what
// the driver really does, not what a table claims.

#include <cstdint>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

// The GL renderbuffer format standing for a back-buffer format, or 0.
[[nodiscard]] unsigned ColorFormatToGL(Format format);
// The GL renderbuffer format of a depth-stencil format, or 0 for the packed
// and float layouts GL does not have.
[[nodiscard]] unsigned DepthFormatToGL(Format format);

// The context must be current for these. A zero depth format checks colour
// alone; samples 0 means single-sampled.
[[nodiscard]] bool IsRenderableCombination(unsigned colorFormat, unsigned depthFormat,
                                           uint32_t samples);
[[nodiscard]] bool IsSampleCountSupported(unsigned internalFormat, uint32_t samples);
// OpenGL 3.3 with clip control, which lets the device keep depth in 0..1.
[[nodiscard]] bool ContextCanHostDevice();
// Capabilities of a device on the current context. Transform and lighting
// run in the GL implementation whatever the device type.
[[nodiscard]] Caps QueryContextCaps(DeviceType type);

}  // namespace gfx
