#include "plan2d/PlanPainter.h"

#include <cstdint>
#include <string>
#include <vector>

#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "platform/draw/DrawContext.h"

namespace {

constexpr draw::COLORREF kWhite = draw::Rgb(255, 255, 255);
constexpr draw::COLORREF kRulerColor = draw::Rgb(192, 192, 192);
constexpr int kRulerWidth = CHousDoc::kRulerWidth;
constexpr int kTickStep = 5;
constexpr int kBaseFontHeight = 10;
constexpr int kVerticalEscapement = 900;
constexpr const char* kRulerUnit = "公尺";

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
    dc.SetMapMode(draw::MM_ISOTROPIC);
    dc.SetWindowOrg(0, 0);
    const bool printing = dc.IsPrinting();
    const double factor = printing ? m_printFactor : 1.0;
    const double scale = m_doc.GetPlanScale(dc);
    const int margin = m_doc.GetRulerMargin();

    POINT scrollSize;
    if (printing) {
        // The screen's extent stays in the document while a page prints.
        scrollSize = m_doc.GetPlanExtent(scale);
    } else {
        m_doc.UpdatePlanScrollSize();
        scrollSize = m_doc.GetPlanScrollSize();
    }
    dc.SetWindowExt(RoundToInt(scrollSize.x / scale / factor),
                    RoundToInt(scrollSize.y / scale / factor));
    dc.SetViewportExt(scrollSize.x, scrollSize.y);
    dc.SetViewportOrg(margin, margin);

    if (!printing) {
        // Nothing of the plan may cover the rulers.
        const draw::Rect box = dc.GetClipBox();
        dc.IntersectClipRect(0, 0, box.right, box.bottom);
    }
}

void CPlanPainter::DrawPlan(draw::DrawContext& dc) const {
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
    // A gap of 0 would never reach the edge of the ground, and a ground with
    // no area has no lines to show.
    if (settings.gridGap <= 0 || settings.length <= 0 || settings.width <= 0) {
        return;
    }
    const draw::Pen oldPen = dc.SelectPen(draw::Pen::Create(draw::PS_SOLID, 0, settings.gridColor));
    const int oldRop = dc.SetROP2(draw::R2_COPYPEN);
    const POINT origin = m_doc.GetPlanOrigin(&dc);
    for (int64_t x = 0; x < settings.length; x += settings.gridGap) {
        const int column = static_cast<int>(x) - origin.x;
        dc.MoveTo(column, -origin.y);
        dc.LineTo(column, settings.width - origin.y);
    }
    for (int64_t y = 0; y < settings.width; y += settings.gridGap) {
        const int row = static_cast<int>(y) - origin.y;
        dc.MoveTo(-origin.x, row);
        dc.LineTo(settings.length - origin.x, row);
    }
    dc.SetROP2(oldRop);
    dc.SelectPen(oldPen);
}

POINT CPlanPainter::PlanToClient(const CVector2D& stored, const draw::DrawContext& dc) const {
    const draw::Point device = dc.LPtoDP(draw::Point{RoundToInt(stored.x), RoundToInt(-stored.y)});
    const POINT scroll = m_doc.GetPlanViewOrigin();
    return POINT{device.x - scroll.x, device.y - scroll.y};
}
