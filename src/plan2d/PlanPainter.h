#pragma once

#include "foundation/Vector2D.h"
#include "foundation/WinTypes.h"

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

    explicit CPlanPainter(CHousDoc& doc) : m_doc(doc) {}

    // Extra device units per logical unit on a printer.
    double GetPrintFactor() const { return m_printFactor; }
    void SetPrintFactor(double factor) { m_printFactor = factor; }

    void OnPrepareDC(draw::DrawContext& dc) const;

    // Background, rulers and grid as the settings show them, each on a
    // freshly prepared context.
    void DrawPlan(draw::DrawContext& dc) const;
    void DrawBackground(draw::DrawContext& dc) const;
    void DrawRulers(draw::DrawContext& dc) const;
    void DrawGrid(draw::DrawContext& dc) const;

    // The client pixel of a stored point (x, -y) on a prepared context.
    POINT PlanToClient(const CVector2D& stored, const draw::DrawContext& dc) const;

private:
    CHousDoc& m_doc;
    double m_printFactor = kDefaultPrintFactor;
};
