#pragma once

#include <functional>
#include <span>
#include <vector>

#include "foundation/Vector2F.h"

// Ear clipping of the face outlines and cut regions. Polygons are closed
// implicitly: the last point joins the first.

// Some point of the polygon, other than one exactly equal to a corner, lies in
// the triangle or on its edges. A degenerate (collinear) triangle contains
// every such point, so it is an ear only when nothing else is left.
bool PolygonHasPointInTriangle(const CVector2F& p1, const CVector2F& p2, const CVector2F& p3,
                               std::span<const CVector2F> polygon);

// Appends the triangles of a simple counter-clockwise (y up) polygon to
// `triangles`, three points each: in the polygon's turning direction when
// `keepOrder` is set, the other way round otherwise. A clockwise polygon has
// no ear and fails at once; callers orient first (OrientPolygon). On failure
// the triangles found so far stay appended, which the cutting relies on.
// Repeated points are kept and collinear triples count as ears. Fewer than
// three points succeed with no triangle. The work grows with the square of
// the points at most. A long run asks `keepGoing` now and then, and stops
// with a failure when it says no.
bool TriangulatePolygon(std::span<const CVector2F> polygon, std::vector<CVector2F>& triangles,
                        bool keepOrder, const std::function<bool()>& keepGoing = {});
