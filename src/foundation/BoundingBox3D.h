#pragma once

// 3D bounding-box accumulator; the empty flag stays 1 until the first point.
class CBoundingBox3D {
public:
    int empty = 1;
    float minX = 0.0f;
    float minY = 0.0f;
    float minZ = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;
    float maxZ = 0.0f;

    void AddPoint(float x, float y, float z);
    // Adds the other box's two corners. The other box's empty flag is not
    // looked at, so an empty box adds the point (0, 0, 0).
    void AddBox(const CBoundingBox3D& box);
};
