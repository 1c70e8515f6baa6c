#include "foundation/Vector2F.h"

#include <cmath>

#include "foundation/GeometryMath.h"
#include "foundation/Segment2F.h"

namespace {

float ToPositiveAngle(float a) {
    return a < 0.0f ? static_cast<float>(a + kTwoPi) : a;
}

}  // namespace

CVector2F& CVector2F::operator+=(const CVector2F& p) {
    x += p.x;
    y += p.y;
    return *this;
}

float CVector2F::GetLength() const {
    return std::sqrt(GetLengthSquared());
}

float CVector2F::GetAngleTo(const CVector2F& p) const {
    return std::atan2(Cross(p), Dot(p));
}

float CVector2F::GetPositiveAngleTo(const CVector2F& p) const {
    return ToPositiveAngle(GetAngleTo(p));
}

float CVector2F::GetPolarAngle() const {
    return ToPositiveAngle(std::atan2(y, x));
}

float CVector2F::GetDistanceToLine(const CSegment2F& s) const {
    const CVector2F d = s.end - s.start;
    return std::fabs(d.Cross(*this - s.start)) / d.GetLength();
}

CVector2F CVector2F::ProjectOntoLine(const CSegment2F& s) const {
    const CVector2F d = s.end - s.start;
    const float k = (*this - s.start).Dot(d) / d.Dot(d);
    return s.start + d * k;
}

POINT CVector2F::ToPoint() const {
    return {RoundToInt(x), RoundToInt(y)};
}
