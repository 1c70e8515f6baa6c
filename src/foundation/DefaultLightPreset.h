#pragma once

#include "platform/gfx/LightMaterial.h"

// The settings of a light a new design starts with. The light record's
// position is left at zero: a light takes it from its object position.
struct DefaultLightPreset {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float heading = 0.0f;    // radians
    float elevation = 0.0f;  // radians
    float roll = 0.0f;       // radians
    gfx::Light light;
};

// The base every preset starts from: at (100, 5, -100), pointing down, with
// the colours of its type (a directional light is dim).
void InitDefaultLight(DefaultLightPreset& preset, gfx::LightType type);

// The three lights of a new design, each built on its first call.
const DefaultLightPreset& GetDefaultPointLight();
const DefaultLightPreset& GetDefaultDirectionalLight1();
const DefaultLightPreset& GetDefaultDirectionalLight2();
