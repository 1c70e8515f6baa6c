#pragma once

#include <vector>

#include "foundation/Vector2F.h"

// Leaves the polygon with a positive total turning (counter-clockwise with
// y up), as TriangulatePolygon expects, reversing it in place when needed.
// A point repeated right after its predecessor is stepped over once when the
// turn is measured. A polygon whose turning sums to exactly 0 is reversed.
void OrientPolygon(std::vector<CVector2F>& polygon);
