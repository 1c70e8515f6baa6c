#include "foundation/FloatBoundingBox2D.h"

#include <algorithm>

void CFloatBoundingBox2D::AddPoint(float x, float y) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = 0;
        return;
    }
    // The bound comes first, so that a NaN coordinate leaves it as it is.
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
}

CFloatBoundingBox2D GetPolygonBounds(const std::vector<CVector2F>& points) {
    CFloatBoundingBox2D box;
    for (const CVector2F& p : points) {
        box.AddPoint(p.x, p.y);
    }
    return box;
}
