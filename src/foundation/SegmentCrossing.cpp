#include "foundation/SegmentCrossing.h"

namespace {

bool StrictlyOnOneSide(float sideOfFirst, float sideOfSecond) {
    return sideOfFirst * sideOfSecond > 0.0f;
}

}  // namespace

bool SegmentsCross(const CVector2F& a1, const CVector2F& a2, const CVector2F& b1,
                   const CVector2F& b2) {
    if (a1 == b1 || a1 == b2 || a2 == b1 || a2 == b2) {
        return false;
    }
    const CVector2F da = a2 - a1;
    const float f = da.Cross(b1 - a1);
    const float e = da.Cross(b2 - a1);
    if (StrictlyOnOneSide(e, f) || (e == 0.0f && f == 0.0f)) {
        return false;
    }
    const CVector2F db = b2 - b1;
    const float g = db.Cross(a1 - b1);
    const float h = db.Cross(a2 - b1);
    return !StrictlyOnOneSide(g, h) && !(g == 0.0f && h == 0.0f);
}

bool IntersectFloatSegments(const CSegment2F& a, const CSegment2F& b, CVector2F& out) {
    const CVector2F d1 = a.end - a.start;
    const CVector2F d2 = b.end - b.start;
    const float denominator = d1.Cross(d2);
    if (denominator == 0.0f) {
        return false;
    }
    out = a.start + d1 * ((b.start - a.start).Cross(d2) / denominator);
    if (StrictlyOnOneSide(d1.Cross(b.end - a.start), d1.Cross(b.start - a.start))) {
        return false;
    }
    return !StrictlyOnOneSide(d2.Cross(a.end - b.start), d2.Cross(a.start - b.start));
}
