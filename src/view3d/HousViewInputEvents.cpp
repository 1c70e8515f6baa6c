#include <wx/event.h>

#include <algorithm>
#include <array>

#include "document/DesignScene.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "library/LibraryDrag.h"
#include "objects/3DObject.h"
#include "view3d/HousView.h"
#include "view3d/HousViewInput.h"

using namespace view_input;

namespace {

constexpr int kSavedTypeCount = 7;
constexpr int kPlacementSnapshots = 3;
constexpr int kCopyTextureMode = 1100;
constexpr int kCopySplitMode = 1200;
constexpr int kFrozenWalkMode = 914;
constexpr int kMiddleDragCursor = 284;

// A plan drawing is in progress: a tool's first point is down.
bool IsDrawingMode(int mode) {
    return mode % 10 == 1 && ((mode >= 10 && mode <= 199) || (mode >= 600 && mode <= 699));
}

// Modes in which keys walk when no 3D object is selected.
bool IsWalkingMode(int mode) {
    switch (mode) {
        case 0:
        case 100:
        case 210:
        case 220:
        case 250:
        case 911:
        case 912:
        case 915:
        case kCopyTextureMode:
        case kCopySplitMode:
            return true;
        default:
            return false;
    }
}

int KeyStateOf(const wxMouseEvent& event) {
    return MouseKeyState(event.LeftIsDown(), event.MiddleIsDown(), event.ShiftDown(),
                         event.ControlDown());
}

}  // namespace

void CHousView::ApplyNavigationPose(const gfx::Vector3& eye, float heading, float pitch) {
    CHousViewCamera& camera = GetCamera();
    camera.SetCameraPosition(eye);
    camera.SetCameraAngles(heading, pitch);
    camera.UpdateCamera();
    m_pDoc->StoreCameraPlanPose();
    m_pDoc->SetDesignModified(1);
}

void CHousView::NavigateByKey(int vk, bool shift) {
    CHousViewCamera& camera = GetCamera();
    if (camera.IsOrthoOn() != 0) {
        if (m_panOffsets.x == 0 && m_panOffsets.y == 0) {
            camera.BeginOrthoPan();
        }
        PanOffsetsByKey(vk, m_panOffsets);
        const auto size = static_cast<float>(camera.GetOrthoSize());
        camera.PanOrtho(size * static_cast<float>(m_panOffsets.x) * 0.002f,
                        size * static_cast<float>(m_panOffsets.y) * 0.002f);
        RepaintNow();
        return;
    }
    m_panOffsets = {0, 0};
    NavigationSteps steps;
    steps.speed = shift ? 1.0f : static_cast<float>(m_pDoc->GetWalkStep());
    steps.stepLength = camera.GetStepLength();
    steps.turnStep = camera.GetTurnStep();
    NavigationPose pose{camera.GetCameraPosition(), camera.GetCameraHeading(),
                        camera.GetCameraPitch()};
    view_input::NavigateByKey(vk, steps, pose);
    ApplyNavigationPose(pose.eye, pose.heading, pose.pitch);
    if (IPlanView* plan = m_pDoc->Get2DView()) {
        plan->InvalidatePhotoMarkers();
    }
    RepaintNow();
}

void CHousView::HandlePlanKey(int virtualKey, const KeyModifiers& modifiers) {
    HandleKey(virtualKey, modifiers.shift, modifiers.ctrl, modifiers.alt);
}

void CHousView::HandleKey(int vk, bool shift, bool control, bool alt) {
    const int mode = m_pDoc->GetEditMode();
    if (vk == kVkControl || m_inputBlocked || mode == kFrozenWalkMode) {
        return;
    }
    CDesignScene& scene = m_renderer.GetScene();
    if (vk == kVkReturn || vk == kVkEscape) {
        if (!IsInShowMode() && !IsDrawingMode(mode)) {
            m_pDoc->SetEditModeAndRefresh(EditMode::kNone);
            m_pDoc->SetStatusText("請選擇動作");
        }
    } else if (vk == kVkDelete) {
        return;
    } else if (vk == 'A') {
        ToggleWireframe();
    } else if (vk == 'G') {
        ToggleGrid();
    }
    if (HasFocus() && mode != EditMode::kNone && !IsInShowMode() && IsNavigationKey(vk)) {
        for (int type = kSavedTypeCount; type < CDesignScene::kTypeCount; ++type) {
            scene.DeselectAll(type);
        }
    }
    bool anySelected = false;
    for (int type = 0; type < kSavedTypeCount; ++type) {
        anySelected = anySelected || !scene.Selected(type).empty();
    }
    if (anySelected) {
        if (m_pDoc->GetBusy() == 0) {
            m_pDoc->SetBusy(1);
            const std::array<float, 6> deltas =
                scene.GetKeyboardNudge(vk, kPlacementSnapshots, KeyModifiers{shift, control, alt});
            if (std::any_of(deltas.begin(), deltas.end(), [](float d) { return d != 0.0f; })) {
                m_pDoc->BeginUndoGroup();
                m_pDoc->BeginEditSnapshot(kPlacementSnapshots);
                scene.TransformSelected3DObjects(deltas);
                m_pDoc->EndEditSnapshot(kPlacementSnapshots);
                m_pDoc->EndUndoGroup();
                m_pDoc->SetDesignModified(1);
            }
            m_pDoc->SetBusy(0);
        }
    } else if (IsWalkingMode(mode)) {
        NavigateByKey(vk, shift);
        return;
    }
    UpdateCamera();
    RepaintNow();
    m_pDoc->StoreCameraPlanPose();
}

void CHousView::OnKeyDown(wxKeyEvent& event) {
    const int vk = VirtualKeyOfToolkitKey(event.GetKeyCode());
    HandleKey(vk, event.ShiftDown(), event.ControlDown(), event.AltDown());
    if (!IsViewKey(vk)) {
        event.Skip();
    }
}

void CHousView::MoveByWheel(int keyState, int delta) {
    if (m_inputBlocked) {
        return;
    }
    m_pDoc->SetDesignModified(1);
    CHousViewCamera& camera = GetCamera();
    const auto speed = static_cast<float>(m_pDoc->GetWalkStep());
    if (camera.IsOrthoOn() != 0) {
        camera.SetOrthoSize(OrthoSizeAfterWheel(camera.GetOrthoSize(), delta, speed));
        m_panOffsets = {0, 0};
        UpdateCamera();
        RepaintNow();
        return;
    }
    NavigationSteps steps{speed, camera.GetStepLength(), camera.GetTurnStep()};
    NavigationPose pose{camera.GetCameraPosition(), camera.GetCameraHeading(),
                        camera.GetCameraPitch()};
    NavigateByWheel(keyState, delta, steps, pose);
    ApplyNavigationPose(pose.eye, pose.heading, pose.pitch);
    RepaintNow();
}

void CHousView::OnMouseWheel(wxMouseEvent& event) {
    MoveByWheel(KeyStateOf(event), event.GetWheelRotation());
}

void CHousView::OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    if (m_inputBlocked) {
        return;
    }
    const int mode = m_pDoc->GetEditMode();
    const int x = event.GetX();
    const int y = event.GetY();
    CDesignScene& scene = m_renderer.GetScene();
    if (IsInShowMode()) {
        PickAndSelect(x, y, KeyStateOf(event));
        OpenPickedObjectLink();
        ClearSelectedFlags();
        RebuildSelectionLists();
        return;
    }
    if (IsDrawingMode(mode)) {
        return;
    }
    m_picked = {};
    PickAndSelect(x, y, KeyStateOf(event));
    RebuildSelectionLists();
    ShowPickedTextureInBrowser();
    if (mode == EditMode::kDoorWindow && OpenFaceEditorAtPick()) {
        m_pDoc->SetEditMode(EditMode::kNone);
    }
    if (mode != EditMode::kDoorWindow && mode != kCopyTextureMode && mode != kCopySplitMode) {
        for (int type = kSavedTypeCount; type < CDesignScene::kTypeCount; ++type) {
            scene.DeselectAll(type);
        }
    }
    m_selectionDrag = {};
    HandleMouseMove(x, y, KeyStateOf(event));
    if (!m_pDoc->HasAnySelection()) {
        m_pDoc->ClearPickedObjects();
        m_pDoc->SetStatusText("請選擇動作");
    }
    RepaintNow();
    m_pDoc->Redraw2DView();
    CaptureMouse();
}

void CHousView::OnLeftUp(wxMouseEvent& event) {
    if (HasCapture()) {
        ReleaseMouse();
    }
    if (IsLibraryDragPending(m_pDoc->GetPlacement(), BrowserLibrary::Texture)) {
        DropPendingTexture(event.GetX(), event.GetY(), KeyStateOf(event));
        return;
    }
    if (m_pDoc->GetPlacement().inProgress != 0) {
        PlaceFromLibrary(event.GetX(), event.GetY());
        return;
    }
    const int mode = m_pDoc->GetEditMode();
    if (m_inputBlocked || IsInShowMode()) {
        return;
    }
    CDesignScene& scene = m_renderer.GetScene();
    if (!m_selectionDrag.moved && !event.ControlDown() && m_picked.object != nullptr &&
        mode != kCopyTextureMode && mode != kCopySplitMode) {
        ClearSelectedFlags();
        for (int type = 0; type < kSavedTypeCount; ++type) {
            scene.Selected(type).clear();
        }
        SelectPickedObject(m_picked.object, m_picked.type);
        scene.SelectObject(m_picked.type, m_picked.object);
        m_pDoc->Redraw2DView();
    }
    FinishCopyOnRelease(event.GetX(), event.GetY(), KeyStateOf(event));
    m_selectionDrag = {};
    RepaintNow();
}

void CHousView::OnLeftDClick(wxMouseEvent& event) {
    if (IsInShowMode()) {
        PickAndSelect(event.GetX(), event.GetY(), KeyStateOf(event));
        m_picked = {};
        ClearSelectedFlags();
        RebuildSelectionLists();
        return;
    }
    CDesignScene& scene = m_renderer.GetScene();
    std::size_t selected = 0;
    for (int type = 0; type < kSavedTypeCount; ++type) {
        selected += scene.Selected(type).size();
    }
    if (!m_inputBlocked && selected <= 1 && IsCommandAvailable(context_menu::kModify)) {
        RunViewCommand(context_menu::kModify);
    }
}

void CHousView::OnMiddleDown(wxMouseEvent& event) {
    SetViewCursor(kMiddleDragCursor);
    m_middleStart = {event.GetX(), event.GetY()};
    m_middleDrag = true;
    if (GetCamera().IsOrthoOn() != 0) {
        GetCamera().BeginOrthoPan();
    }
}

void CHousView::OnMiddleUp(wxMouseEvent& /*event*/) {
    RestoreCursor();
    m_middleDrag = false;
}

void CHousView::HandleMouseMove(int x, int y, int keyState) {
    CHousViewCamera& camera = GetCamera();
    if ((keyState & kMkMButton) != 0 && m_middleDrag) {
        const int dx = x - m_middleStart.x;
        const int dy = y - m_middleStart.y;
        if (camera.IsOrthoOn() != 0) {
            m_panOffsets = {dx, dy};
            const auto size = static_cast<float>(camera.GetOrthoSize());
            camera.PanOrtho(size * static_cast<float>(dx) * 0.002f,
                            size * static_cast<float>(dy) * 0.002f);
            RepaintNow();
            return;
        }
        NavigationPose pose{camera.GetCameraPosition(), camera.GetCameraHeading(),
                            camera.GetCameraPitch()};
        DragByMiddleButton(dx, dy, pose);
        m_middleStart = {x, y};
        ApplyNavigationPose(pose.eye, pose.heading, pose.pitch);
        RepaintNow();
        return;
    }
    if ((keyState & kMkMButton) == 0) {
        if (m_middleDrag) {
            RestoreCursor();
        }
        m_middleDrag = false;
    }
    const int mode = m_pDoc->GetEditMode();
    if ((keyState & kMkLButton) != 0 && mode != kCopyTextureMode && mode != kCopySplitMode &&
        !IsTextureCopyPending()) {
        m_pDoc->BeginEditSnapshot(kPlacementSnapshots);
        m_renderer.GetScene().DragSelection(m_selectionDrag, keyState, x, y);
        if (m_selectionDrag.moved) {
            TurnPhotosToCamera();
            RepaintNow();
        }
    }
    TrackCopyOnMove(x, y, keyState);
}

void CHousView::TurnPhotosToCamera() {
    const CameraPosition eye = GetCameraPosition();
    m_renderer.GetScene().TurnPhotosToCamera({eye.x, eye.y, eye.z});
}

void CHousView::OnMouseMove(wxMouseEvent& event) {
    if (m_inputBlocked) {
        return;
    }
    HandleMouseMove(event.GetX(), event.GetY(), KeyStateOf(event));
}

void CHousView::OnRightDown(wxMouseEvent& event) {
    if (m_inputBlocked) {
        return;
    }
    const int mode = m_pDoc->GetEditMode();
    if (mode == EditMode::kDoorWindow || mode == kCopyTextureMode || mode == kCopySplitMode) {
        m_pDoc->SetEditMode(EditMode::kNone);
        ClearCopiedTexture();
        m_pDoc->GetCopiedSurface().splitCopyActive = 0;
        m_pDoc->GetCopiedSurface().splitLines.clear();
    }
    event.Skip();
}
