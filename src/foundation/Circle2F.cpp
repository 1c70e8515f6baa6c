#include "foundation/Circle2F.h"

#include <cmath>

namespace {

bool LiesOnSegment(const CVector2F& q, const CSegment2F& s) {
    return (s.start - q).Dot(s.end - q) <= 0.0f;
}

}  // namespace

bool CCircle2F::Contains(const CVector2F& p) const {
    return (p - centre).GetLength() <= radius;
}

bool CCircle2F::CrossesSegment(const CSegment2F& s) const {
    const float dist = centre.GetDistanceToLine(s);
    if (dist > radius) {
        return false;
    }
    const CVector2F foot = centre.ProjectOntoLine(s);
    const float k = std::sqrt(radius * radius - dist * dist);
    const CVector2F d = s.end - s.start;
    const CVector2F u = d / d.GetLength();
    return LiesOnSegment(foot + u * k, s) || LiesOnSegment(foot - u * k, s);
}

bool CCircle2F::Overlaps(const CCircle2F& c) const {
    return (c.centre - centre).GetLength() <= radius + c.radius;
}
