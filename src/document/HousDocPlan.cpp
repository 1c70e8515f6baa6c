#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/CLocale.h"
#include "foundation/GeometryMath.h"
#include "foundation/TextFormat.h"
#include "platform/draw/DrawContext.h"

namespace {

constexpr int kRulerMargin = 24;

constexpr int kWallTopEdit = 1002;
constexpr int kWallBottomEdit = 1003;
constexpr int kWallThicknessEdit = 1004;

// Draw unit steps in centimetres, by DRAW_UNIT_COMBO.
constexpr std::array<double, 6> kDrawUnits = {1.0, 2.0, 5.0, 10.0, 20.0, 50.0};

double ParseEditNumber(const std::string& text) {
    return strtod_l(text.c_str(), nullptr, GetCLocale());
}

}  // namespace

POINT CHousDoc::GetPlanOrigin(const draw::DrawContext* dc) const {
    POINT origin = m_planViewOrigin;
    if (m_settings.rulerShow != 0) {
        origin.x += kRulerMargin;
        origin.y += kRulerMargin;
    }
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
    if (selection >= 0 && selection <= 10) {
        return 2000 - 100 * selection;
    }
    if (selection >= 11 && selection <= 15) {
        return 900 - 100 * (selection - 11);
    }
    if (selection >= 16 && selection <= 22) {
        return 450 - 50 * (selection - 16);
    }
    if (selection >= 24 && selection <= 31) {
        return 90 - 10 * (selection - 24);
    }
    return 100;
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
    m_settings.drawUnitCombo = std::clamp(m_settings.drawUnitCombo, 0, 5);
    m_drawUnit = kDrawUnits[static_cast<std::size_t>(m_settings.drawUnitCombo)];
}

void CHousDoc::UpdateWallBarFields() {
    IPlanFrame* frame = Get2DFrame();
    if (frame == nullptr) {
        return;
    }
    frame->SetWallBarText(kWallTopEdit, FormatNumberText(m_wallTop * 2.0));
    frame->SetWallBarText(kWallBottomEdit, FormatNumberText(m_wallBottom * 2.0));
    frame->SetWallBarText(kWallThicknessEdit, FormatNumberText(m_wallThickness * 2.0));
}

CHousDoc::WallBarValues CHousDoc::ReadWallBarFields() const {
    const IPlanFrame* frame = Get2DFrame();
    if (frame == nullptr) {
        return {};
    }
    return WallBarValues{
        static_cast<float>(ParseEditNumber(frame->GetWallBarText(kWallTopEdit))),
        static_cast<float>(ParseEditNumber(frame->GetWallBarText(kWallBottomEdit))),
        static_cast<float>(ParseEditNumber(frame->GetWallBarText(kWallThicknessEdit))),
    };
}

void CHousDoc::SetWallValues(double top, double bottom, double thickness) {
    m_wallTop = top;
    m_wallBottom = bottom;
    m_wallThickness = thickness;
}

void CHousDoc::UpdatePlanScrollSize() {
    const double margin = m_settings.rulerShow != 0 ? kRulerMargin : 0.0;
    m_planScrollSize = POINT{RoundToInt(m_settings.length * m_planZoomFactor + margin),
                             RoundToInt(m_settings.width * m_planZoomFactor + margin)};
}
