#include "shell/MainFrameEditCommands.h"

#include <string>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/TextFormat.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"

namespace {

CDesignScene* SceneOf(const CHousDoc& document) {
    I3DView* view = document.Get3DView();
    return view != nullptr ? view->GetScene() : nullptr;
}

// One decimal, without a trailing ".0".
std::string FormatBoundaryValue(double value) {
    std::string text = FormatString("%.1f", value);
    if (text.ends_with(".0")) {
        text.resize(text.size() - 2);
    }
    return text == "-0" ? "0" : text;
}

}  // namespace

void CMainFrameEditCommands::OnUndo() {
    if (m_pDocument == nullptr) {
        return;
    }
    m_pDocument->SetDesignModified(1);
    m_pDocument->Undo();
    m_pDocument->UpdateAllViews(kFullRefreshHint);
}

void CMainFrameEditCommands::OnRedo() {
    if (m_pDocument == nullptr) {
        return;
    }
    m_pDocument->SetDesignModified(1);
    m_pDocument->Redo();
    m_pDocument->UpdateAllViews(kFullRefreshHint);
}

void CMainFrameEditCommands::OnSelectObjects() {
    if (m_pDocument != nullptr) {
        m_pDocument->SetEditModeAndRefresh(EditMode::kNone);
    }
}

void CMainFrameEditCommands::ToggleEditMode(int mode) {
    if (m_pDocument != nullptr) {
        m_pDocument->SetEditModeAndRefresh(m_pDocument->GetEditMode() == mode ? EditMode::kNone
                                                                              : mode);
    }
}

// A tool draws into the layer of the geometric shapes, so that layer is
// shown first.
void CMainFrameEditCommands::OnPlanDrawingTool(int mode) {
    if (m_pDocument == nullptr) {
        return;
    }
    const auto shown = static_cast<uint32_t>(m_pDocument->Settings().show2DState);
    if ((shown & PlanLayer::kShapes) == 0 && m_pPlanWindows != nullptr) {
        m_pPlanWindows->RunShowShapes();
    }
    if (m_pDocument->IsDrawingInProgress() || m_pDocument->GetEditMode() == mode) {
        return;
    }
    m_pDocument->SetEditModeAndRefresh(mode);
    if (m_pPlanWindows != nullptr) {
        m_pPlanWindows->FocusPlanView();
    }
}

void CMainFrameEditCommands::OnToggleSnap() {
    if (m_pDocument != nullptr) {
        m_pDocument->SetSnapToTolerance(m_pDocument->GetSnapToTolerance() == 0 ? 1 : 0);
    }
}

// The plan frame's fixed-angle button and edit follow the flag when the bar
// updates.
void CMainFrameEditCommands::OnToggleFixedWallAngle() {
    if (m_pDocument != nullptr) {
        m_pDocument->SetFixedWallAngle(m_pDocument->GetFixedWallAngle() == 0 ? 1 : 0);
    }
}

void CMainFrameEditCommands::OnMoveToGround() {
    if (m_pDocument == nullptr) {
        return;
    }
    CDesignScene* scene = SceneOf(*m_pDocument);
    if (scene == nullptr) {
        return;
    }
    scene->MoveSelectionBottomTo(scene->GetCurrentFloorHeight());
    m_pDocument->SetDesignModified(1);
    m_pDocument->Repaint3DView();
}

void CMainFrameEditCommands::OnToggleMoveLock() {
    if (m_pDocument != nullptr) {
        int32_t& lock = m_pDocument->Settings().wallLock;
        lock = lock == 0 ? 1 : 0;
    }
}

void CMainFrameEditCommands::OnToggleShadowReverse() {
    if (m_pDocument != nullptr) {
        m_pDocument->SetShadowReverse(m_pDocument->GetShadowReverse() == 0 ? 1 : 0);
        m_pDocument->UpdateAllViews(kFullRefreshHint);
    }
}

void CMainFrameEditCommands::OnToggleSurfacePlanDrawing() {
    if (m_pDocument == nullptr) {
        return;
    }
    int type = 0;
    switch (m_pDocument->GetEditMode()) {
        case EditMode::kWallSelected:
            type = kWallObjectType;
            break;
        case EditMode::kFloorSelected:
            type = kFloorObjectType;
            break;
        case EditMode::kCeilingSelected:
            type = kCeilingObjectType;
            break;
        default:
            return;
    }
    CDesignScene* scene = SceneOf(*m_pDocument);
    if (scene == nullptr) {
        return;
    }
    for (CDesignObject* object : scene->Selected(type)) {
        auto* surface = dynamic_cast<C3DObject*>(object);
        if (surface != nullptr && surface->IsSelected() != 0) {
            surface->SetPlanSymbolShown(surface->GetPlanSymbolShown() != 0 ? 0 : 1);
        }
    }
    m_pDocument->SetDesignModified(1);
    m_pDocument->UpdateAllViews(kFullRefreshHint);
}

void CMainFrameEditCommands::OnReadBoundaryValues() {
    if (m_pDocument == nullptr) {
        return;
    }
    using Kind = CHousDoc::PickedKind;
    const C3DObject* ceiling = m_pDocument->GetPickedObject(Kind::Ceiling);
    const C3DObject* floor =
        ceiling != nullptr ? nullptr : m_pDocument->GetPickedObject(Kind::Floor);
    const C3DObject* surface = ceiling != nullptr ? ceiling : floor;
    if (surface == nullptr) {
        surface = m_pDocument->GetPickedObject(Kind::Wall);
    }
    if (surface == nullptr) {
        return;
    }
    if (IPlanFrame* frame = m_pDocument->Get2DFrame()) {
        const double bottom = surface->GetPosition().y;
        // The real size runs width, depth, height.
        const double top = bottom + surface->GetRealSize()[2];
        if (floor == nullptr) {
            frame->SetWallBarText(IPlanFrame::kWallTopEdit, FormatBoundaryValue(top));
        }
        if (ceiling == nullptr) {
            frame->SetWallBarText(IPlanFrame::kWallBottomEdit, FormatBoundaryValue(bottom));
        }
    }
    ApplyBoundaryValues();
}

void CMainFrameEditCommands::ApplyBoundaryValues() {
    if (m_pDocument != nullptr) {
        m_pDocument->ApplyWallBarFields();
    }
}

void CMainFrameEditCommands::OnMirror(int axis) {
    if (m_pDocument == nullptr) {
        return;
    }
    CDesignScene* scene = SceneOf(*m_pDocument);
    if (scene == nullptr) {
        return;
    }
    for (int type : {kModelObjectType, kText3DObjectType}) {
        for (CDesignObject* selected : scene->Selected(type)) {
            auto* object = dynamic_cast<C3DObject*>(selected);
            if (object == nullptr) {
                continue;
            }
            object->SetMirrorMode(object->GetMirrorMode() ^ axis);
            object->Mirror(axis);
            object->UpdatePlanOutline();
            object->BuildShadowVolume();
            m_pDocument->SetDesignModified(1);
        }
    }
    m_pDocument->Redraw2DView();
    m_pDocument->Repaint3DView();
}

void CMainFrameEditCommands::OnCopy() {
    if (m_pDocument == nullptr) {
        return;
    }
    I3DView* view = m_pDocument->Get3DView();
    if (view == nullptr || !m_pDocument->HasAnySelection()) {
        return;
    }
    m_hasCopy = false;
    m_hasCopy = view->CopySelectionToBuffer();
    m_pasteCount = 1;
}

void CMainFrameEditCommands::PasteObjects(const std::optional<CVector2D>& planPoint) {
    if (m_pDocument == nullptr || !HasCopy()) {
        return;
    }
    I3DView* view = m_pDocument->Get3DView();
    if (view == nullptr) {
        return;
    }
    view->PasteCopyBuffer(m_pDocument->GetCopyBuffer(), true, true, m_pasteCount, planPoint);
    ++m_pasteCount;
    m_pDocument->SetDesignModified(1);
    m_pDocument->Redraw2DView();
    m_pDocument->Repaint3DView();
}

bool CMainFrameEditCommands::HasCopy() const {
    return m_hasCopy && m_pDocument != nullptr && !m_pDocument->GetCopyBuffer().IsEmpty();
}
