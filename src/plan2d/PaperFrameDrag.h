#pragma once

#include "foundation/WinTypes.h"

class CH2DView;
class CHousDoc;

// Which edge of the paper frame (client pixels) lies within band pixels of
// the point: 0 left, 1 top, 2 right, 3 bottom; -1 for none.
int HitPaperFrameEdge(const RECT& frame, POINT point, int band);

// Dragging the print paper's frame across the plan by one of its edges.
class CPaperFrameDrag {
public:
    CPaperFrameDrag(CH2DView& view, CHousDoc& doc) : m_view(view), m_doc(doc) {}

    // A press on an edge starts a drag; true when it took the press.
    bool MouseDown(POINT client);
    // Cursor 590 over an edge; with the left button held after a press on
    // an edge, the frame follows the mouse.
    void MouseMove(POINT client, bool leftHeld);
    void EndDrag() { m_dragging = false; }
    // The tooltip areas: the edges as bands of the pick tolerance, the
    // lower-right corner as a square of twice it.
    void UpdatePaperTipRects();

private:
    // The logical point of a client pixel in the frame's own mapping.
    POINT FrameLogicalPoint(POINT client);

    CH2DView& m_view;
    CHousDoc& m_doc;
    bool m_dragging = false;
    POINT m_pressPoint;
    POINT m_pressPosition;
};
