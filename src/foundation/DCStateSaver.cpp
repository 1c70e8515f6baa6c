#include "foundation/DCStateSaver.h"

CDCStateSaver::CDCStateSaver(draw::DrawContext& dc) : m_dc(dc), m_savedLevel(dc.SaveDC()) {}

CDCStateSaver::~CDCStateSaver() {
    Restore();
}

void CDCStateSaver::SelectStockObject(int32_t index) {
    if (index >= draw::WHITE_PEN && index <= draw::NULL_PEN) {
        m_dc.SelectPen(draw::Pen::Stock(index));
    } else {
        m_dc.SelectBrush(draw::Brush::Stock(index));
    }
}

void CDCStateSaver::Restore() {
    if (m_savedLevel != 0) {
        m_dc.RestoreDC(m_savedLevel);
        m_savedLevel = 0;
    }
}
