#include "foundation/DrawingToolkit.h"

#include "foundation/DrawPoint.h"
#include "foundation/Rect2D.h"

void DrawLine(draw::DrawContext& dc, const CVector2D& p, const CVector2D& q) {
    const draw::Point a = ToDrawPoint(p);
    const draw::Point b = ToDrawPoint(q);
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
}

void DrawLineWithPen(draw::DrawContext& dc, const CVector2D& p, const CVector2D& q,
                     const draw::Pen& pen) {
    const draw::Pen previous = dc.SelectPen(pen);
    DrawLine(dc, p, q);
    dc.SelectPen(previous);
}

void DrawRectOutline(draw::DrawContext& dc, int32_t left, int32_t top, int32_t right,
                     int32_t bottom) {
    dc.MoveTo(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
}

void DrawDiagonalCross(draw::DrawContext& dc, int32_t left, int32_t top, int32_t right,
                       int32_t bottom, const draw::Pen& pen) {
    const draw::Pen previous = dc.SelectPen(pen);
    dc.MoveTo(left, top);
    dc.LineTo(right, bottom);
    dc.MoveTo(left, bottom);
    dc.LineTo(right, top);
    dc.SelectPen(previous);
}

void DrawFilledRect(draw::DrawContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    const draw::Brush& brush) {
    const draw::Brush previous = dc.SelectBrush(brush);
    dc.Rectangle(left, top, right, bottom);
    dc.SelectBrush(previous);
}

void DrawArcAroundCentre(draw::DrawContext& dc, const CVector2D& centre, const CVector2D& start,
                         const CVector2D& end) {
    const double radius = (start - centre).GetLength();
    const RECT box =
        CRect2D(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius)
            .GetNormalized()
            .ToRect();
    const draw::Point a = ToDrawPoint(start);
    const draw::Point b = ToDrawPoint(end);
    dc.Arc(box.left, box.top, box.right, box.bottom, a.x, a.y, b.x, b.y);
}
