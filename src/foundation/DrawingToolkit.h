#pragma once

#include <cstdint>

#include "foundation/Vector2D.h"
#include "platform/draw/DrawContext.h"

// Drawing helpers of the plan shapes. Points are logical units of the
// context, rounded half away from zero before they are drawn.

// A line with the current pen.
void DrawLine(draw::DrawContext& dc, const CVector2D& p, const CVector2D& q);
// A line with the given pen; the previous pen is selected again afterwards.
void DrawLineWithPen(draw::DrawContext& dc, const CVector2D& p, const CVector2D& q,
                     const draw::Pen& pen);

// The outline top, right, bottom, left as four lines with the current pen; no
// fill.
void DrawRectOutline(draw::DrawContext& dc, int32_t left, int32_t top, int32_t right,
                     int32_t bottom);
// The two diagonals with the given pen.
void DrawDiagonalCross(draw::DrawContext& dc, int32_t left, int32_t top, int32_t right,
                       int32_t bottom, const draw::Pen& pen);
// A rectangle outlined with the current pen and filled with the given brush.
void DrawFilledRect(draw::DrawContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    const draw::Brush& brush);

// The arc of the circle around the centre through the start point, from the
// start point to the end point in the context's arc direction.
void DrawArcAroundCentre(draw::DrawContext& dc, const CVector2D& centre, const CVector2D& start,
                         const CVector2D& end);
