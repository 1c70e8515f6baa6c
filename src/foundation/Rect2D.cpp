#include "foundation/Rect2D.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

#include "foundation/GeometryMath.h"

namespace {

bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

}  // namespace

CRect2D& CRect2D::Assign(const CRect2D& r) {
    *this = r;
    return *this;
}

bool CRect2D::operator==(const CRect2D& r) const {
    return SameBits(left, r.left) && SameBits(top, r.top) && SameBits(right, r.right) &&
           SameBits(bottom, r.bottom);
}

bool CRect2D::EqualsRect(const RECT& r) const {
    return *this == CRect2D(r.left, r.top, r.right, r.bottom);
}

CRect2D CRect2D::SubtractPoint(const POINT& p) const {
    return {left - p.x, top - p.y, right - p.x, bottom - p.y};
}

CRect2D CRect2D::GetNormalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

CRect2D CRect2D::Normalize() {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    return *this;
}

CRect2D CRect2D::GetInflatedXY(double dx, double dy) const {
    return {left - dx, top - dy, right + dx, bottom + dy};
}

CRect2D CRect2D::GetDeflatedXY(double dx, double dy) const {
    return {left + dx, top + dy, right - dx, bottom - dy};
}

CRect2D CRect2D::InflateXY(double dx, double dy) {
    *this = GetInflatedXY(dx, dy);
    return *this;
}

CRect2D CRect2D::DeflateXY(double dx, double dy) {
    *this = GetDeflatedXY(dx, dy);
    return *this;
}

CRect2D CRect2D::GetScaled(double sx, double sy) const {
    return {left * sx, top * sy, right * sx, bottom * sy};
}

CRect2D CRect2D::FitInto(const CRect2D& target) const {
    const double w = std::fabs(right - left);
    const double h = std::fabs(bottom - top);
    const double tw = std::fabs(target.right - target.left);
    const double th = std::fabs(target.bottom - target.top);
    CRect2D fitted;
    if (w * th >= h * tw) {
        const double fittedHeight = w == 0.0 ? 0.0 : h * tw / w;
        fitted.left = target.left;
        fitted.right = target.right;
        fitted.top = target.top + (th - fittedHeight) / 2.0;
        fitted.bottom = fitted.top + fittedHeight;
    } else {
        const double fittedWidth = h == 0.0 ? 0.0 : w * th / h;
        fitted.top = target.top;
        fitted.bottom = target.bottom;
        fitted.left = target.left + (tw - fittedWidth) / 2.0;
        fitted.right = fitted.left + fittedWidth;
    }
    return fitted;
}

bool CRect2D::Contains(double x, double y) const {
    const CRect2D n = GetNormalized();
    return x >= n.left && x <= n.right && y >= n.top && y <= n.bottom;
}

bool CRect2D::Overlaps(const CRect2D& r) const {
    const CRect2D a = GetNormalized();
    const CRect2D b = r.GetNormalized();
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool CRect2D::OverlapsWithoutContaining(const CRect2D& r) const {
    if (!Overlaps(r)) {
        return false;
    }
    const CRect2D a = GetNormalized();
    const CRect2D b = r.GetNormalized();
    const bool strictlyInside =
        b.left > a.left && b.right < a.right && b.top > a.top && b.bottom < a.bottom;
    return !strictlyInside;
}

RECT CRect2D::ToRect() const {
    return {RoundToInt(left), RoundToInt(top), RoundToInt(right), RoundToInt(bottom)};
}
