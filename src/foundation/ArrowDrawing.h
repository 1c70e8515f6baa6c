#pragma once

#include "foundation/ArrowHeadStyle.h"
#include "foundation/ArrowLineStyle.h"
#include "foundation/Vector2D.h"
#include "platform/draw/DrawContext.h"

// Draws one arrow head with its tip at `tip`, opening towards `direction`
// (degrees, screen axes), and returns where a shaft attaches: the tip for
// the open kinds 1 and 2, the middle of the head's base for the closed and
// filled kinds 3 to 6. Kind 0, an unknown kind, and a head angle outside
// (0, 90) degrees (no finite half-width) draw nothing and return the tip.
// The filled kinds use the context's current pen and brush.
CVector2D DrawArrowHead(draw::DrawContext& dc, const ArrowHeadStyle& head, const CVector2D& tip,
                        double direction);

// Both heads pointing outward and the shaft between their attach points.
void DrawArrowLine(draw::DrawContext& dc, const ArrowLineStyle& style);
