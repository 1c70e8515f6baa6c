#include "foundation/BoundingBox3D.h"

void CBoundingBox3D::AddPoint(float x, float y, float z) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        minZ = maxZ = z;
        empty = 0;
        return;
    }
    if (x < minX) {
        minX = x;
    }
    if (y < minY) {
        minY = y;
    }
    if (z < minZ) {
        minZ = z;
    }
    if (x > maxX) {
        maxX = x;
    }
    if (y > maxY) {
        maxY = y;
    }
    if (z > maxZ) {
        maxZ = z;
    }
}

void CBoundingBox3D::AddBox(const CBoundingBox3D& box) {
    AddPoint(box.minX, box.minY, box.minZ);
    AddPoint(box.maxX, box.maxY, box.maxZ);
}
