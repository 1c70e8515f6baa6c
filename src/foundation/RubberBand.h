#pragma once

#include "foundation/PlanDrawOrigin.h"
#include "foundation/Vector2D.h"
#include "platform/draw/DrawContext.h"

// XOR previews of the drawing tools. Each preview is erased by drawing it
// again, so every call remembers the cursor it last drew to; the memory is
// one for the whole program, shared by every view and tool.
struct RubberBandState {
    CVector2D lineCursor;  // DrawRubberBandLine
    CVector2D rectCursor;  // DrawRubberBandRect
};

// The program-wide memory of the two rubber bands.
RubberBandState& GetRubberBandState();

// Flag bits: 2 erases the previous preview, 1 draws the one to `cursor` and
// remembers it; 3 does both.
inline constexpr int kRubberBandDraw = 1;
inline constexpr int kRubberBandErase = 2;

// The segment from the tool's last point (plan coordinates; null when the
// tool has no point yet, which draws nothing) to the cursor. When the cursor
// sits exactly on the last point the call only remembers it and draws
// nothing. `origin` is the plan's drawing origin on this context.
void DrawRubberBandLine(draw::DrawContext& dc, const CVector2D* lastPoint, const CVector2D& cursor,
                        int flags, const PlanDrawOrigin& origin);

// The dotted rectangle from the anchor to the cursor (plan coordinates).
void DrawRubberBandRect(draw::DrawContext& dc, const CVector2D& anchor, const CVector2D& cursor,
                        int flags, const PlanDrawOrigin& origin);
