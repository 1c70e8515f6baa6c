#pragma once

#include "foundation/GeometryMath.h"
#include "foundation/Vector2F.h"
#include "foundation/WinTypes.h"

class CMatrix2D;

// Point or vector of the plan editor, the main coordinate type. Angles are
// measured in screen axes (y down), so a vector pointing up on the screen,
// (0, -1), has the direction pi/2.
class CVector2D {
public:
    double x = 0.0;
    double y = 0.0;

    CVector2D() = default;
    CVector2D(double px, double py) : x(px), y(py) {}
    explicit CVector2D(const POINT& p) : x(p.x), y(p.y) {}

    CVector2D& AssignPoint(const POINT& p);
    CVector2D& AssignVector2F(const CVector2F& v);

    bool operator==(const CVector2D& v) const { return x == v.x && y == v.y; }
    bool EqualsPoint(const POINT& p) const { return x == p.x && y == p.y; }

    CVector2D& operator+=(const CVector2D& v);
    CVector2D operator+(const CVector2D& v) const { return {x + v.x, y + v.y}; }
    CVector2D operator-(const CVector2D& v) const { return {x - v.x, y - v.y}; }
    CVector2D AddPoint(const POINT& p) const { return {x + p.x, y + p.y}; }
    CVector2D SubtractPoint(const POINT& p) const { return {x - p.x, y - p.y}; }
    CVector2D AddScalar(double s) const { return {x + s, y + s}; }
    CVector2D SubtractScalar(double s) const { return {x - s, y - s}; }
    CVector2D operator*(double s) const { return {x * s, y * s}; }
    // No zero check: callers divide by nonzero values only.
    CVector2D operator/(double s) const { return {x / s, y / s}; }

    double GetLength() const;
    double Dot(const CVector2D& v) const { return x * v.x + y * v.y; }
    double Cross(const CVector2D& v) const { return x * v.y - y * v.x; }

    // Direction in (-pi, pi]; 0 for a zero vector.
    double GetAngle() const;
    // Signed angle from this vector to v; opposite vectors give -pi.
    double GetAngleTo(const CVector2D& v) const;
    // The two above in [0, 2*pi).
    double GetPositiveAngle() const;
    double GetPositiveAngleTo(const CVector2D& v) const;
    double GetAngleDegrees() const { return GetAngle() * kDegreesPerRadian; }
    double GetPositiveAngleDegrees() const { return GetPositiveAngle() * kDegreesPerRadian; }
    double GetAngleToDegrees(const CVector2D& v) const { return GetAngleTo(v) * kDegreesPerRadian; }
    double GetPositiveAngleToDegrees(const CVector2D& v) const {
        return GetPositiveAngleTo(v) * kDegreesPerRadian;
    }

    // y / x and x / y; the denominator must not be 0.
    double GetSlope() const { return y / x; }
    double GetInverseSlope() const { return x / y; }

    CVector2D RotateDegrees(double a) const;
    // (1, -1) converts between plan and drawing coordinates.
    CVector2D Scale(double sx, double sy) const { return {x * sx, y * sy}; }
    CVector2D Transform(const CMatrix2D& m) const;
    // Same direction, length increased by d.
    CVector2D Lengthen(double d) const;
    // The nearest 45-degree vector that keeps the smaller of the two
    // magnitudes, compared on the truncated integer parts.
    CVector2D SnapToDiagonal() const;
    // Unit vector, and the unit vector turned to (-y, x); (0, 0) for a zero
    // vector.
    CVector2D GetUnit() const;
    CVector2D GetNormal() const;

    POINT ToPoint() const;
    CVector2F ToVector2F() const { return {static_cast<float>(x), static_cast<float>(y)}; }
};

// (rx cos a, ry sin a) and (r cos a, r sin a) for a degree angle a.
CVector2D GetEllipsePoint(double rx, double ry, double a);
CVector2D GetPolarPoint(double r, double a);

// The distance between p and q is at most d.
bool IsWithinDistance(const CVector2D& p, const CVector2D& q, double d);
