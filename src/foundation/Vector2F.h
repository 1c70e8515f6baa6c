#pragma once

#include "foundation/WinTypes.h"

class CSegment2F;

// Float point or vector of the outline segments, circles and plan-symbol
// polygons; all arithmetic stays in float.
class CVector2F {
public:
    float x = 0.0f;
    float y = 0.0f;

    CVector2F() = default;
    CVector2F(float px, float py) : x(px), y(py) {}

    bool operator==(const CVector2F& p) const { return x == p.x && y == p.y; }
    bool operator!=(const CVector2F& p) const { return !(*this == p); }

    CVector2F& operator+=(const CVector2F& p);
    CVector2F operator+(const CVector2F& p) const { return {x + p.x, y + p.y}; }
    CVector2F operator-(const CVector2F& p) const { return {x - p.x, y - p.y}; }
    CVector2F operator*(float f) const { return {x * f, y * f}; }
    // No zero check: callers divide by nonzero values only.
    CVector2F operator/(float f) const { return {x / f, y / f}; }
    CVector2F Scale(float sx, float sy) const { return {x * sx, y * sy}; }

    float GetLengthSquared() const { return x * x + y * y; }
    float GetLength() const;
    float Dot(const CVector2F& p) const { return x * p.x + y * p.y; }
    float Cross(const CVector2F& p) const { return x * p.y - y * p.x; }

    // Signed angle to p in radians, (-pi, pi], counter-clockwise positive with
    // y up; GetPositiveAngleTo maps it into [0, 2*pi).
    float GetAngleTo(const CVector2F& p) const;
    float GetPositiveAngleTo(const CVector2F& p) const;
    // Direction of this vector in [0, 2*pi).
    float GetPolarAngle() const;

    // Distance to the infinite line through s, and the foot of the
    // perpendicular on it; s must have a nonzero length.
    float GetDistanceToLine(const CSegment2F& s) const;
    CVector2F ProjectOntoLine(const CSegment2F& s) const;

    POINT ToPoint() const;
};
