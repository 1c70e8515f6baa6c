#pragma once

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

class Mesh;

// Gives every vertex the normalised sum of the unnormalised normals of the
// faces that use it, so larger faces weigh more. Only faces sharing the
// vertex itself count: split vertices at one position keep their own
// normals. A face's normal is (v1 - v0) x (v2 - v0), which points to the
// viewer for the clockwise faces that are drawn. A vertex no face uses gets
// a zero normal. Fails for a mesh without normals or with indices out of
// range.
Result ComputeNormals(Mesh& mesh);

}  // namespace gfx
