#pragma once

#include <optional>
#include <span>
#include <vector>

#include "platform/draw/DrawTypes.h"

namespace draw {

// An even-odd (ALTERNATE) polygon region in integer coordinates, the region
// the hit tests build from a shape's outline.
//
// Border rule: a point on the boundary is inside exactly when the point a
// tiny step to its right, and a far tinier step down, is inside. So left and
// top edges belong to the region and right and bottom edges do not, which
// for a rectangle is the usual rule of the right and bottom edges excluded;
// every caller's hit tests share this one rule.
class PolygonRegion {
public:
    // No region from fewer than three vertices.
    static std::optional<PolygonRegion> Create(std::span<const Point> vertices);

    bool Contains(Point p) const;

private:
    explicit PolygonRegion(std::vector<Point> vertices) : m_vertices(std::move(vertices)) {}

    std::vector<Point> m_vertices;
};

}  // namespace draw
