#pragma once

#include <cstdint>

#include "platform/draw/DrawContext.h"

// Keeps a drawing context's state for the length of a drawing call: the
// context's state is saved on construction and put back by Restore (or the
// destructor), so whatever the call selected or set inside is undone, pens
// selected in turn included.
class CDCStateSaver {
public:
    explicit CDCStateSaver(draw::DrawContext& dc);
    ~CDCStateSaver();
    CDCStateSaver(const CDCStateSaver&) = delete;
    CDCStateSaver& operator=(const CDCStateSaver&) = delete;

    // Forward to the context; each returns what it replaced.
    draw::Pen SelectPen(const draw::Pen& pen) { return m_dc.SelectPen(pen); }
    draw::Font SelectFont(const draw::Font& font) { return m_dc.SelectFont(font); }
    draw::Brush SelectBrush(const draw::Brush& brush) { return m_dc.SelectBrush(brush); }
    int32_t SetROP2(int32_t rop2) { return m_dc.SetROP2(rop2); }
    int32_t SetBkMode(int32_t mode) { return m_dc.SetBkMode(mode); }
    draw::COLORREF SetBkColor(draw::COLORREF color) { return m_dc.SetBkColor(color); }
    draw::COLORREF SetTextColor(draw::COLORREF color) { return m_dc.SetTextColor(color); }

    // A stock brush (WHITE_BRUSH .. NULL_BRUSH) or pen (WHITE_PEN .. NULL_PEN).
    void SelectStockObject(int32_t index);

    // Only the first call restores; later ones do nothing.
    void Restore();

private:
    draw::DrawContext& m_dc;
    int32_t m_savedLevel = 0;  // 0 once restored
};
