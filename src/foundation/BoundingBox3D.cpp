#include "foundation/BoundingBox3D.h"

#include <algorithm>

void CBoundingBox3D::AddPoint(float x, float y, float z) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        minZ = maxZ = z;
        empty = 0;
        return;
    }
    // The bound comes first, so that a NaN coordinate leaves it as it is.
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    minZ = std::min(minZ, z);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
    maxZ = std::max(maxZ, z);
}

void CBoundingBox3D::AddBox(const CBoundingBox3D& box) {
    AddPoint(box.minX, box.minY, box.minZ);
    AddPoint(box.maxX, box.maxY, box.maxZ);
}
