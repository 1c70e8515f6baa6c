#include "plan2d/PlanOverlay.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "document/ActiveDocumentValues.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/DCStateSaver.h"
#include "foundation/GeometryMath.h"
#include "foundation/RubberBand.h"
#include "platform/draw/DrawContext.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

constexpr draw::COLORREF kOutlineColor = draw::Rgb(255, 0, 0);
constexpr draw::COLORREF kVertexColor = draw::Rgb(0, 0, 255);
constexpr draw::COLORREF kCrosshairColor = draw::Rgb(75, 75, 75);
constexpr draw::COLORREF kLabelColor = draw::Rgb(128, 128, 128);
constexpr const char* kLabelFace = "Comic San Ms";
constexpr const char* kTextToolLabel = "文字";
// Pixels around the label's text box that its smoothed glyphs may reach.
constexpr int kLabelMargin = 4;

// The shape tools draw their own previews and no outline.
bool IsShapeDrawing(int mode) {
    return mode == EditMode::kArcDrawing || mode == EditMode::kRectangleDrawing ||
           mode == EditMode::kCircleDrawing || mode == EditMode::kCurveDrawing;
}

// The tools whose preview is the segment from the last point to the cursor.
bool DrawsRubberBandLine(int mode) {
    return mode == EditMode::kCeilingDrawing || mode == EditMode::kWallDrawing ||
           mode == EditMode::kFloorDrawing || mode == EditMode::kTextDrawing ||
           mode == EditMode::kDimensionDrawing || mode == EditMode::kLineDrawing;
}

// A stored point on the plan's context: y flipped, rounded, minus the origin.
draw::Point ToLogical(const CVector2D& stored, const PlanDrawOrigin& origin) {
    return {RoundToInt(stored.x) - origin.x, RoundToInt(-stored.y) - origin.y};
}

// The rubber band takes the overlay's flags as they are.
static_assert(CPlanOverlay::kDrawNew == kRubberBandDraw &&
              CPlanOverlay::kDrawRemembered == kRubberBandErase);

// The device pixels of text written at the logical point, with a margin.
draw::Rect TextArea(const draw::DrawContext& dc, draw::Point at, std::string_view text) {
    const draw::Size extent = dc.GetTextExtent(text);
    const draw::Point a = dc.LPtoDP(at);
    const draw::Point b = dc.LPtoDP(draw::Point{at.x + extent.cx, at.y + extent.cy});
    return {std::min(a.x, b.x) - kLabelMargin, std::min(a.y, b.y) - kLabelMargin,
            std::max(a.x, b.x) + kLabelMargin, std::max(a.y, b.y) + kLabelMargin};
}

}  // namespace

CVector2D& CPlanOverlay::RememberedCrosshair() {
    static CVector2D point;
    return point;
}

void CPlanOverlay::DrawCreationPieces(draw::DrawContext& dc, const PlanSketch& sketch) const {
    DrawCopyPieces(dc, sketch);
    // The crosshair goes over the vertex markers: under them, its next XOR
    // would leave marks on every marker it crosses.
    DrawCrosshair(dc, sketch.cursor, kDrawRemembered);
}

void CPlanOverlay::DrawCopyPieces(draw::DrawContext& dc, const PlanSketch& sketch) const {
    auto* image = dynamic_cast<draw::ImageDrawContext*>(&dc);
    if (image != nullptr) {
        m_label.image = image;
        m_label.under.Clear();
        m_label.over.Clear();
    }
    DrawLengthLabel(dc, sketch);
    if (!IsShapeDrawing(m_doc.GetEditMode())) {
        DrawOutlineSoFar(dc, sketch);
    }
    DrawOutlineVertices(dc, sketch);
    if (image != nullptr && !m_label.under.IsEmpty()) {
        m_label.over.Save(*image, m_label.under.Area());
    }
}

bool CPlanOverlay::MoveLengthLabel(draw::ImageDrawContext& image, const PlanSketch& sketch) const {
    if (m_label.image != &image) {
        return false;
    }
    if (!m_label.under.IsEmpty()) {
        if (!m_label.over.Matches(image)) {
            return false;
        }
        m_label.under.Restore(image);
    }
    DrawCopyPieces(image, sketch);
    return true;
}

void CPlanOverlay::DrawRubberBand(draw::DrawContext& dc, const PlanSketch& sketch,
                                  int flags) const {
    if (!DrawsRubberBandLine(m_doc.GetEditMode())) {
        return;
    }
    const CVector2D* last = sketch.outline.empty() ? nullptr : &sketch.outline.back();
    DrawRubberBandLine(dc, last, sketch.cursor, flags, GetPlanDrawOrigin(&dc));
}

void CPlanOverlay::DrawLengthLabel(draw::DrawContext& dc, const PlanSketch& sketch) const {
    const int mode = m_doc.GetEditMode();
    if (!EditMode::IsDrawingInProgress(mode) || IsShapeDrawing(mode) || sketch.outline.empty() ||
        sketch.outline.back() == sketch.cursor) {
        return;
    }
    std::string text = kTextToolLabel;
    if (mode != EditMode::kTextDrawing) {
        const double metres = (sketch.cursor - sketch.outline.back()).GetLength() * 0.01;
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.2fm", metres);
        text = buffer;
    }
    draw::Font font;
    font.height = TruncateToInt(15.0 / m_doc.GetPlanScale(dc));
    font.weight = draw::FW_NORMAL;
    font.faceName = kLabelFace;

    CDCStateSaver saver(dc);
    saver.SelectFont(font);
    saver.SetBkMode(draw::TRANSPARENT);
    saver.SetTextColor(kLabelColor);
    const draw::Point cursor = ToLogical(sketch.cursor, GetPlanDrawOrigin(&dc));
    const draw::Point at{cursor.x + 5, cursor.y - font.height};
    auto* image = dynamic_cast<draw::ImageDrawContext*>(&dc);
    if (image != nullptr && image == m_label.image) {
        m_label.under.Save(*image, TextArea(dc, at, text));
    }
    dc.TextOut(at.x, at.y, text);
}

void CPlanOverlay::DrawOutlineSoFar(draw::DrawContext& dc, const PlanSketch& sketch) const {
    DrawPolyline(dc, sketch.outline);
    DrawPolyline(dc, sketch.companion);
}

void CPlanOverlay::DrawPolyline(draw::DrawContext& dc, std::span<const CVector2D> points) const {
    for (std::size_t i = 1; i < points.size(); ++i) {
        DrawPlanSegment(dc, points[i - 1], points[i]);
    }
}

void CPlanOverlay::DrawPlanSegment(draw::DrawContext& dc, const CVector2D& from,
                                   const CVector2D& to) const {
    CDCStateSaver saver(dc);
    const int width = TruncateToInt(1.0 / m_doc.GetPlanScale(dc));
    saver.SelectPen(draw::Pen::Create(draw::PS_SOLID, width, kOutlineColor));
    saver.SetROP2(draw::R2_COPYPEN);
    const PlanDrawOrigin origin = GetPlanDrawOrigin(&dc);
    const draw::Point a = ToLogical(from, origin);
    const draw::Point b = ToLogical(to, origin);
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
}

void CPlanOverlay::DrawOutlineVertices(draw::DrawContext& dc, const PlanSketch& sketch) const {
    for (const std::span<const CVector2D> points : {sketch.outline, sketch.companion}) {
        for (const CVector2D& point : points) {
            DrawVertexMarker(dc, point);
        }
    }
}

void CPlanOverlay::DrawVertexMarker(draw::DrawContext& dc, const CVector2D& point) const {
    const draw::Point device = dc.LPtoDP(ToLogical(point, GetPlanDrawOrigin(&dc)));
    // Pixels on the client, whatever the zoom; the mapping and clip come back.
    const int level = dc.SaveDC();
    dc.SetMapMode(draw::MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.FillRect({device.x - 2, device.y - 2, device.x + 3, device.y + 3},
                draw::Brush::Solid(kVertexColor));
    dc.RestoreDC(level);
}

void CPlanOverlay::DrawCrosshair(draw::DrawContext& dc, const CVector2D& point, int flags) const {
    CDCStateSaver saver(dc);
    saver.SelectPen(draw::Pen::Create(draw::PS_SOLID, 0, kCrosshairColor));
    saver.SetROP2(draw::R2_XORPEN);
    const PlanDrawOrigin origin = GetPlanDrawOrigin(&dc);
    const draw::Rect box = dc.GetClipBox();
    const auto lines = [&](const CVector2D& at) {
        const draw::Point p = ToLogical(at, origin);
        const int x = std::max(p.x, 0);
        const int y = std::max(p.y, 0);
        dc.MoveTo(x, 0);
        dc.LineTo(x, box.bottom);
        dc.MoveTo(0, y);
        dc.LineTo(box.right, y);
    };
    CVector2D& remembered = RememberedCrosshair();
    if ((flags & kDrawRemembered) != 0) {
        lines(remembered);
    }
    if ((flags & kDrawNew) != 0) {
        lines(point);
        remembered = point;
    }
}
