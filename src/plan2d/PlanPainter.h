#pragma once

#include <cstdint>

#include "foundation/Vector2D.h"
#include "foundation/WinTypes.h"
#include "plan2d/PlanOverlay.h"
#include "plan2d/PlanSketch.h"

namespace draw {
class DrawContext;
}

class CHousDoc;

// Paints the plan of the document into a drawing context and sets up the
// context's mapping for plan coordinates: logical centimetres with y down,
// scaled by the plan scale (the print scale on a printer) and moved past the
// rulers. Drawings subtract the plan origin themselves, so the scroll
// position never enters the mapping.
class CPlanPainter {
public:
    static constexpr double kDefaultPrintFactor = 4.72;

    // A step that would draw more grid lines than this draws none: the
    // plan would be a grey field and every repaint would crawl.
    static constexpr int64_t kMaxGridLines = 4000;

    explicit CPlanPainter(CHousDoc& doc) : m_doc(doc), m_overlay(doc) {}

    // Extra device units per logical unit on a printer.
    double GetPrintFactor() const { return m_printFactor; }
    void SetPrintFactor(double factor) { m_printFactor = factor; }

    void OnPrepareDC(draw::DrawContext& dc) const;
    // The mapping of the paper and the title frame, in tenths of a
    // millimetre on the paper.
    void PrepareTitleFrameDC(draw::DrawContext& dc) const;

    // The whole plan in its layers: ground, rulers and grid as the settings
    // show them, the objects, then what the view is in the middle of, with
    // the XOR pieces put back where they were last drawn.
    void DrawPlan(draw::DrawContext& dc, const PlanSketch& sketch) const;
    void DrawBackground(draw::DrawContext& dc) const;
    void DrawRulers(draw::DrawContext& dc) const;
    void DrawGrid(draw::DrawContext& dc) const;
    // The scene's objects by layer, each layer under its display-mask bit,
    // then the title frame and the paper when they are shown.
    void DrawObjects(draw::DrawContext& dc, const PlanSketch& sketch) const;

    const CPlanOverlay& Overlay() const { return m_overlay; }

    // The client pixel of a stored point (x, -y) on a prepared context.
    POINT PlanToClient(const CVector2D& stored, const draw::DrawContext& dc) const;

private:
    CHousDoc& m_doc;
    CPlanOverlay m_overlay;
    double m_printFactor = kDefaultPrintFactor;
};
