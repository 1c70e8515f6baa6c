#pragma once

#include <cstdint>

#include "platform/draw/Pen.h"

// The pen of a plan shape. Its width follows the zoom, while its dashes
// scale with the nominal width (the shape's own pen width), so a dashed line
// keeps its pattern length whatever the zoom does to its thickness.
class CLinePen : public draw::Pen {
public:
    CLinePen(int32_t style, int32_t width, draw::COLORREF colour);
    // zoomPercent: the plan's zoom (PlanDrawOrigin::zoomPercent).
    CLinePen(int32_t style, int32_t width, draw::COLORREF colour, int32_t zoomPercent);

    // The drawn width of a pen of nominal width `width` at a zoom in percent.
    static int32_t AdjustWidth(int32_t width, int32_t zoomPercent);

    int32_t GetNominalWidth() const { return m_nominalWidth; }

private:
    // Width 1 gives a cosmetic pen of the style; wider pens are geometric
    // with square ends, dashed by the user patterns of the dashed styles.
    void CreateStyledPen(int32_t style, int32_t width, draw::COLORREF colour);

    int32_t m_nominalWidth = 0;
};
