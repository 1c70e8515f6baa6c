#include "objects/2DShape.h"

#include "platform/draw/DrawContext.h"

C2DShape::C2DShape(const C2DShape& other)
    : CDesignObject(other),
      m_onAllFloors(other.m_onAllFloors),
      m_levelHeight(other.m_levelHeight),
      m_penStyle(other.m_penStyle),
      m_penWidth(other.m_penWidth),
      m_joinedEnds(other.m_joinedEnds),
      m_thicknessMode(other.m_thicknessMode),
      m_thickness(other.m_thickness) {}

draw::COLORREF C2DShape::GetDrawColor(const draw::DrawContext& dc) const {
    if (IsSelected() != 0 && !dc.IsPrinting()) {
        return draw::Rgb(255, 0, 0);
    }
    return GetColor();
}
