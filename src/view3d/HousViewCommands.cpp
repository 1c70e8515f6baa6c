#include <wx/event.h>
#include <wx/menu.h>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "foundation/FaceEditorSeam.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "view3d/ContextMenuTable.h"
#include "view3d/HousView.h"

namespace {

constexpr int kSavedTypeCount = 7;
// The material a picked triangle is drawn with; -1 without a pick.
int PickedMaterial(const ScenePick& picked) {
    if (picked.object == nullptr || picked.face < 0) {
        return -1;
    }
    if (const auto* wall = dynamic_cast<const CWallObject*>(picked.object)) {
        return wall->GetFaceMaterialIndex(picked.face);
    }
    return static_cast<int>(picked.object->GetFaceMaterial(static_cast<uint32_t>(picked.face)));
}

}  // namespace

void CHousView::BindViewCommand(int command, std::function<void()> handler) {
    m_viewCommands.insert(command);
    Bind(
        wxEVT_MENU, [handler = std::move(handler)](wxCommandEvent&) { handler(); }, command);
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            const auto update =
                view_commands::GetViewCommandUpdate(event.GetId(), ReadViewCommandContext());
            if (!update) {
                return;
            }
            event.Enable(update->enabled);
            auto* menu = wxDynamicCast(event.GetEventObject(), wxMenu);
            const wxMenuItem* item = menu != nullptr ? menu->FindItem(event.GetId()) : nullptr;
            if (update->checked && item != nullptr && item->IsCheckable()) {
                event.Check(*update->checked);
            }
        },
        command);
}

void CHousView::BindViewCommands() {
    using namespace context_menu;
    BindViewCommand(kShowMirrorImages, [this] { ToggleMirrorImages(); });
    BindViewCommand(kShowShadow, [this] { ToggleShadows(); });
    BindViewCommand(kMirrorSurface, [this] { OnMirrorSurface(); });
    BindViewCommand(kHide, [this] { HideSelection(); });
    BindViewCommand(kShowAll, [this] { ShowAllObjects(); });
    BindViewCommand(kPlanIconShow, [this] { SetPlanIconMode(1); });
    BindViewCommand(kPlanIconLines, [this] { SetPlanIconMode(2); });
    BindViewCommand(kPlanIconHide, [this] { SetPlanIconMode(0); });
    BindViewCommand(kPasteOnFaces, [this] { ApplyPickedTextureToFaces(2); });
    BindViewCommand(kPasteAllFaces, [this] { ApplyPickedTextureToFaces(0); });
    BindViewCommand(view_commands::kAddLight, [this] { OnAddLight(); });
    BindViewCommand(view_commands::kAddText3D, [this] { OnAddText3D(); });
    BindViewCommand(kRefine, [this] { RefinePickedFace(); });
}

view_commands::ViewCommandContext CHousView::ReadViewCommandContext() {
    CDesignScene& scene = m_renderer.GetScene();
    view_commands::ViewCommandContext context;
    context.drawingInProgress = m_pDoc->IsDrawingInProgress();
    context.editMode = m_pDoc->GetEditMode();
    for (int type = 0; type < kSavedTypeCount; ++type) {
        context.selected[static_cast<std::size_t>(type)] =
            static_cast<int>(scene.Selected(type).size());
    }
    context.picked = m_picked.object != nullptr;
    context.mirrorShown = scene.IsMirrorShownOnSelection();
    context.shadowShown = scene.IsShadowShownOnSelection();
    context.mirrorFaceFound = scene.FindNonMirrorSelectedFace(PickedMaterial(m_picked));
    context.faceRefined = scene.IsSelectionRefined(m_picked.face);
    context.faceEditorInstalled = IsFaceEditorInstalled();
    context.anyHidden = scene.HasHiddenObjects();
    context.planIconShown = scene.GetPlanIconModeOfSelection(0) != 0;
    context.planIconLines = scene.GetPlanIconModeOfSelection(2) != 0;
    context.hasPlanIcon = scene.GetPlanIconModeOfSelection(3) != 0;
    context.hasOutlinePoints = scene.GetPlanIconModeOfSelection(4) != 0;
    return context;
}

void CHousView::ToggleMirrorImages() {
    m_renderer.GetScene().ToggleMirrorOfSelection();
    m_pDoc->SetDesignModified(1);
    RepaintNow();
}

void CHousView::ToggleShadows() {
    m_renderer.GetScene().ToggleShadowOfSelection();
    RepaintNow();
}

// Hiding is not undone: show all brings everything back.
void CHousView::HideSelection() {
    m_renderer.GetScene().HideSelection();
    m_pDoc->SetDesignModified(1);
    m_pDoc->UpdateAllViews(kFullRefreshHint);
}

void CHousView::ShowAllObjects() {
    m_renderer.GetScene().ShowAllObjects();
    m_pDoc->SetDesignModified(1);
    m_pDoc->UpdateAllViews(kFullRefreshHint);
}

void CHousView::SetPlanIconMode(int mode) {
    m_renderer.GetScene().SetPlanIconModeOfSelection(mode);
    m_pDoc->SetDesignModified(1);
    m_pDoc->UpdateAllViews(kFullRefreshHint);
}
