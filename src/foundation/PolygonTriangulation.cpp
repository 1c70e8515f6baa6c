#include "foundation/PolygonTriangulation.h"

#include <algorithm>

namespace {

// v lies on the same side of the line first-second as `opposite`, or on it.
bool OnSideOf(const CVector2F& first, const CVector2F& second, const CVector2F& opposite,
              const CVector2F& v) {
    const CVector2F edge = second - first;
    return edge.Cross(v - first) * edge.Cross(opposite - first) >= 0.0f;
}

bool IsInTriangle(const CVector2F& p1, const CVector2F& p2, const CVector2F& p3,
                  const CVector2F& v) {
    return OnSideOf(p1, p2, p3, v) && OnSideOf(p1, p3, p2, v) && OnSideOf(p2, p3, p1, v);
}

}  // namespace

bool PolygonHasPointInTriangle(const CVector2F& p1, const CVector2F& p2, const CVector2F& p3,
                               std::span<const CVector2F> polygon) {
    return std::any_of(polygon.begin(), polygon.end(), [&](const CVector2F& v) {
        return v != p1 && v != p2 && v != p3 && IsInTriangle(p1, p2, p3, v);
    });
}

bool TriangulatePolygon(std::span<const CVector2F> polygon, std::vector<CVector2F>& triangles,
                        bool keepOrder) {
    std::vector<CVector2F> left(polygon.begin(), polygon.end());
    std::size_t current = 0;
    std::size_t failures = 0;
    while (left.size() >= 3) {
        const std::size_t q = (current + 1) % left.size();
        const std::size_t r = (current + 2) % left.size();
        const CVector2F& P = left[current];
        const CVector2F& Q = left[q];
        const CVector2F& R = left[r];
        const bool isEar =
            !PolygonHasPointInTriangle(P, Q, R, left) && (Q - P).Cross(R - Q) >= 0.0f;
        if (!isEar) {
            if (++failures > left.size()) {
                return false;
            }
            current = q;
            continue;
        }
        failures = 0;
        triangles.push_back(P);
        triangles.push_back(keepOrder ? Q : R);
        triangles.push_back(keepOrder ? R : Q);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(q));
        // The next candidate starts at R, which moved down when it followed Q.
        current = r > q ? r - 1 : r;
    }
    return true;
}
