#pragma once

#include <string>
#include <vector>

// Line art as the ASCII DXF the plan symbols are read from: a HEADER with
// the drawing extents and an ENTITIES section of LINE entities.
struct DxfLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct DxfDrawing {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    std::vector<DxfLine> lines;

    void AddLine(double x1, double y1, double x2, double y2);
    // The outline of an axis-aligned rectangle.
    void AddRectangle(double x1, double y1, double x2, double y2);
    // A closed polygon of the given number of sides around (cx, cy).
    void AddCircle(double cx, double cy, double radius, int sides);
};

// The extents are written as given; numbers in the C locale with six
// decimals, so the same drawing always gives the same bytes.
std::string EncodeDxf(const DxfDrawing& drawing);
