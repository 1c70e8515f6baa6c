#pragma once

#include "foundation/Vector2D.h"
#include "foundation/WinTypes.h"

// Rectangle of the plan. It is not kept normalised (left may exceed right);
// the operations that need an order normalise a copy first.
class CRect2D {
public:
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    CRect2D() = default;
    CRect2D(double l, double t, double r, double b) : left(l), top(t), right(r), bottom(b) {}
    CRect2D(const CVector2D& topLeft, const CVector2D& bottomRight)
        : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y) {}

    CRect2D& Assign(const CRect2D& r);

    // Bitwise equality of the four coordinates.
    bool operator==(const CRect2D& r) const;
    bool EqualsRect(const RECT& r) const;

    CRect2D SubtractPoint(const POINT& p) const;

    CRect2D GetNormalized() const;
    // Normalises in place and returns the result.
    CRect2D Normalize();

    CRect2D GetInflated(double d) const { return GetInflatedXY(d, d); }
    CRect2D GetInflatedXY(double dx, double dy) const;
    CRect2D GetDeflatedXY(double dx, double dy) const;
    // In place, returning the result.
    CRect2D InflateXY(double dx, double dy);
    CRect2D DeflateXY(double dx, double dy);
    CRect2D GetScaled(double sx, double sy) const;

    // This rectangle's shape scaled to fill the target along its relatively
    // longer side and centred along the other.
    CRect2D FitInto(const CRect2D& target) const;
    CRect2D FitIntoSize(double w, double h) const { return FitInto(CRect2D(0.0, 0.0, w, h)); }

    CVector2D GetCenter() const { return {(left + right) / 2.0, (top + bottom) / 2.0}; }
    CVector2D GetTopLeft() const { return {left, top}; }
    CVector2D GetBottomRight() const { return {right, bottom}; }

    // Point tests against the normalised rectangle, all borders included.
    bool PtInRect(int x, int y) const { return Contains(x, y); }
    bool Contains(double x, double y) const;
    // The normalised rectangles share at least one point.
    bool Overlaps(const CRect2D& r) const;
    // Overlaps, unless r lies strictly inside this rectangle.
    bool OverlapsWithoutContaining(const CRect2D& r) const;

    RECT ToRect() const;
};
