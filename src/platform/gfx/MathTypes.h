#pragma once

// Plain value types of the 3D layer. They follow the conventions of the
// design files and the rendering code: single precision, row vectors
// (v' = v * M), a left-handed frame, matrices stored row by row.

namespace gfx {

struct Vector3 {
    float x = 0, y = 0, z = 0;
};

struct Vector4 {
    float x = 0, y = 0, z = 0, w = 0;
};

// Plane a x + b y + c z + d = 0.
struct Plane {
    float a = 0, b = 0, c = 0, d = 0;
};

// Colour channels as floats, 1.0 being full intensity.
struct ColorValue {
    float r = 0, g = 0, b = 0, a = 0;
};

// m[row][column]; the translation is in row 3, so the 16 floats load into a
// fixed-function OpenGL matrix unchanged.
struct Matrix {
    float m[4][4] = {};
};

static_assert(sizeof(Vector3) == 12);
static_assert(sizeof(Matrix) == 64);

}  // namespace gfx
