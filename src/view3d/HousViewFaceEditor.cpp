#include <wx/event.h>

#include "document/DesignScene.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/FaceEditorSeam.h"
#include "objects/ObjectTypeCodes.h"
#include "view3d/ContextMenuTable.h"
#include "view3d/HousView.h"

namespace {

bool IsSurfaceType(int type) {
    return type == kWallObjectType || type == kFloorObjectType || type == kCeilingObjectType;
}

}  // namespace

void CHousView::BindFaceEditorCommands() {
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnEditWallItems(); }, context_menu::kWallItems);
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            CDesignScene& scene = m_renderer.GetScene();
            const bool surface = !scene.Selected(kWallObjectType).empty() ||
                                 !scene.Selected(kFloorObjectType).empty() ||
                                 !scene.Selected(kCeilingObjectType).empty();
            event.Enable(IsFaceEditorInstalled() && surface);
        },
        context_menu::kWallItems);
}

void CHousView::OnEditWallItems() {
    if (m_pDoc->GetBusy() != 0 || !IsFaceEditorInstalled()) {
        return;
    }
    m_pDoc->SetBusy(1);
    m_pDoc->SetEditMode(EditMode::kDoorWindow);
    m_renderer.GetScene().OpenSurfaceFaceEditor(m_picked.face);
    m_pDoc->SetEditMode(EditMode::kNone);
    m_pDoc->SetBusy(0);
    RepaintNow();
}

bool CHousView::OpenFaceEditorAtPick() {
    if (!IsSurfaceType(m_picked.type) || !IsFaceEditorInstalled()) {
        return false;
    }
    return m_renderer.GetScene().OpenSurfaceFaceEditor(m_picked.face);
}
