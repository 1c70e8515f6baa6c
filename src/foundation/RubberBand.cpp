#include "foundation/RubberBand.h"

#include "foundation/DCStateSaver.h"
#include "foundation/DrawingToolkit.h"
#include "foundation/LinePen.h"

namespace {

// A plan point on the context: y negated, rounded, minus the origin.
POINT ToDevice(const CVector2D& plan, const PlanDrawOrigin& origin) {
    const POINT p = plan.Scale(1.0, -1.0).ToPoint();
    return {p.x - origin.x, p.y - origin.y};
}

void DrawSegment(draw::DrawContext& dc, const POINT& a, const POINT& b) {
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
}

}  // namespace

RubberBandState& GetRubberBandState() {
    static RubberBandState state;
    return state;
}

void DrawRubberBandLine(draw::DrawContext& dc, const CVector2D* lastPoint, const CVector2D& cursor,
                        int flags, const PlanDrawOrigin& origin) {
    if (!lastPoint) {
        return;
    }
    CDCStateSaver guard(dc);
    guard.SelectPen(CLinePen(draw::PS_SOLID, 1, draw::Rgb(32, 64, 128), origin.zoomPercent));
    guard.SetROP2(draw::R2_XORPEN);
    guard.SelectStockObject(draw::NULL_BRUSH);
    guard.SetBkColor(0);

    RubberBandState& state = GetRubberBandState();
    const POINT anchor = ToDevice(*lastPoint, origin);
    if (flags & kRubberBandErase) {
        if (cursor == *lastPoint) {
            state.lineCursor = cursor;
            return;
        }
        DrawSegment(dc, anchor, ToDevice(state.lineCursor, origin));
    }
    if (flags & kRubberBandDraw) {
        DrawSegment(dc, anchor, ToDevice(cursor, origin));
        state.lineCursor = cursor;
    }
}

void DrawRubberBandRect(draw::DrawContext& dc, const CVector2D& anchor, const CVector2D& cursor,
                        int flags, const PlanDrawOrigin& origin) {
    CDCStateSaver guard(dc);
    guard.SelectPen(CLinePen(draw::PS_DOT, 1, draw::Rgb(0, 255, 255), origin.zoomPercent));
    guard.SetROP2(draw::R2_XORPEN);
    guard.SetBkColor(0);

    RubberBandState& state = GetRubberBandState();
    const POINT a = ToDevice(anchor, origin);
    if (flags & kRubberBandErase) {
        const POINT b = ToDevice(state.rectCursor, origin);
        DrawRectOutline(dc, a.x, a.y, b.x, b.y);
    }
    if (flags & kRubberBandDraw) {
        const POINT b = ToDevice(cursor, origin);
        DrawRectOutline(dc, a.x, a.y, b.x, b.y);
        state.rectCursor = cursor;
    }
}
