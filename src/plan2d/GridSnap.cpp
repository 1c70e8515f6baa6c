#include "plan2d/GridSnap.h"

#include <cmath>

#include "foundation/GeometryMath.h"

double RoundToGrid(double v, double s) {
    if (!(s >= 1.0)) {
        return v;
    }
    // The whole value is rounded, fraction included, so the result lies on
    // the grid.
    const double r = std::fmod(v, s);
    return r > s / 2.0 ? v + (s - r) : v - r;
}

POINT SnapToGrid(POINT p, double s) {
    if (!(s > 1.0)) {
        return p;
    }
    return POINT{RoundToInt(RoundToInt(p.x / s) * s), RoundToInt(RoundToInt(p.y / s) * s)};
}
