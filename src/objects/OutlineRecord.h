#pragma once

#include "platform/gfx/MathTypes.h"

// One plan outline segment of a 3D object: an edge of its mesh and the normal
// of the face beside it, in the object's own centimetres with y measured from
// the mesh box's vertical centre. Packaged model files store them as nine
// little-endian floats in this order.
struct OutlineRecord {
    gfx::Vector3 pointA;
    gfx::Vector3 pointB;
    gfx::Vector3 facing;
};

static_assert(sizeof(OutlineRecord) == 36);
