#pragma once

// What the scene's frame and the raw frame both draw with, so that both
// give the same picture.

#include "platform/gfx/DeviceTypes.h"

namespace scene_look {

inline constexpr int kWidth = 1024;
inline constexpr int kHeight = 768;
inline constexpr gfx::Color kClearColor = gfx::ColorArgb(255, 150, 150, 200);
inline constexpr gfx::Color kAmbient = gfx::ColorArgb(255, 64, 64, 64);
// The view's shadow colour: black at 0.4.
inline constexpr gfx::Color kShadowColour = gfx::ColorArgb(0x66, 0, 0, 0);

}  // namespace scene_look
