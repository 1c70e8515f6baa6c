#include <wx/utils.h>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "view3d/HousView.h"

void CHousView::RefinePickedFace() {
    if (m_pDoc->GetBusy() != 0) {
        return;
    }
    m_pDoc->SetBusy(1);
    const int undoDepth = static_cast<int>(m_pDoc->HistoryList(0).size());
    // The refinement picks again, which changes the picked face.
    int face = m_picked.face;
    m_renderer.GetScene().RefineSelection(&face);
    if (static_cast<int>(m_pDoc->HistoryList(0).size()) != undoDepth) {
        m_pDoc->SetDesignModified(1);
    }
    m_pDoc->SetBusy(0);
    RepaintNow();
}

void CHousView::PickObjectUnderCursor() {
    const wxPoint cursor = ScreenToClient(wxGetMousePosition());
    PickObjectAtCursor(cursor.x, cursor.y);
}
