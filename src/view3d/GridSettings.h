#pragma once

// The floor grid of a 3D window: its extent and spacing in centimetres and
// its colour (0..1). Copied whole in and out of the engine.
struct GridSettings {
    float length = 20.0f;
    float width = 20.0f;
    float step = 2.0f;
    float red = 0.0f;
    float green = 1.0f;
    float blue = 0.0f;
    float reserved = 1.0f;  // always 1.0; part of the record
};

static_assert(sizeof(GridSettings) == 28);
