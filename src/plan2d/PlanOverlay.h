#pragma once

#include <span>

#include "foundation/Vector2D.h"
#include "plan2d/PixelPatch.h"
#include "plan2d/PlanSketch.h"

namespace draw {
class DrawContext;
class ImageDrawContext;
}  // namespace draw

class CHousDoc;

// The pieces a creation tool draws over the plan: the length label, the
// outline so far with its vertex markers, the crosshair and the tool's
// rubber band. The crosshair and the rubber band are XOR drawings that
// remember where they were last drawn, so a repaint can put them back for
// the next XOR to erase. The other pieces are copied onto the plan under
// them; on an image the overlay keeps what its length label covered, so a
// mouse move can take the label along without painting the plan again.
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
    // The label, the outline so far and its vertex markers.
    void DrawCopyPieces(draw::DrawContext& dc, const PlanSketch& sketch) const;
    // The preview of the current tool: by default put back at its remembered
    // place; kDrawNew draws it to the sketch's cursor and remembers that.
    void DrawRubberBand(draw::DrawContext& dc, const PlanSketch& sketch,
                        int flags = kDrawRemembered) const;
    // Takes the length label to the sketch's cursor on an image whose XOR
    // pieces are off: what the old label covered comes back, and the
    // outline and its markers are drawn again over the new one. False, with
    // nothing changed, when the image no longer shows the copy pieces this
    // overlay drew on it last.
    bool MoveLengthLabel(draw::ImageDrawContext& image, const PlanSketch& sketch) const;

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
    // What the last length label drawn on an image covered (nothing when
    // none was drawn), and its area as the copy pieces left it.
    struct LabelBacking {
        const draw::ImageDrawContext* image = nullptr;
        CPixelPatch under;
        CPixelPatch over;
    };

    void DrawPolyline(draw::DrawContext& dc, std::span<const CVector2D> points) const;

    const CHousDoc& m_doc;
    // Painting keeps the painter const; the record follows what it drew.
    mutable LabelBacking m_label;
};
