#pragma once

#include "foundation/DCStateSaver.h"
#include "foundation/PlanDrawOrigin.h"
#include "foundation/Vector2D.h"
#include "platform/draw/DrawTypes.h"

class C2DShape;

// The drawing set-up every plan shape's Draw shares: the plan's origin and
// zoom for the DC, the shape's pen in its drawing colour, the null brush and
// the raster operation, all undone when the set-up ends.
class CShapeDrawSetup {
public:
    CShapeDrawSetup(draw::DrawContext& dc, const C2DShape& shape, int rop2);
    CShapeDrawSetup(const CShapeDrawSetup&) = delete;
    CShapeDrawSetup& operator=(const CShapeDrawSetup&) = delete;

    const PlanDrawOrigin& GetOrigin() const { return m_origin; }
    draw::COLORREF GetColor() const { return m_color; }
    // A stored drawing point where it is drawn on the DC.
    CVector2D ToDevice(const CVector2D& p) const { return {p.x - m_origin.x, p.y - m_origin.y}; }

private:
    CDCStateSaver m_saver;
    PlanDrawOrigin m_origin;
    draw::COLORREF m_color;
};
