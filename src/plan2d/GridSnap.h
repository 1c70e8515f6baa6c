#pragma once

#include "foundation/WinTypes.h"

// The plan's grid snapping at the drawing unit s (centimetres).

// v to the nearest multiple of s, an exact half going down (125 -> 100 at
// 50). A step below 1 leaves v as it is.
double RoundToGrid(double v, double s);

// p to the nearest grid point; only steps above 1 snap.
POINT SnapToGrid(POINT p, double s);
