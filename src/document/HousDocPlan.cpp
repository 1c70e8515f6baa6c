#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "document/PlanZoom.h"
#include "foundation/EditValidation.h"
#include "foundation/GeometryMath.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "platform/draw/DrawContext.h"

namespace {

// Draw unit steps in centimetres, by DRAW_UNIT_COMBO.
constexpr std::array<double, 6> kDrawUnits = {1.0, 2.0, 5.0, 10.0, 20.0, 50.0};

// A selection outside the table takes its nearest end.
int DrawUnitIndex(int combo) {
    return std::clamp(combo, 0, static_cast<int>(kDrawUnits.size()) - 1);
}

}  // namespace

POINT CHousDoc::GetPlanOrigin(const draw::DrawContext* dc) const {
    POINT origin = m_planViewOrigin;
    origin.x += GetRulerMargin();
    origin.y += GetRulerMargin();
    if (dc != nullptr) {
        const draw::Point logical = dc->DPtoLP(draw::Point{origin.x, origin.y});
        origin = POINT{logical.x, logical.y};
    }
    return origin;
}

double CHousDoc::GetPlanScale(const draw::DrawContext& dc) const {
    return dc.IsPrinting() ? m_printScale : m_planZoomFactor;
}

int CHousDoc::GetZoomPercent(const draw::DrawContext* dc) const {
    if (dc != nullptr && dc->IsPrinting()) {
        return 100;
    }
    const IPlanFrame* frame = Get2DFrame();
    const int selection = frame != nullptr ? frame->GetZoomSelection() : -1;
    if (selection < 0 || selection >= PlanZoom::kLevelCount) {
        return 100;
    }
    return PlanZoom::GetLevelPercent(selection);
}

int CHousDoc::GetPickTolerance() const {
    if (m_snapToTolerance != 0 && m_editMode != EditMode::kDxfToStructure) {
        return m_settings.selectSense;
    }
    return 1;
}

bool CHousDoc::IsWithinPickTolerance(POINT p, POINT q, int tolerance) const {
    if (tolerance == 0) {
        tolerance = m_snapToTolerance != 0 ? m_settings.selectSense : 1;
    }
    const int64_t dx = std::llabs(int64_t{p.x} - q.x);
    const int64_t dy = std::llabs(int64_t{p.y} - q.y);
    return dx < tolerance && dy < tolerance;
}

int CHousDoc::GetDrawShapeKind(bool flag) const {
    switch (m_editMode) {
        case EditMode::kCeilingDrawing:
            return 50;
        case EditMode::kWallDrawing:
            return m_wallThickness != 0.0 ? 52 : 49;
        case EditMode::kFloorDrawing:
            return 51;
        case EditMode::kArcDrawing:
            if (m_settings.arcStyle == 0) {
                return 1;
            }
            if (m_settings.arcStyle == 1) {
                return (m_p2DView != nullptr && m_p2DView->GetArcDirection() == 1) ? 2 : 3;
            }
            return 0;
        case EditMode::kRectangleDrawing:
            return 25;
        case EditMode::kCircleDrawing: {
            // Three points fix a circle; the other styles take the flag.
            const int style = m_settings.circleStyle;
            if (style < 0 || style > 3) {
                return 0;
            }
            const int kind = 6 + style;
            return (flag && style != 2) ? kind + 4096 : kind;
        }
        default:
            return 0;
    }
}

POINT CHousDoc::GetMapImageSize() const {
    return POINT{m_settings.mapWidth, m_settings.mapHeight};
}

void CHousDoc::UpdateDrawUnitStep() {
    m_settings.drawUnitCombo = DrawUnitIndex(m_settings.drawUnitCombo);
}

double CHousDoc::GetDrawUnit() const {
    return kDrawUnits[static_cast<std::size_t>(DrawUnitIndex(m_settings.drawUnitCombo))];
}

void CHousDoc::UpdateWallBarFields() {
    IPlanFrame* frame = Get2DFrame();
    if (frame == nullptr) {
        return;
    }
    frame->SetWallBarText(IPlanFrame::kWallTopEdit, FormatNumberText(m_wallTop * 2.0));
    frame->SetWallBarText(IPlanFrame::kWallBottomEdit, FormatNumberText(m_wallBottom * 2.0));
    frame->SetWallBarText(IPlanFrame::kWallThicknessEdit, FormatNumberText(m_wallThickness * 2.0));
}

CHousDoc::WallBarValues CHousDoc::ReadWallBarFields() const {
    const IPlanFrame* frame = Get2DFrame();
    if (frame == nullptr) {
        return {};
    }
    return WallBarValues{
        ParseFloatText(frame->GetWallBarText(IPlanFrame::kWallTopEdit)),
        ParseFloatText(frame->GetWallBarText(IPlanFrame::kWallBottomEdit)),
        ParseFloatText(frame->GetWallBarText(IPlanFrame::kWallThicknessEdit)),
    };
}

void CHousDoc::ApplyWallBarFields() {
    const IPlanFrame* frame = Get2DFrame();
    if (frame == nullptr) {
        return;
    }
    constexpr float kLargest = std::numeric_limits<float>::max();
    const std::optional<float> top =
        CheckFloatEdit(frame->GetWallBarText(IPlanFrame::kWallTopEdit), 0.0f, kLargest);
    const std::optional<float> bottom =
        CheckFloatEdit(frame->GetWallBarText(IPlanFrame::kWallBottomEdit), 0.0f, kLargest);
    const std::optional<float> thickness =
        CheckFloatEdit(frame->GetWallBarText(IPlanFrame::kWallThicknessEdit), 0.0f, kLargest);
    if (top && bottom && thickness) {
        if (*top > *bottom) {
            SetWallValues(*top / 2.0, *bottom / 2.0, *thickness / 2.0);
        } else {
            ShowMessage("下限值高於上限值!", PromptButtons::Ok, PromptIcon::Warning);
        }
    }
    UpdateWallBarFields();
}

void CHousDoc::SetWallValues(double top, double bottom, double thickness) {
    m_wallTop = top;
    m_wallBottom = bottom;
    m_wallThickness = thickness;
}

int CHousDoc::GetRulerMargin() const {
    return m_settings.rulerShow != 0 ? kRulerWidth : 0;
}

POINT CHousDoc::GetPlanExtent(double scale) const {
    const int margin = GetRulerMargin();
    return POINT{RoundToInt(m_settings.length * scale + margin),
                 RoundToInt(m_settings.width * scale + margin)};
}

void CHousDoc::UpdatePlanScrollSize() {
    m_planScrollSize = GetPlanExtent(m_planZoomFactor);
}
