#include "foundation/ArrowDrawing.h"

#include <cmath>

#include "foundation/DrawPoint.h"
#include "foundation/DrawingToolkit.h"
#include "foundation/GeometryMath.h"

CVector2D DrawArrowHead(draw::DrawContext& dc, const ArrowHeadStyle& head, const CVector2D& tip,
                        double direction) {
    if (head.kind < 1 || head.kind > 6) {
        return tip;
    }
    // The angle comes from the settings unchecked; at 90 degrees and beyond
    // the head has no finite half-width.
    if (!(head.angle > 0.0 && head.angle < 90.0)) {
        return tip;
    }
    const double w = head.length * SinDegrees(head.angle) / CosDegrees(head.angle);
    if (!std::isfinite(w) || !std::isfinite(head.length)) {
        return tip;
    }

    const CVector2D p1 = tip + CVector2D(head.length, w).RotateDegrees(direction);
    const CVector2D p2 = tip + CVector2D(head.length, -w).RotateDegrees(direction);
    const draw::Point a = ToDrawPoint(p1);
    const draw::Point t = ToDrawPoint(tip);
    const draw::Point b = ToDrawPoint(p2);
    switch (head.kind) {
        case 1:
        case 2: {
            const draw::Point open[] = {a, t, b};
            dc.Polyline(open);
            break;
        }
        case 3:
        case 4: {
            const draw::Point closed[] = {a, t, b, a};
            dc.Polyline(closed);
            break;
        }
        default: {
            const draw::Point filled[] = {a, t, b};
            dc.Polygon(filled);
            break;
        }
    }

    if (head.kind % 2 == 0) {
        const CVector2D u = (p2 - p1).GetUnit();
        const double extentA = head.barExtentA != 0.0 ? head.barExtentA : w;
        const double extentB = head.barExtentB != 0.0 ? head.barExtentB : w;
        DrawLine(dc, tip - u * extentA, tip + u * extentB);
    }

    // A shaft ending at the base never shows through a closed or filled head.
    return head.kind <= 2 ? tip : (p1 + p2) / 2.0;
}

void DrawArrowLine(draw::DrawContext& dc, const ArrowLineStyle& style) {
    const double direction = -(style.end - style.start).GetPositiveAngleDegrees();
    const CVector2D startAttach = DrawArrowHead(dc, style.startHead, style.start, direction);
    const CVector2D endAttach = DrawArrowHead(dc, style.endHead, style.end, direction + 180.0);
    DrawLine(dc, startAttach, endAttach);
}
