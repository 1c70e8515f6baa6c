#include "foundation/FloatBoundingBox2D.h"

void CFloatBoundingBox2D::AddPoint(float x, float y) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = 0;
        return;
    }
    if (x < minX) {
        minX = x;
    }
    if (y < minY) {
        minY = y;
    }
    if (x > maxX) {
        maxX = x;
    }
    if (y > maxY) {
        maxY = y;
    }
}

CFloatBoundingBox2D GetPolygonBounds(const std::vector<CVector2F>& points) {
    CFloatBoundingBox2D box;
    for (const CVector2F& p : points) {
        box.AddPoint(p.x, p.y);
    }
    return box;
}
