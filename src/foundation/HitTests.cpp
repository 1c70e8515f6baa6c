#include "foundation/HitTests.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "foundation/DrawPoint.h"
#include "foundation/GeometryMath.h"
#include "platform/draw/PolygonRegion.h"

namespace {

constexpr float kRegionScale = 100.0f;

std::optional<draw::PolygonRegion> RegionOf(std::span<const CVector2D> vertices) {
    std::vector<draw::Point> points;
    points.reserve(vertices.size());
    for (const CVector2D& v : vertices) {
        points.push_back(ToDrawPoint(v));
    }
    return draw::PolygonRegion::Create(points);
}

CVector2F Corner(double x, double y) {
    return CVector2D(x, y).ToVector2F();
}

}  // namespace

bool SnapToPointWithin(POINT& point, const CVector2D& target, int tolerance) {
    if (!IsWithinDistance(target, CVector2D(point), tolerance)) {
        return false;
    }
    point = target.ToPoint();
    return true;
}

bool HitTestSegment(const POINT& point, const CVector2D& p0, const CVector2D& p1, int tolerance) {
    const RECT box = CRect2D(p0, p1).GetNormalized().GetInflated(tolerance).ToRect();
    if (point.x < box.left || point.x >= box.right || point.y < box.top || point.y >= box.bottom) {
        return false;
    }
    if (p0.x == p1.x || p0.y == p1.y) {
        return true;
    }
    const CVector2D d = p1 - p0;
    const double distance = std::abs(d.Cross(p0 - CVector2D(point))) / d.GetLength();
    return distance <= tolerance;
}

bool SegmentIntersectsRect(const CRect2D& rect, const CVector2D& p, const CVector2D& q) {
    if ((p.x < rect.left && q.x < rect.left) || (p.x > rect.right && q.x > rect.right) ||
        (p.y < rect.top && q.y < rect.top) || (p.y > rect.bottom && q.y > rect.bottom)) {
        return false;
    }
    if (p.x == q.x || p.y == q.y) {
        return true;
    }
    const CVector2D d = q - p;
    const CVector2D corners[] = {{rect.left, rect.top},
                                 {rect.left, rect.bottom},
                                 {rect.right, rect.top},
                                 {rect.right, rect.bottom}};
    bool negative = false;
    bool positive = false;
    for (const CVector2D& corner : corners) {
        const double side = d.Cross(corner - p);
        negative = negative || side < 0.0;
        positive = positive || side > 0.0;
    }
    return negative && positive;
}

bool RectOverlapsPolygon(const CRect2D& rect, std::span<const CVector2D> vertices) {
    if (std::any_of(vertices.begin(), vertices.end(),
                    [&](const CVector2D& v) { return rect.Contains(v.x, v.y); })) {
        return true;
    }
    const std::optional<draw::PolygonRegion> region = RegionOf(vertices);
    if (!region) {
        return false;
    }
    const CVector2D corners[] = {{rect.left, rect.top},
                                 {rect.right, rect.top},
                                 {rect.right, rect.bottom},
                                 {rect.left, rect.bottom}};
    return std::any_of(std::begin(corners), std::end(corners),
                       [&](const CVector2D& c) { return region->Contains(ToDrawPoint(c)); });
}

namespace {

// The polygon scaled by 100 and rounded, as a GDI region would hold it.
std::optional<draw::PolygonRegion> MakeScaledRegion(std::span<const CVector2F> vertices) {
    std::vector<draw::Point> scaled;
    scaled.reserve(vertices.size());
    for (const CVector2F& v : vertices) {
        scaled.push_back(ToDrawPoint((v * kRegionScale).ToPoint()));
    }
    return draw::PolygonRegion::Create(scaled);
}

}  // namespace

bool PointInPolygon(const CVector2F& point, std::span<const CVector2F> vertices) {
    const std::optional<draw::PolygonRegion> region = MakeScaledRegion(vertices);
    if (!region) {
        return false;
    }
    const CVector2F p = point * kRegionScale;
    return region->Contains({TruncateToInt(p.x), TruncateToInt(p.y)});
}

bool RoundedPointInPolygon(const CVector2F& point, std::span<const CVector2F> vertices) {
    const std::optional<draw::PolygonRegion> region = MakeScaledRegion(vertices);
    if (!region) {
        return false;
    }
    return region->Contains(ToDrawPoint((point * kRegionScale).ToPoint()));
}

bool IsPointOnSegment(const CVector2F& p, const CSegment2F& s) {
    const CVector2F a = p - s.start;
    const CVector2F b = p - s.end;
    return a.Cross(b) == 0.0f && a.Dot(b) <= 0.0f;
}

bool RectIntersectsCircle(const CRect2D& rect, const CCircle2F& circle) {
    const CVector2F corners[] = {Corner(rect.left, rect.top), Corner(rect.right, rect.top),
                                 Corner(rect.right, rect.bottom), Corner(rect.left, rect.bottom)};
    if (std::any_of(std::begin(corners), std::end(corners),
                    [&](const CVector2F& c) { return circle.Contains(c); })) {
        return true;
    }
    const CRect2D r = rect.GetNormalized();
    const double radius = circle.radius;
    const double cx = circle.centre.x;
    const double cy = circle.centre.y;
    return r.left - radius <= cx && cx <= r.right + radius && r.top - radius <= cy &&
           cy <= r.bottom + radius;
}

bool RectIntersectsPolygon(const CRect2D& rect, std::span<const CVector2F> vertices) {
    if (vertices.empty()) {
        return false;
    }
    if (PointInPolygon(rect.GetCenter().ToVector2F(), vertices)) {
        return true;
    }
    const CVector2F topLeft = Corner(rect.left, rect.top);
    const CVector2F bottomLeft = Corner(rect.left, rect.bottom);
    const CVector2F bottomRight = Corner(rect.right, rect.bottom);
    const CVector2F topRight = Corner(rect.right, rect.top);
    const CSegment2F edges[] = {{topLeft, bottomLeft},
                                {bottomLeft, bottomRight},
                                {bottomRight, topRight},
                                {topRight, topLeft}};
    const size_t n = vertices.size();
    for (size_t i = 0; i < n; ++i) {
        const CVector2F& v = vertices[i];
        if (rect.Contains(v.x, v.y)) {
            return true;
        }
        const CSegment2F side(v, vertices[(i + 1) % n]);
        for (const CSegment2F& edge : edges) {
            if (side.Intersects(edge)) {
                return true;
            }
        }
    }
    return false;
}

bool CircleIntersectsPolygon(const CCircle2F& circle, std::span<const CVector2F> vertices) {
    if (vertices.empty()) {
        return false;
    }
    if (PointInPolygon(circle.centre, vertices) || circle.Contains(vertices.front())) {
        return true;
    }
    const size_t n = vertices.size();
    for (size_t i = 0; i < n; ++i) {
        if (circle.CrossesSegment({vertices[i], vertices[(i + 1) % n]})) {
            return true;
        }
    }
    return false;
}

bool PolygonsIntersect(std::span<const CVector2F> a, std::span<const CVector2F> b) {
    if (a.empty() || b.empty()) {
        return false;
    }
    if (PointInPolygon(a.front(), b) || PointInPolygon(b.front(), a)) {
        return true;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        const CSegment2F edge(a[i], a[(i + 1) % a.size()]);
        if (SegmentIntersectsPolygon(edge, b)) {
            return true;
        }
    }
    return false;
}

bool SegmentIntersectsPolygon(const CSegment2F& s, std::span<const CVector2F> vertices) {
    const size_t n = vertices.size();
    for (size_t i = 0; i < n; ++i) {
        if (s.Intersects({vertices[i], vertices[(i + 1) % n]})) {
            return true;
        }
    }
    return false;
}
