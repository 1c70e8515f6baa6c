#include "foundation/MeshVertex.h"

MeshVertex GetMidVertex(const MeshVertex& first, const MeshVertex& second) {
    auto mid = [](float a, float b) { return (a + b) / 2.0f; };
    return {mid(first.x, second.x),   mid(first.y, second.y),   mid(first.z, second.z),
            mid(first.nx, second.nx), mid(first.ny, second.ny), mid(first.nz, second.nz),
            mid(first.u, second.u),   mid(first.v, second.v)};
}
