#pragma once

#include <array>

// Vertex of FVF XYZ | NORMAL | TEX1 (0x112).
struct OverlayVertex {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float nx = 0.0f, ny = 0.0f, nz = 0.0f;
    float u = 0.0f, v = 0.0f;
};
static_assert(sizeof(OverlayVertex) == 32);

inline constexpr int kOverlayPrismVertexCount = 84;

// A closed octagonal prism along +x from x = 0 to x = 1 around the unit
// octagon in the y-z plane, as a list of 28 triangles: the cap at x = 0, the
// cap at x = 1, then the eight sides. The diagonal corners sit at 0.707 and
// the side normals are left unnormalised; lighting renormalises them.
std::array<OverlayVertex, kOverlayPrismVertexCount> BuildOverlayPrism();
