#include "plan2d/PaperFrameDrag.h"

#include <algorithm>

#include "document/HousDoc.h"
#include "plan2d/H2DView.h"
#include "plan2d/PaperFrameTips.h"
#include "platform/draw/RecordingDrawContext.h"

namespace {

constexpr int kEdgeCursor = 590;

bool Within(int value, int low, int high) {
    return value >= std::min(low, high) && value <= std::max(low, high);
}

}  // namespace

int HitPaperFrameEdge(const RECT& frame, POINT p, int band) {
    const bool alongX = Within(p.x, frame.left - band, frame.right + band);
    const bool alongY = Within(p.y, frame.top - band, frame.bottom + band);
    if (alongY && Within(p.x, frame.left - band, frame.left + band)) {
        return 0;
    }
    if (alongX && Within(p.y, frame.top - band, frame.top + band)) {
        return 1;
    }
    if (alongY && Within(p.x, frame.right - band, frame.right + band)) {
        return 2;
    }
    if (alongX && Within(p.y, frame.bottom - band, frame.bottom + band)) {
        return 3;
    }
    return -1;
}

POINT CPaperFrameDrag::FrameLogicalPoint(POINT client) {
    draw::RecordingDrawContext dc;
    m_view.PrepareTitleFrameDC(dc);
    const POINT scroll = m_doc.GetPlanViewOrigin();
    const draw::Point logical = dc.DPtoLP(draw::Point{client.x + scroll.x, client.y + scroll.y});
    return POINT{logical.x, logical.y};
}

bool CPaperFrameDrag::MouseDown(POINT client) {
    const int band = 2 * m_doc.GetPickTolerance();
    if (HitPaperFrameEdge(m_view.GetPaperFrameClientRect(), client, band) < 0) {
        return false;
    }
    m_dragging = true;
    m_pressPoint = FrameLogicalPoint(client);
    m_pressPosition = m_doc.GetPaperPosition();
    return true;
}

void CPaperFrameDrag::MouseMove(POINT client, bool leftHeld) {
    const int band = 2 * m_doc.GetPickTolerance();
    if (HitPaperFrameEdge(m_view.GetPaperFrameClientRect(), client, band) >= 0) {
        m_view.SetToolCursor(kEdgeCursor);
    }
    if (!leftHeld || !m_dragging) {
        m_dragging = m_dragging && leftHeld;
        return;
    }
    const POINT now = FrameLogicalPoint(client);
    m_doc.SetPaperPosition(POINT{m_pressPosition.x + now.x - m_pressPoint.x,
                                 m_pressPosition.y + now.y - m_pressPoint.y});
    UpdatePaperTipRects();
    m_view.RedrawNow();
}

void CPaperFrameDrag::UpdatePaperTipRects() {
    const int tolerance = m_doc.GetPickTolerance();
    const RECT frame = m_view.GetPaperFrameClientRect();
    m_view.SetPaperTipRects(
        ComputePaperTipRects(frame, tolerance, POINT{frame.right, frame.bottom}, 2 * tolerance));
}
