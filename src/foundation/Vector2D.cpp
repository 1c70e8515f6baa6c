#include "foundation/Vector2D.h"

#include <cmath>

#include "foundation/Matrix2D.h"

CVector2D& CVector2D::AssignPoint(const POINT& p) {
    x = p.x;
    y = p.y;
    return *this;
}

CVector2D& CVector2D::AssignVector2F(const CVector2F& v) {
    x = v.x;
    y = v.y;
    return *this;
}

CVector2D& CVector2D::operator+=(const CVector2D& v) {
    x += v.x;
    y += v.y;
    return *this;
}

double CVector2D::GetLength() const {
    return std::sqrt(x * x + y * y);
}

double CVector2D::GetAngle() const {
    const double len = GetLength();
    const double t = len == 0.0 ? 0.0 : std::asin(-y / len);
    if (x >= 0.0) {
        return t;
    }
    return t >= 0.0 ? kPi - t : -(t + kPi);
}

double CVector2D::GetAngleTo(const CVector2D& v) const {
    const double b = Dot(v);
    const double c = Cross(v);
    if (b == 0.0) {
        if (c == 0.0) {
            return 0.0;
        }
        return c > 0.0 ? -kPi / 2.0 : kPi / 2.0;
    }
    // Not -atan2(c, b): a cross of -0 with a negative dot must still give
    // -pi, as for every pair of opposite vectors.
    const double r = c == 0.0 ? 0.0 : -std::atan(c / b);
    if (b > 0.0) {
        return r;
    }
    return r >= 0.0 ? r - kPi : r + kPi;
}

double CVector2D::GetPositiveAngle() const {
    const double a = GetAngle();
    return a < 0.0 ? a + kTwoPi : a;
}

double CVector2D::GetPositiveAngleTo(const CVector2D& v) const {
    const double a = GetAngleTo(v);
    return a < 0.0 ? a + kTwoPi : a;
}

CVector2D CVector2D::RotateDegrees(double a) const {
    const double s = SinDegrees(a);
    const double c = CosDegrees(a);
    return {x * c - y * s, x * s + y * c};
}

CVector2D CVector2D::Transform(const CMatrix2D& m) const {
    return {m.m11 * x + m.m12 * y, m.m21 * x + m.m22 * y};
}

CVector2D CVector2D::Lengthen(double d) const {
    const double a = GetAngleDegrees();
    const double len = GetLength() + d;
    return {CosDegrees(a) * len, -SinDegrees(a) * len};
}

CVector2D CVector2D::SnapToDiagonal() const {
    // Truncating in double compares the same integer parts as an int cast
    // would, without its undefined range.
    const double ix = std::fabs(std::trunc(x));
    const double iy = std::fabs(std::trunc(y));
    if (iy < ix) {
        const double m = std::fabs(y);
        return {x < 0.0 ? -m : m, y};
    }
    const double m = std::fabs(x);
    return {x, y < 0.0 ? -m : m};
}

CVector2D CVector2D::GetUnit() const {
    const double len = GetLength();
    if (len == 0.0) {
        return {};
    }
    return {x / len, y / len};
}

CVector2D CVector2D::GetNormal() const {
    const double len = GetLength();
    if (len == 0.0) {
        return {};
    }
    return {-y / len, x / len};
}

POINT CVector2D::ToPoint() const {
    return {RoundToInt(x), RoundToInt(y)};
}

CVector2D GetEllipsePoint(double rx, double ry, double a) {
    return {rx * CosDegrees(a), ry * SinDegrees(a)};
}

CVector2D GetPolarPoint(double r, double a) {
    return {r * CosDegrees(a), r * SinDegrees(a)};
}

bool IsWithinDistance(const CVector2D& p, const CVector2D& q, double d) {
    return (p - q).GetLength() <= d;
}
