#include "shell/HousViewLink.h"

#include <wx/aui/framemanager.h>

#include "platform/gfx/DeviceTypes.h"
#include "view3d/HousView.h"

CHousViewLink::CHousViewLink(CHousView& view, wxAuiManager& panes) : m_view(view), m_panes(panes) {}

void CHousViewLink::GetClientSize(int& width, int& height) const {
    m_view.GetClientSize(&width, &height);
}

// The view's pane asks for the new size; the pane beside it gives way.
void CHousViewLink::ResizeFrameBy(int dx, int dy) {
    wxAuiPaneInfo& pane = m_panes.GetPane(&m_view);
    if (!pane.IsOk()) {
        return;
    }
    const wxSize size = m_view.GetSize();
    pane.BestSize(size.x + dx, size.y + dy);
    m_panes.Update();
}

void CHousViewLink::SetWireframe(bool wireframe) {
    m_view.GetEngine().SetFillMode(wireframe ? gfx::kFillWireframe : gfx::kFillSolid);
}

void CHousViewLink::SetClearColor(uint8_t red, uint8_t green, uint8_t blue) {
    m_view.GetEngine().SetClearColor(red, green, blue);
}

bool CHousViewLink::SaveDesign(int /*mode*/) {
    return false;
}

void CHousViewLink::ClearDesign() {}
