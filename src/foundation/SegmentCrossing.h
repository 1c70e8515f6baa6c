#pragma once

#include "foundation/Segment2F.h"
#include "foundation/Vector2F.h"

// Exact float tests of the surface cutting; they must agree with each other
// bit for bit on the same points, so nothing here uses a tolerance.

// The segments a1-a2 and b1-b2 cross. Touching at an interior point counts;
// a shared endpoint and a collinear overlap do not, so that the edges of one
// outline never cross their neighbours.
bool SegmentsCross(const CVector2F& a1, const CVector2F& a2, const CVector2F& b1,
                   const CVector2F& b2);

// Parallel segments (direction cross product exactly 0) never meet and leave
// `out` alone. Otherwise `out` takes the lines' intersection, even when the
// segments miss, and the result says whether neither segment has both ends
// strictly on one side of the other's line (touching counts).
bool IntersectFloatSegments(const CSegment2F& a, const CSegment2F& b, CVector2F& out);
