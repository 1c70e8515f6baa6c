#pragma once

#include <span>

#include "foundation/Vector2D.h"
#include "plan2d/PlanSketch.h"

namespace draw {
class DrawContext;
}

class CHousDoc;

// The pieces a creation tool draws over the plan: the length label, the
// outline so far with its vertex markers, the crosshair and the tool's
// rubber band. The crosshair and the rubber band are XOR drawings that
// remember where they were last drawn, so a repaint can put them back for
// the next XOR to erase.
class CPlanOverlay {
public:
    // Flag bits of the XOR pieces: 2 draws the remembered one again (erasing
    // it, or putting it back on a fresh paint), 1 draws at the given point
    // and remembers it.
    static constexpr int kDrawNew = 1;
    static constexpr int kDrawRemembered = 2;

    explicit CPlanOverlay(const CHousDoc& doc) : m_doc(doc) {}

    // The creation pieces of a repaint, in their order.
    void DrawCreationPieces(draw::DrawContext& dc, const PlanSketch& sketch) const;
    // The preview of the current tool, put back at its remembered place.
    void DrawRubberBand(draw::DrawContext& dc, const PlanSketch& sketch) const;

    void DrawLengthLabel(draw::DrawContext& dc, const PlanSketch& sketch) const;
    void DrawOutlineSoFar(draw::DrawContext& dc, const PlanSketch& sketch) const;
    void DrawOutlineVertices(draw::DrawContext& dc, const PlanSketch& sketch) const;
    // Lines across the whole plan through the stored point, in XOR.
    void DrawCrosshair(draw::DrawContext& dc, const CVector2D& point, int flags) const;
    // A 5 x 5 pixel square on the stored point.
    void DrawVertexMarker(draw::DrawContext& dc, const CVector2D& point) const;
    // A segment between stored points with a pen of the plan's scale.
    void DrawPlanSegment(draw::DrawContext& dc, const CVector2D& from, const CVector2D& to) const;

    // Where the crosshair was last drawn; one for the whole program.
    static CVector2D& RememberedCrosshair();

private:
    void DrawPolyline(draw::DrawContext& dc, std::span<const CVector2D> points) const;

    const CHousDoc& m_doc;
};
