#include "document/DesignScene.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "view3d/HousView.h"

void CHousView::BindDeletionCommands() {
    BindViewCommand(context_menu::kDelete, [this] { DeleteSelectedObjects(true, false); });
}

void CHousView::DeleteSelectedObjects(bool withSeparators, bool noConfirm) {
    CDesignScene& scene = m_renderer.GetScene();
    // A kind the user keeps leaves no records, so the step is counted from
    // what was deleted, not from what was selected.
    if (withSeparators) {
        m_pDoc->BeginUndoGroup();
    }
    const int removed = scene.DeleteSelectionByType(noConfirm);
    if (withSeparators) {
        m_pDoc->EndUndoGroup();
    }
    m_picked = {};
    scene.PruneSelectionLists();
    scene.ClearPickedObjects();
    scene.RebuildFloorLevels();
    scene.RefreshObjectsAndSymbols();
    scene.FillFloorCombo();
    m_pDoc->SetEditModeAndRefresh(EditMode::kNone);
    if (removed > 0) {
        m_pDoc->SetDesignModified(1);
    }
    m_pDoc->SetStatusText("請選擇動作");
}
