#pragma once

// A light and a surface material of the fixed-function lighting. Their byte
// layouts are stored in design files and compared word by word by the undo
// snapshots, so both are pinned.

#include <cstdint>

#include "platform/gfx/MathTypes.h"

namespace gfx {

enum class LightType : int32_t { Point = 1, Spot = 2, Directional = 3 };

// Position and direction are in world coordinates; the direction is the way
// the light travels. Theta and phi are the full inner and outer cone angles
// of a spot light, in radians.
struct Light {
    LightType type = LightType::Point;
    ColorValue diffuse;
    ColorValue specular;
    ColorValue ambient;
    Vector3 position;
    Vector3 direction;
    float range = 0.0f;
    float falloff = 0.0f;
    float attenuation0 = 0.0f;
    float attenuation1 = 0.0f;
    float attenuation2 = 0.0f;
    float theta = 0.0f;
    float phi = 0.0f;
};

struct Material {
    ColorValue diffuse;
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power = 0.0f;
};

static_assert(sizeof(Light) == 104);
static_assert(sizeof(Material) == 68);

}  // namespace gfx
