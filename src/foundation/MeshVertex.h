#pragma once

// The vertex of the surface and model meshes: position, normal and one pair
// of texture coordinates, 32 bytes.
struct MeshVertex {
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    float u = 0, v = 0;
};

static_assert(sizeof(MeshVertex) == 32);

// A vertex at (x, y, z) with texture coordinates (u, v) and no normal yet.
inline MeshVertex MakeVertex(float x, float y, float z, float u = 0.0f, float v = 0.0f) {
    MeshVertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.z = z;
    vertex.u = u;
    vertex.v = v;
    return vertex;
}

// The average of two vertices, member by member. The normal is left as
// averaged, not renormalised: face refinement relies on it.
MeshVertex GetMidVertex(const MeshVertex& first, const MeshVertex& second);
