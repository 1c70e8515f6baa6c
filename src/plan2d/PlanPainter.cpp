#include "plan2d/PlanPainter.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/ActiveDocumentValues.h"
#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "foundation/RubberBand.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanEditModeClass.h"
#include "plan2d/PlanLayerBits.h"
#include "plan2d/PlanMapping.h"
#include "plan2d/PlanObjectsDrawing.h"
#include "platform/draw/DrawContext.h"

namespace {

constexpr draw::COLORREF kWhite = draw::Rgb(255, 255, 255);
constexpr draw::COLORREF kRulerColor = draw::Rgb(192, 192, 192);
constexpr int kRulerWidth = CHousDoc::kRulerWidth;
constexpr int kTickStep = 5;
constexpr int kBaseFontHeight = 10;
constexpr int kVerticalEscapement = 900;
constexpr const char* kRulerUnit = "公尺";
// Sent once a print preview has been painted: the plan is drawn again.
constexpr int kPreviewEndedHint = 995;

// One layer of the plan's objects: the display-mask bit that shows it and
// its object types (-1 for none), drawn after preparing the context again
// when asked.
struct ObjectLayer {
    uint32_t maskBit;
    std::array<int, 4> types;
    bool preparesDC;
};

// Bottom to top.
constexpr std::array<ObjectLayer, 12> kObjectLayers{{
    {PlanLayer::kPictures, {kImageShapeType, -1, -1, -1}, false},
    {PlanLayer::kFloors, {kFloorObjectType, -1, -1, -1}, false},
    {PlanLayer::kCeilings, {kCeilingObjectType, -1, -1, -1}, false},
    {PlanLayer::kWalls, {kWallObjectType, -1, -1, -1}, false},
    {PlanLayer::kPhotos, {kPhotoObjectType, -1, -1, -1}, false},
    {PlanLayer::kText3D, {kText3DObjectType, -1, -1, -1}, false},
    {PlanLayer::kLights, {kLightObjectType, -1, -1, -1}, false},
    {PlanLayer::kDxfSymbols, {kDxfIconShapeType, -1, -1, -1}, false},
    {PlanLayer::kShapes, {kLineShapeType, kRectShapeType, kCircleShapeType, kCurveShapeType}, true},
    {PlanLayer::kDimensions, {kDimensionShapeType, -1, -1, -1}, false},
    {PlanLayer::kTextNotes, {kTextShapeType, -1, -1, -1}, false},
    {PlanLayer::kFurniture, {kModelObjectType, -1, -1, -1}, true},
}};

constexpr std::array<int, 6> kTitleFrameTypes{kLineShapeType,  kRectShapeType, kCircleShapeType,
                                              kCurveShapeType, kTextShapeType, kImageShapeType};

struct RulerTick {
    int device = 0;  // client x (horizontal ruler) or y (vertical ruler)
    int value = 0;   // centimetres
};

// Metre ticks are the longest, half metres next.
int TickEnd(int value) {
    if (value % 100 == 0) {
        return 9;
    }
    return value % 50 == 0 ? 12 : 15;
}

// 5 cm ticks only above 100 %, 10 cm ticks only from 20 %.
bool ShowsTick(int value, double scale) {
    return (value % 10 != 5 || scale > 0.5) && (value % 50 == 0 || scale >= 0.2);
}

draw::Rect ClientRect(const draw::DrawContext& dc) {
    return {0, 0, dc.GetDeviceCaps(draw::HORZRES), dc.GetDeviceCaps(draw::VERTRES)};
}

void ToClientPixels(draw::DrawContext& dc) {
    dc.SetMapMode(draw::MM_TEXT);
    dc.SetViewportOrg(0, 0);
}

}  // namespace

void CPlanPainter::OnPrepareDC(draw::DrawContext& dc) const {
    const bool printing = dc.IsPrinting();
    const HousSettings& settings = m_doc.Settings();
    const PlanMappingSetup setup =
        ComputePlanMapping(settings.length, settings.width, m_doc.GetPlanScale(dc),
                           m_doc.GetRulerMargin(), printing ? m_printFactor : 1.0);
    // A page being printed leaves the screen's scroll size alone.
    if (!printing) {
        m_doc.SetPlanScrollSize(setup.scrollSize);
    }
    setup.ApplyTo(dc);
    if (!printing) {
        // Nothing of the plan may cover the rulers.
        const draw::Rect box = dc.GetClipBox();
        dc.IntersectClipRect(0, 0, box.right, box.bottom);
    }
}

void CPlanPainter::PrepareTitleFrameDC(draw::DrawContext& dc) const {
    const HousSettings& settings = m_doc.Settings();
    const int mode = m_doc.GetEditMode();
    const double factor = mode == EditMode::kPlanPrint || mode == EditMode::kPrintPreview
                              ? m_printFactor
                              : m_doc.GetPlanZoomFactor() / m_doc.GetPrintScale();
    ComputeTitleFrameMapping(settings.length, settings.width, factor, settings.rulerShow != 0)
        .ApplyTo(dc);
}

void CPlanPainter::DrawPlan(draw::DrawContext& dc, const PlanSketch& sketch) const {
    OnPrepareDC(dc);
    DrawBackground(dc);
    const HousSettings& settings = m_doc.Settings();
    const bool printing = dc.IsPrinting();
    if ((settings.rulerShow != 0 && !printing) || (m_doc.GetPrintRulers() != 0 && printing)) {
        DrawRulers(dc);
    }
    if ((settings.gridShow != 0 && !printing) || (m_doc.GetPrintGrid() != 0 && printing)) {
        DrawGrid(dc);
    }
    DrawObjects(dc, sketch);

    const int mode = m_doc.GetEditMode();
    if (GetPlanEditModeClass(mode) == kCreationModeClass && mode != EditMode::kDxfToStructure) {
        m_overlay.DrawCreationPieces(dc, sketch);
    }
    m_overlay.DrawRubberBand(dc, sketch);
    // The selection rectangle starts again from nothing at its anchor.
    DrawRubberBandRect(dc, sketch.selectionAnchor, sketch.selectionAnchor, kRubberBandDraw,
                       GetPlanDrawOrigin(&dc));

    if (mode == EditMode::kPrintPreview && !printing) {
        m_doc.SetEditMode(EditMode::kNone);
        m_doc.UpdateAllViews(kPreviewEndedHint);
    }
}

void CPlanPainter::DrawBackground(draw::DrawContext& dc) const {
    const HousSettings& settings = m_doc.Settings();
    if (m_doc.GetEditMode() == EditMode::kPlanBitmapExport) {
        dc.FillRect({0, 0, settings.length, settings.width}, draw::Brush::Solid(kWhite));
        return;
    }
    // The ground's far corner, where its two border lines meet.
    const POINT corner = PlanToClient(CVector2D(settings.length, -settings.width), dc);
    ToClientPixels(dc);
    dc.FillRect(ClientRect(dc), draw::Brush::Solid(kWhite));
    dc.MoveTo(corner.x, 0);
    dc.LineTo(corner.x, corner.y + 1);
    dc.MoveTo(0, corner.y);
    dc.LineTo(corner.x + 1, corner.y);
    OnPrepareDC(dc);
}

void CPlanPainter::DrawRulers(draw::DrawContext& dc) const {
    const HousSettings& settings = m_doc.Settings();
    const bool printing = dc.IsPrinting();
    const double scale = m_doc.GetPlanScale(dc);

    const POINT origin = m_doc.GetPlanOrigin(&dc);
    std::vector<RulerTick> xTicks;
    for (int64_t t = (origin.x / kTickStep + 1) * int64_t{kTickStep}; t <= settings.length;
         t += kTickStep) {
        const int value = static_cast<int>(t);
        xTicks.push_back({dc.LPtoDP(draw::Point{value - origin.x, 0}).x, value});
    }
    std::vector<RulerTick> yTicks;
    for (int64_t t = (origin.y / kTickStep + 1) * int64_t{kTickStep}; t <= settings.width;
         t += kTickStep) {
        const int value = static_cast<int>(t);
        yTicks.push_back({dc.LPtoDP(draw::Point{0, value - origin.y}).y, value});
    }

    ToClientPixels(dc);
    if (!printing) {
        dc.RemoveClip();
    }
    const draw::Rect client = ClientRect(dc);
    const draw::Brush oldBrush =
        dc.SelectBrush(printing ? draw::Brush::Null() : draw::Brush::Solid(kRulerColor));
    int xEnd = client.right + 1;
    int yEnd = client.bottom + 1;
    if (m_doc.GetEditMode() == EditMode::kPlanBitmapExport) {
        xEnd = settings.length / 2 + kRulerWidth;
        yEnd = settings.width / 2 + kRulerWidth;
    }
    dc.Rectangle(client.left + kRulerWidth, client.top, xEnd, client.top + kRulerWidth);
    dc.Rectangle(client.left, client.top + kRulerWidth, client.left + kRulerWidth, yEnd);
    dc.FillRect({client.left, client.top, client.left + kRulerWidth, client.top + kRulerWidth},
                draw::Brush::Solid(kWhite));

    const int n = printing ? TruncateToInt(m_printFactor) : 1;
    draw::Font horizontal;
    horizontal.height = kBaseFontHeight * n;
    horizontal.weight = draw::FW_NORMAL * n;
    horizontal.faceName = "Arial";
    draw::Font vertical = horizontal;
    vertical.escapement = kVerticalEscapement;
    const int oldBkMode = dc.SetBkMode(draw::TRANSPARENT);

    const draw::Font oldFont = dc.SelectFont(horizontal);
    dc.TextOut(client.left + 26, client.top, kRulerUnit);
    for (const RulerTick& tick : xTicks) {
        if (tick.value % 100 == 0) {
            dc.TextOut(tick.device, 0, std::to_string(tick.value / 100));
        }
        if (ShowsTick(tick.value, scale)) {
            dc.MoveTo(tick.device, 23);
            dc.LineTo(tick.device, TickEnd(tick.value));
        }
    }

    dc.SelectFont(vertical);
    dc.TextOut(client.left, client.top + 44, kRulerUnit);
    for (const RulerTick& tick : yTicks) {
        if (tick.value % 100 == 0) {
            dc.TextOut(0, tick.device + 5, std::to_string(tick.value / 100));
        }
        if (ShowsTick(tick.value, scale)) {
            dc.MoveTo(23, tick.device);
            dc.LineTo(TickEnd(tick.value), tick.device);
        }
    }

    dc.SelectFont(oldFont);
    dc.SelectBrush(oldBrush);
    dc.SetBkMode(oldBkMode);
    OnPrepareDC(dc);
}

void CPlanPainter::DrawGrid(draw::DrawContext& dc) const {
    const HousSettings& settings = m_doc.Settings();
    // A step of 0 or less would never reach the edge of the ground, and a
    // ground with no area has no lines to show.
    const int64_t gap = settings.gridGap;
    if (gap <= 0 || settings.length <= 0 || settings.width <= 0) {
        return;
    }
    const int64_t lines = (settings.length + gap - 1) / gap + (settings.width + gap - 1) / gap;
    if (lines > kMaxGridLines) {
        return;
    }
    const draw::Pen oldPen = dc.SelectPen(draw::Pen::Create(draw::PS_SOLID, 0, settings.gridColor));
    const int oldRop = dc.SetROP2(draw::R2_COPYPEN);
    const POINT origin = m_doc.GetPlanOrigin(&dc);
    for (int64_t x = 0; x < settings.length; x += gap) {
        const int column = static_cast<int>(x) - origin.x;
        dc.MoveTo(column, -origin.y);
        dc.LineTo(column, settings.width - origin.y);
    }
    for (int64_t y = 0; y < settings.width; y += gap) {
        const int row = static_cast<int>(y) - origin.y;
        dc.MoveTo(-origin.x, row);
        dc.LineTo(settings.length - origin.x, row);
    }
    dc.SetROP2(oldRop);
    dc.SelectPen(oldPen);
}

void CPlanPainter::DrawObjects(draw::DrawContext& dc, const PlanSketch& sketch) const {
    OnPrepareDC(dc);
    I3DView* view = m_doc.Get3DView();
    CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    if (scene != nullptr) {
        const bool selectedOnly = dc.IsPrinting() && sketch.printSelectionOnly;
        const auto mask = static_cast<uint32_t>(m_doc.Settings().show2DState);
        for (const ObjectLayer& layer : kObjectLayers) {
            if (layer.preparesDC) {
                OnPrepareDC(dc);
            }
            if ((mask & layer.maskBit) == 0) {
                continue;
            }
            for (const int type : layer.types) {
                if (type >= 0) {
                    DrawPlanType(dc, *scene, type, selectedOnly);
                }
            }
        }
    }
    if (m_doc.GetFramePaperShown() == 0) {
        return;
    }
    PrepareTitleFrameDC(dc);
    m_doc.SetFrameOffsetFlag(1);
    if (scene != nullptr) {
        for (const int type : kTitleFrameTypes) {
            DrawTitleFrameType(dc, *scene, type);
        }
    }
    m_doc.SetFrameOffsetFlag(0);
    DrawPaperFrame(dc, m_doc);
    OnPrepareDC(dc);
}

POINT CPlanPainter::PlanToClient(const CVector2D& stored, const draw::DrawContext& dc) const {
    const draw::Point device = dc.LPtoDP(draw::Point{RoundToInt(stored.x), RoundToInt(-stored.y)});
    const POINT scroll = m_doc.GetPlanViewOrigin();
    return POINT{device.x - scroll.x, device.y - scroll.y};
}
