#include "plan2d/PlanObjectsDrawing.h"

#include <vector>

#include "document/ActiveDocumentValues.h"
#include "document/DesignScene.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/DCStateSaver.h"
#include "foundation/LinePen.h"
#include "objects/DesignObject.h"
#include "platform/draw/DrawContext.h"

namespace {

constexpr draw::COLORREF kPaperFrameColor = draw::Rgb(0, 0, 255);
constexpr int kPaperFrameWidth = 3;
constexpr int kCentreCircleRadius = 30;
constexpr int kCentreCrossArm = 50;

}  // namespace

void DrawPlanType(draw::DrawContext& dc, CDesignScene& scene, int type, bool selectedOnly) {
    const std::vector<CDesignObject*>& objects =
        selectedOnly ? scene.Selected(type) : scene.Objects(type);
    for (const CDesignObject* object : objects) {
        if (object->IsInShapeSet() == 0 && scene.IsOnCurrentFloor(*object)) {
            object->Draw(dc, draw::R2_COPYPEN);
        }
    }
}

void DrawTitleFrameType(draw::DrawContext& dc, CDesignScene& scene, int type) {
    for (const CDesignObject* object : scene.TitleFrame(type)) {
        object->Draw(dc, draw::R2_COPYPEN);
    }
}

void DrawPaperFrame(draw::DrawContext& dc, const CHousDoc& doc) {
    if (dc.IsPrinting() || doc.GetEditMode() == EditMode::kPlanBitmapExport) {
        return;
    }
    const PlanDrawOrigin origin = GetPlanDrawOrigin(&dc);
    CDCStateSaver saver(dc);
    saver.SelectPen(CLinePen(draw::PS_DOT, kPaperFrameWidth, kPaperFrameColor, origin.zoomPercent));
    saver.SetROP2(draw::R2_COPYPEN);
    saver.SelectStockObject(draw::NULL_BRUSH);

    const POINT position = doc.GetPaperPosition();
    const POINT offset = doc.GetFrameOffset();
    const POINT size = doc.GetDefaultPaperSize();
    const int left = position.x - origin.x - offset.x;
    const int top = position.y - origin.y - offset.y;
    dc.Rectangle(left, top, left + size.x, top + size.y);
    const int cx = (2 * left + size.x) / 2;
    const int cy = (2 * top + size.y) / 2;
    dc.Ellipse(cx - kCentreCircleRadius, cy - kCentreCircleRadius, cx + kCentreCircleRadius,
               cy + kCentreCircleRadius);
    dc.MoveTo(cx - kCentreCrossArm, cy);
    dc.LineTo(cx + kCentreCrossArm, cy);
    dc.MoveTo(cx, cy - kCentreCrossArm);
    dc.LineTo(cx, cy + kCentreCrossArm);
}
