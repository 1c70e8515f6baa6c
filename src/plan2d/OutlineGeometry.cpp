#include "plan2d/OutlineGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

constexpr double kCollinearCross = 1e-6;
constexpr double kParallelCross = 0.01;

int SideOf(const CVector2D& a, const CVector2D& b, const CVector2D& p) {
    const double cross = (b - a).Cross(p - a);
    return cross > 0.0 ? 1 : (cross < 0.0 ? -1 : 0);
}

bool RangesOverlap(double a0, double a1, double b0, double b1) {
    return std::max(std::min(a0, a1), std::min(b0, b1)) <=
           std::min(std::max(a0, a1), std::max(b0, b1));
}

}  // namespace

bool SpansArea(const OutlinePoints& points) {
    if (points.size() <= 2) {
        return false;
    }
    const CVector2D side = points[1] - points[0];
    return std::any_of(points.begin() + 2, points.end(), [&](const CVector2D& p) {
        return std::fabs(side.Cross(p - points[0])) > kCollinearCross;
    });
}

int ClassifySegmentIntersection(const CVector2D& p0, const CVector2D& p1, const CVector2D& p2,
                                const CVector2D& p3) {
    const int s2 = SideOf(p0, p1, p2);
    const int s3 = SideOf(p0, p1, p3);
    const int s0 = SideOf(p2, p3, p0);
    const int s1 = SideOf(p2, p3, p1);
    if ((s2 != 0 && s2 == s3) || (s0 != 0 && s0 == s1)) {
        return 0;
    }
    // On one line the segments meet only where their extents overlap.
    if (s0 == 0 && s1 == 0 && s2 == 0 && s3 == 0) {
        return RangesOverlap(p0.x, p1.x, p2.x, p3.x) && RangesOverlap(p0.y, p1.y, p2.y, p3.y) ? 1
                                                                                              : 0;
    }
    return 1;
}

bool IsSimplePolygon(const OutlinePoints& points) {
    const std::size_t n = points.size();
    if (n < 3) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) {
                continue;  // the closing side meets the first at the first point
            }
            if (ClassifySegmentIntersection(points[i], points[i + 1], points[j],
                                            points[(j + 1) % n]) != 0) {
                return false;
            }
        }
    }
    return true;
}

bool CanAppendPoint(const OutlinePoints& points, const CVector2D& point) {
    if (points.empty() || point == points.front() || point == points.back()) {
        return false;
    }
    OutlinePoints extended = points;
    extended.push_back(point);
    return IsSimplePolygon(extended);
}

CVector2D IntersectLines(const CVector2D& p0, const CVector2D& p1, const CVector2D& p2,
                         const CVector2D& p3) {
    const CVector2D a = p1 - p0;
    const CVector2D b = p3 - p2;
    const double cross = a.Cross(b);
    if (std::fabs(cross) <= kParallelCross) {
        return p1;
    }
    const double t = (p2 - p0).Cross(b) / cross;
    return p0 + a * t;
}

bool IsOutlineClockwise(const OutlinePoints& points) {
    const std::size_t n = points.size();
    if (n == 0) {
        return false;
    }
    double turning = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const CVector2D& a = points[i];
        const CVector2D& b = points[(i + 1) % n];
        const CVector2D& c = points[(i + 2) % n];
        turning += (b - a).GetAngleTo(c - b);
    }
    return turning > 0.0;
}

void OrientOutlineClockwise(OutlinePoints& points) {
    if (points.empty() || IsOutlineClockwise(points)) {
        return;
    }
    std::reverse(points.begin() + 1, points.end());
}

void RemoveCollinearPoints(OutlinePoints& points) {
    const std::size_t n = points.size();
    if (n < 4) {
        return;
    }
    OutlinePoints kept;
    for (std::size_t i = 0; i < n; ++i) {
        const CVector2D& before = points[(i + n - 1) % n];
        const CVector2D& after = points[(i + 1) % n];
        if (std::fabs((points[i] - before).Cross(after - before)) > kCollinearCross) {
            kept.push_back(points[i]);
        }
    }
    points = std::move(kept);
}
