#include "document/ActiveDocumentValues.h"

#include "document/DesignFileVersion.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/GeometryMath.h"
#include "platform/draw/DrawContext.h"

namespace {

ArrowHeadStyle ArrowHeadFromSettings(int32_t kind) {
    const HousSettings& settings = GetActiveSettings();
    ArrowHeadStyle style;
    style.length = settings.arrowLength;
    style.angle = settings.arrowAngle;
    style.kind = kind;
    return style;
}

}  // namespace

const HousSettings& GetActiveSettings() {
    const CHousDoc* doc = GetActiveHousDoc();
    return doc != nullptr ? doc->Settings() : DefaultHousSettings();
}

float GetReadingFileVersion() {
    const CHousDoc* doc = GetActiveHousDoc();
    I3DView* view = doc != nullptr ? doc->Get3DView() : nullptr;
    const CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    return scene != nullptr ? scene->GetFileVersion() : DesignFileVersion::kCurrent;
}

PlanDrawOrigin GetPlanDrawOrigin(const draw::DrawContext* dc) {
    const CHousDoc* doc = GetActiveHousDoc();
    if (doc == nullptr) {
        return PlanDrawOrigin{0, 0, 100};
    }
    POINT origin = doc->GetPlanOrigin(dc);
    const bool printing = dc != nullptr && dc->IsPrinting();
    POINT offset = doc->GetFrameOffset();
    if (printing) {
        offset = DividePoint(offset, 2.0 * doc->GetPrintScale());
    }
    if (doc->GetFrameOffsetFlag() != 0) {
        origin.x -= offset.x;
        origin.y -= offset.y;
    }
    if (printing) {
        origin.x += offset.x;
        origin.y += offset.y;
    }
    return PlanDrawOrigin{origin.x, origin.y, doc->GetZoomPercent(dc)};
}

ArrowHeadStyle GetLineArrowHeadStyle() {
    return ArrowHeadFromSettings(1);
}

ArrowHeadStyle GetDimensionArrowHeadStyle() {
    return ArrowHeadFromSettings(6);
}

bool Get2DViewFullDrawFlag() {
    const CHousDoc* doc = GetActiveHousDoc();
    const IPlanView* view = doc != nullptr ? doc->Get2DView() : nullptr;
    return view == nullptr || view->GetFullDrawFlag();
}

void SetCameraMarkerRects(const RECT& first, const RECT& second) {
    if (CHousDoc* doc = GetActiveHousDoc()) {
        doc->SetCameraMarkerRects(first, second);
    }
}
