#include "platform/draw/PolygonRegion.h"

namespace draw {

std::optional<PolygonRegion> PolygonRegion::Create(std::span<const Point> vertices) {
    if (vertices.size() < 3) {
        return std::nullopt;
    }
    return PolygonRegion(std::vector<Point>(vertices.begin(), vertices.end()));
}

bool PolygonRegion::Contains(Point p) const {
    // Crossings of a ray to the right of (p.x + e, p.y + e * e) for a tiny e:
    // an edge counts when it spans that height (a vertex at p.y counts as
    // above) and passes strictly right of p.x there. Exact integer arithmetic
    // keeps points on edges on the side the rule gives them.
    bool inside = false;
    const size_t n = m_vertices.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point a = m_vertices[j];
        const Point b = m_vertices[i];
        if ((a.y > p.y) == (b.y > p.y)) {
            continue;
        }
        // Edge x at height p.y is a.x + (p.y - a.y) (b.x - a.x) / (b.y - a.y);
        // compare p.x with it after multiplying by (b.y - a.y).
        const __int128 dy = __int128(b.y) - a.y;
        const __int128 lhs = (__int128(p.x) - a.x) * dy;
        const __int128 rhs = (__int128(p.y) - a.y) * (__int128(b.x) - a.x);
        const bool rightOfPoint = dy > 0 ? lhs < rhs : lhs > rhs;
        if (rightOfPoint) {
            inside = !inside;
        }
    }
    return inside;
}

}  // namespace draw
