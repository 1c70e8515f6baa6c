#pragma once

#include "foundation/Segment2F.h"
#include "foundation/Vector2F.h"

// Float circle or disc.
class CCircle2F {
public:
    CVector2F centre;
    float radius = 0.0f;

    CCircle2F() = default;
    CCircle2F(const CVector2F& c, float r) : centre(c), radius(r) {}

    // p lies in the disc, its outline included.
    bool Contains(const CVector2F& p) const;
    // The outline meets the segment; a segment wholly inside does not cross.
    bool CrossesSegment(const CSegment2F& s) const;
    // The two discs share at least one point.
    bool Overlaps(const CCircle2F& c) const;
};
