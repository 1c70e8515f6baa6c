#include "foundation/Segment2F.h"

bool CSegment2F::IsZero() const {
    return start.x == 0.0f && start.y == 0.0f && end.x == 0.0f && end.y == 0.0f;
}

void CSegment2F::SetZero() {
    start = CVector2F();
    end = CVector2F();
}

bool CSegment2F::OverlapsCollinear(const CSegment2F& s) const {
    const CVector2F d = end - start;
    if (d.Cross(s.start - start) != 0.0f || d.Cross(s.end - start) != 0.0f) {
        return false;
    }
    if ((s.start - start).Dot(s.end - start) <= 0.0f) {
        return true;
    }
    if ((s.start - end).Dot(s.end - end) <= 0.0f) {
        return true;
    }
    const bool sStartOutside = (start - s.start).Dot(end - s.start) > 0.0f;
    const bool sEndOutside = (start - s.end).Dot(end - s.end) > 0.0f;
    return !(sStartOutside && sEndOutside);
}

bool CSegment2F::Crosses(const CSegment2F& s) const {
    const CVector2F d = end - start;
    const CVector2F d2 = s.end - s.start;
    if (d.Cross(d2) == 0.0f) {
        return false;
    }
    if (d.Cross(s.end - start) * d.Cross(s.start - start) > 0.0f) {
        return false;
    }
    if (d2.Cross(end - s.start) * d2.Cross(start - s.start) > 0.0f) {
        return false;
    }
    return true;
}
