#pragma once

#include "foundation/Vector2F.h"

// Float segment; all four coordinates exactly 0 mark the null segment.
class CSegment2F {
public:
    CVector2F start;
    CVector2F end;

    CSegment2F() = default;
    CSegment2F(const CVector2F& a, const CVector2F& b) : start(a), end(b) {}

    bool IsZero() const;
    void SetZero();

    // Both segments lie on one line and share at least one point.
    bool OverlapsCollinear(const CSegment2F& s) const;
    // Non-parallel segments that meet; touching at an end counts.
    bool Crosses(const CSegment2F& s) const;
    bool Intersects(const CSegment2F& s) const { return OverlapsCollinear(s) || Crosses(s); }
};
