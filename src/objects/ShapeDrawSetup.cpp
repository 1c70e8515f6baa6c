#include "objects/ShapeDrawSetup.h"

#include "foundation/LinePen.h"
#include "objects/2DShape.h"
#include "objects/DocumentServices.h"

CShapeDrawSetup::CShapeDrawSetup(draw::DrawContext& dc, const C2DShape& shape, int rop2)
    : m_saver(dc),
      m_origin(GetDocumentServices().GetPlanDrawOrigin(dc)),
      m_color(shape.GetDrawColor(dc)) {
    m_saver.SelectPen(
        CLinePen(shape.GetPenStyle(), shape.GetPenWidth(), m_color, m_origin.zoomPercent));
    m_saver.SelectStockObject(draw::NULL_BRUSH);
    m_saver.SetROP2(rop2);
}
