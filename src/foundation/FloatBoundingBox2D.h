#pragma once

#include <vector>

#include "foundation/Vector2F.h"

// 2D bounding box of a float polygon; the empty flag stays 1 until the first
// point.
class CFloatBoundingBox2D {
public:
    int empty = 1;
    float minX = 0.0f;
    float minY = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;

    void AddPoint(float x, float y);
};

// Bounds of the points; empty with zeros when there are none.
CFloatBoundingBox2D GetPolygonBounds(const std::vector<CVector2F>& points);
