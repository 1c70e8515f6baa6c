#pragma once

#include <vector>

#include "foundation/Vector2D.h"

// Polygon rules of the outlines drawn in the plan. An outline is a list of
// stored points (x, -y of the plan, that is the 3D x and z) in click order.
using OutlinePoints = std::vector<CVector2D>;

// More than two points, and a point from the third on lies off the line
// through the first two.
bool SpansArea(const OutlinePoints& points);

// 0 when the segments p0-p1 and p2-p3 cannot meet: either segment has both
// ends strictly on one side of the other's line, or, on one line, they do
// not overlap.
int ClassifySegmentIntersection(const CVector2D& p0, const CVector2D& p1, const CVector2D& p2,
                                const CVector2D& p3);

// At least three points, and no two sides of the closed polygon that are
// not neighbours meet.
bool IsSimplePolygon(const OutlinePoints& points);

// The point is neither the first nor the last one, and the polygon with it
// appended stays simple.
bool CanAppendPoint(const OutlinePoints& points, const CVector2D& point);

// Where the lines through p0-p1 and p2-p3 meet; p1 when they are parallel.
CVector2D IntersectLines(const CVector2D& p0, const CVector2D& p1, const CVector2D& p2,
                         const CVector2D& p3);

// Clockwise as the plan shows the stored points (z drawn upward): the
// turns from side to side add up to more than 0.
bool IsOutlineClockwise(const OutlinePoints& points);

// Reverses a counter-clockwise outline, keeping its first point first.
void OrientOutlineClockwise(OutlinePoints& points);

// Drops every point that lies on the line through its two neighbours (the
// outline taken as closed); outlines of fewer than four points stay.
void RemoveCollinearPoints(OutlinePoints& points);
