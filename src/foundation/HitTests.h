#pragma once

#include <span>

#include "foundation/Circle2F.h"
#include "foundation/Rect2D.h"
#include "foundation/Segment2F.h"
#include "foundation/Vector2D.h"
#include "foundation/Vector2F.h"
#include "foundation/WinTypes.h"

// Hit and overlap tests of the plan shapes, in drawing coordinates.
// Polygons are closed: the last vertex joins the first. The tests that go
// through a polygon region share its border rule: left and top edges are
// inside, right and bottom edges outside.

// When the target is within `tolerance` of the point, the point moves onto
// the target, rounded.
bool SnapToPointWithin(POINT& point, const CVector2D& target, int tolerance);

// The point lies in the segment's box grown by the tolerance (right and
// bottom edges of the rounded box excluded) and, unless the segment is
// parallel to an axis, within the tolerance of its line.
bool HitTestSegment(const POINT& point, const CVector2D& p0, const CVector2D& p1, int tolerance);

// `rect` must be normalised. A segment that only touches a corner does not
// count; an axis-parallel one counts as soon as its box is not wholly beside
// the rectangle.
bool SegmentIntersectsRect(const CRect2D& rect, const CVector2D& p, const CVector2D& q);

// A vertex in the rectangle (borders in), or a rounded corner of the
// rectangle in the polygon of rounded vertices.
bool RectOverlapsPolygon(const CRect2D& rect, std::span<const CVector2D> vertices);

// Works at 1/100 of the float units, to keep two decimals of centimetres:
// the vertices are scaled and rounded, the point scaled and truncated toward
// zero. Fewer than three vertices contain nothing.
bool PointInPolygon(const CVector2F& point, std::span<const CVector2F> vertices);
// The same region test with the point rounded, not truncated, as the
// surface cutting scales it.
bool RoundedPointInPolygon(const CVector2F& point, std::span<const CVector2F> vertices);

// p lies on the segment, exactly.
bool IsPointOnSegment(const CVector2F& p, const CSegment2F& s);

// A corner of the rectangle lies in the circle, or the centre lies in the
// rectangle grown by the radius; so a circle just off a corner counts.
bool RectIntersectsCircle(const CRect2D& rect, const CCircle2F& circle);

bool RectIntersectsPolygon(const CRect2D& rect, std::span<const CVector2F> vertices);
bool CircleIntersectsPolygon(const CCircle2F& circle, std::span<const CVector2F> vertices);
bool PolygonsIntersect(std::span<const CVector2F> a, std::span<const CVector2F> b);
// Meets an edge; a segment wholly inside the polygon does not count.
bool SegmentIntersectsPolygon(const CSegment2F& s, std::span<const CVector2F> vertices);
