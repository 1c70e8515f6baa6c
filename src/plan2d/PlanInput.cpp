#include "plan2d/PlanInput.h"

#include <wx/dialog.h>
#include <wx/event.h>
#include <wx/menu.h>
#include <wx/window.h>

#include <algorithm>
#include <array>

#include "document/ActiveDocumentValues.h"
#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "foundation/RubberBand.h"
#include "plan2d/CoordInputBox.h"
#include "plan2d/GridSnap.h"
#include "plan2d/H2DView.h"
#include "plan2d/MouseEventRecord.h"
#include "plan2d/PlanEditModeClass.h"
#include "plan2d/PlanLibraryDrop.h"
#include "plan2d/PlanMapping.h"
#include "plan2d/PlanOverlay.h"
#include "plan2d/PlanPick.h"
#include "plan2d/PlanRectSelection.h"
#include "plan2d/PlanSketch.h"
#include "plan2d/PlanViewState.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

constexpr int kObjectCursor = 590;
constexpr int kPanCursor = 284;
constexpr int kPanEndCursor = 262;
// The outline menu (197) and its commands.
constexpr int kOutlineMenu = 197;
constexpr int kFinishCommand = 32842;
constexpr int kCloseCommand = 62003;
constexpr int kRightAngleCloseCommand = 62004;
constexpr int kStepBackCommand = 32839;
constexpr int kDeleteOutlineCommand = 32841;
constexpr int kCancelCommand = 32840;
constexpr int kMiddleButtonFlag = 0x0010;

CVector2D StoredPoint(POINT logical) {
    return CVector2D(logical.x, -logical.y);
}

bool IsWaitingOutlineMode(int mode) {
    return mode == EditMode::kCeiling || mode == EditMode::kWall || mode == EditMode::kFloor;
}

}  // namespace

CPlanInput::CPlanInput(CH2DView& view, CHousDoc& doc, CPlanViewState& state)
    : m_view(view),
      m_doc(doc),
      m_state(state),
      m_capture(doc, *this, state),
      m_paperDrag(view, doc),
      m_objectSnap(doc) {}

// ---- IOutlineHost

void CPlanInput::ShowStatusText(std::string_view text) {
    m_view.ShowStatusText(text);
}

void CPlanInput::SetToolCursor(int cursorId) {
    if (cursorId == 0) {
        m_view.RestoreCursor();
    } else {
        m_view.SetToolCursor(cursorId);
    }
}

void CPlanInput::RedrawPlan() {
    m_view.RedrawNow();
}

bool CPlanInput::IsPlacePoint(const CVector2D& stored) const {
    const HousSettings& settings = m_doc.Settings();
    if (stored.x < 0.0 || -stored.y < 0.0 || stored.x > settings.length ||
        -stored.y > settings.width) {
        return false;
    }
    const PlanMappingSetup setup = ComputePlanMapping(
        settings.length, settings.width, m_doc.GetPlanZoomFactor(), m_doc.GetRulerMargin(), 1.0);
    return !IsOnRulers(PlanToClient(setup.ToMapping(), stored, m_doc.GetPlanViewOrigin()));
}

// ---- ICoordInputTarget

int CPlanInput::ApplyTypedPoint(double first, double second) {
    // The side a typed length goes to is the mouse's side of the last point.
    const CVector2D mouse = m_view.ClientToLogical(m_state.MouseRecord().last);
    return m_capture.ApplyTypedPoint(first, second, CVector2D(mouse.x, -mouse.y)) ? 1 : 0;
}

void CPlanInput::CancelTypedPoint() {
    m_capture.CancelTypedPoint();
}

void CPlanInput::ToggleSnap() {
    m_doc.SetSnapToTolerance(m_doc.GetSnapToTolerance() == 0 ? 1 : 0);
}

void CPlanInput::ToggleFixedWallAngle() {
    m_doc.SetFixedWallAngle(m_doc.GetFixedWallAngle() == 0 ? 1 : 0);
}

// ---- Points

bool CPlanInput::IsOnRulers(POINT client) const {
    const int margin = m_doc.GetRulerMargin();
    return margin != 0 && (client.x < margin || client.y < margin);
}

POINT CPlanInput::SnappedLogicalPoint(POINT client) {
    const CVector2D logical = m_view.ClientToLogical(client);
    POINT point{RoundToInt(logical.x), RoundToInt(logical.y)};
    if (m_doc.GetSnapToTolerance() != 0) {
        if (const int cursor = m_objectSnap.SnapToObjectPoint(point); cursor != 0) {
            SetToolCursor(cursor);
            return point;
        }
    }
    return SnapToGrid(point, m_doc.GetDrawUnit());
}

bool CPlanInput::IsTypingInCoordBox() {
    return EditMode::AllowsCoordinateInput(m_doc.GetEditMode()) &&
           m_view.GetCoordInputBox().IsActive() != 0;
}

bool CPlanInput::IsOutlineMode(int mode) const {
    return mode >= EditMode::kCeiling && mode <= EditMode::kFloorDrawing && mode % 10 <= 1;
}

// ---- Mouse

void CPlanInput::OnMouse(wxMouseEvent& event) {
    const POINT point{event.GetX(), event.GetY()};
    MouseEventRecord& record = m_state.MouseRecord();
    const wxEventType type = event.GetEventType();
    if (IsTypingInCoordBox() && event.IsButton()) {
        // Clicks wait while a point is typed; other buttons end the typing.
        if (type != wxEVT_LEFT_DOWN && type != wxEVT_LEFT_DCLICK) {
            m_view.HideCoordinateInputBox();
        }
        return;
    }
    if (type == wxEVT_LEFT_DOWN) {
        MouseEventGuard guard(record, MouseEventRecord::kLeftDown, point);
        OnLButtonDown(event, point);
    } else if (type == wxEVT_LEFT_UP) {
        MouseEventGuard guard(record, MouseEventRecord::kLeftUp, point);
        OnLButtonUp(event, point);
    } else if (type == wxEVT_LEFT_DCLICK) {
        MouseEventGuard guard(record, MouseEventRecord::kLeftDoubleClick, point);
        OnLButtonDblClk(event, point);
    } else if (type == wxEVT_RIGHT_DOWN) {
        MouseEventGuard guard(record, MouseEventRecord::kRightDown, point);
        event.Skip();
    } else if (type == wxEVT_RIGHT_UP) {
        {
            MouseEventGuard guard(record, MouseEventRecord::kRightUp, point);
            OnRButtonUp(point);
        }
        ShowOutlineMenu(point);
    } else if (type == wxEVT_MOTION) {
        MouseEventGuard guard(record, MouseEventRecord::kNone, point);
        OnMouseMove(event, point);
        event.Skip();
    } else if (type == wxEVT_MOUSEWHEEL) {
        if (!event.MiddleIsDown()) {
            ZoomByWheel(event.GetWheelRotation());
        }
    } else if (type == wxEVT_MIDDLE_DOWN || type == wxEVT_MIDDLE_UP) {
        OnMiddleButton(type == wxEVT_MIDDLE_DOWN);
    } else if (type == wxEVT_LEAVE_WINDOW) {
        m_view.HideCoordinateInputBox();
    } else {
        event.Skip();
    }
}

void CPlanInput::OnLButtonDown(wxMouseEvent& event, POINT point) {
    m_view.SetFocus();
    if (m_doc.GetBusy() != 0 || m_state.Flags().busy != 0 || IsOnRulers(point)) {
        return;
    }
    if (m_doc.GetFramePaperShown() != 0 && m_paperDrag.MouseDown(point)) {
        return;
    }
    if (m_doc.GetShowMode() != 0) {
        return;
    }
    m_doc.UpdateWallBarFields();
    const int before = m_doc.GetEditMode();
    if (GetPlanEditModeClass(before) == kCreationModeClass) {
        return;  // a creation takes its points on release
    }
    const CVector2D clicked = m_view.ClientToLogical(point);
    const POINT logical{RoundToInt(clicked.x), RoundToInt(clicked.y)};
    // A press on the selection keeps it, so that a drag moves it even where
    // a wall, floor or ceiling under it comes first in the pick order.
    const bool onSelection =
        !event.ControlDown() && PickObjectAt(m_doc, logical, true).object != nullptr;
    if (onSelection || SelectByClick(m_doc, event.ControlDown(), logical)) {
        UpdateSelectionMode();

        SetToolCursor(kObjectCursor);
        if (GetPlanEditModeClass(m_doc.GetEditMode()) == kSelectionModeClass) {
            m_state.Flags().selectionMoveActive = 1;
            m_state.SetDragFlag(1);
            m_movePending = false;
        }
    } else if (!event.ControlDown()) {
        // A click on empty ground lets go of the selection.
        if (CDesignScene* scene = Scene()) {
            for (int type = 0; type < CDesignScene::kTypeCount; ++type) {
                scene->DeselectAll(type);
            }
        }
        m_doc.ClearPickedObjects();
        m_doc.SetEditModeAndRefresh(EditMode::kNone);
    }
    if (m_doc.GetEditMode() == EditMode::kNone) {
        m_state.Flags().rubberBandActive = 1;
        m_state.RubberBandAnchor() = CVector2D(clicked.x, -clicked.y);
        // A rectangle of no size, so the first drag erases nothing but it.
        DrawSelectionRect(m_state.RubberBandAnchor(), kRubberBandDraw);
    }
    if (before != EditMode::kNone || m_doc.GetEditMode() != EditMode::kNone) {
        m_doc.UpdateAllViews(kFullRefreshHint);
    }
}

void CPlanInput::OnMouseMove(wxMouseEvent& event, POINT point) {
    if (!event.LeftIsDown()) {
        m_doc.GetPlacement().inProgress = 0;
    }
    if (m_state.Flags().busy != 0) {
        return;
    }
    if (event.MiddleIsDown()) {
        PanByMouse(point);
        return;
    }
    if (IsTypingInCoordBox()) {
        // The keys keep going to the box while the user types.
        wxWindow* focus = wxWindow::FindFocus();
        CCoordInputBox& box = m_view.GetCoordInputBox();
        if (focus != nullptr && focus->GetParent() != &box.Window()) {
            box.FocusEntry();
        }
        return;
    }
    const int mode = m_doc.GetEditMode();
    const PlanEditModeClass modeClass = GetPlanEditModeClass(mode);
    if ((mode == EditMode::kNone || modeClass == kSelectionModeClass) &&
        m_state.Flags().selectionMoveActive == 0 && m_doc.GetShowMode() == 0) {
        const CVector2D logical = m_view.ClientToLogical(point);
        const bool over =
            PickObjectAt(m_doc, POINT{RoundToInt(logical.x), RoundToInt(logical.y)}).object !=
            nullptr;
        SetToolCursor(over ? kObjectCursor : 0);
    }
    if (modeClass == kOtherModeClass && m_doc.GetFramePaperShown() != 0 &&
        m_state.Flags().rubberBandActive == 0 && m_state.Flags().selectionMoveActive == 0) {
        m_paperDrag.MouseMove(point, event.LeftIsDown());
    }
    if (m_state.Flags().selectionMoveActive != 0) {
        if (event.LeftIsDown()) {
            MoveSelectionByMouse(point);
        } else {
            EndSelectionMove();
        }
    }
    if (modeClass == kCreationModeClass) {
        CreationMove(point);
    } else if (m_state.Flags().rubberBandActive != 0) {
        if (event.LeftIsDown()) {
            DragRubberBandRect(point);
        } else {
            SelectInRubberBand(point);
        }
    }
}

void CPlanInput::MoveSelectionByMouse(POINT point) {
    CDesignScene* scene = Scene();
    // A refused move (locked surfaces) has ended the drag.
    if (scene == nullptr || m_state.GetDragFlag() == 0) {
        EndSelectionMove();
        return;
    }
    if (!m_movePending) {
        m_doc.BeginEditSnapshot(4);
        m_movePending = true;
    }
    SetToolCursor(kObjectCursor);
    const CVector2D last = m_view.ClientToLogical(m_state.MouseRecord().last);
    const CVector2D current = m_view.ClientToLogical(point);
    if (!(last == current)) {
        scene->TransformSelection({static_cast<float>(current.x - last.x), 0.0f,
                                   static_cast<float>(current.y - last.y), 0.0f, 0.0f, 0.0f});
    }
    m_doc.SetDesignModified(1);
    m_doc.UpdateAllViews(kFullRefreshHint);
}

void CPlanInput::EndSelectionMove() {
    m_state.Flags().selectionMoveActive = 0;
    m_state.SetDragFlag(0);
    if (m_movePending) {
        m_movePending = false;
        m_doc.EndEditSnapshot(4);
    }
}

void CPlanInput::SelectInRubberBand(POINT point) {
    m_state.Flags().rubberBandActive = 0;
    const CVector2D release = m_view.ClientToLogical(point);
    CPlanRectSelection(m_doc).SelectInRectangle(m_state.RubberBandAnchor(),
                                                CVector2D(release.x, -release.y), {});
    ShowSelectionName();
}

void CPlanInput::UpdateSelectionMode() {
    if (CDesignScene* scene = Scene()) {
        scene->UpdateSelectionEditMode();
    }
    ShowSelectionName();
}

void CPlanInput::ShowSelectionName() {
    if (const char* name = GetSelectionStateName(m_doc.GetEditMode())) {
        ShowStatusText(name);
    }
}

CDesignScene* CPlanInput::Scene() const {
    I3DView* view3D = m_doc.Get3DView();
    return view3D != nullptr ? view3D->GetScene() : nullptr;
}

void CPlanInput::CreationMove(POINT point) {
    if (IsOnRulers(point)) {
        ShowStatusText(kOutsideAreaText);
        return;
    }
    SetToolCursor(0);
    const POINT logical = SnappedLogicalPoint(point);
    CVector2D cursor = StoredPoint(logical);
    m_state.SetCursorPoint(cursor);
    const int mode = m_doc.GetEditMode();
    if (mode == EditMode::kDxfToStructure) {
        ShowStatusText(kPickClosedAreaText);
        return;
    }
    if (IsWaitingOutlineMode(mode)) {
        m_view.GetCoordInputBox().ShowPoint(logical);
        m_view.ShowCoordBoxNear(point.x, point.y);
    }
    if (mode % 10 == 0) {
        ShowStatusText(FormatPointStatus(logical));
        ShowPreviewsAt(cursor);
        return;
    }
    if (!IsOutlineMode(mode) || !m_capture.CheckNewPoint(cursor)) {
        return;
    }
    m_state.SetCursorPoint(cursor);
    const CVector2D last = m_capture.Outline().back();
    m_view.GetCoordInputBox().ShowSegment(POINT{RoundToInt(cursor.x), RoundToInt(-cursor.y)},
                                          POINT{RoundToInt(last.x), RoundToInt(-last.y)});
    m_view.ShowCoordBoxNear(point.x, point.y);
    m_capture.UpdateCloseCursor(cursor);
    ShowPreviewsAt(cursor);
}

void CPlanInput::ShowPreviewsAt(const CVector2D& cursor) {
    draw::ImageDrawContext* buffer = m_view.GetBackBuffer();
    if (buffer != nullptr) {
        const CPlanOverlay& overlay = m_view.GetPlanOverlay();
        const PlanSketch sketch = MakePlanSketch(m_state);
        const int level = buffer->SaveDC();
        m_view.OnPrepareDC(*buffer);
        // The XOR pieces come off first, so the label under them can move.
        overlay.DrawRubberBand(*buffer, sketch, CPlanOverlay::kDrawRemembered);
        overlay.DrawCrosshair(*buffer, cursor, CPlanOverlay::kDrawRemembered);
        const bool moved = overlay.MoveLengthLabel(*buffer, sketch);
        if (moved) {
            overlay.DrawRubberBand(*buffer, sketch, CPlanOverlay::kDrawNew);
            overlay.DrawCrosshair(*buffer, cursor, CPlanOverlay::kDrawNew);
        }
        buffer->RestoreDC(level);
        if (moved) {
            m_view.Refresh(false);
            return;
        }
    }
    // Without a buffer that shows this overlay's pieces, a fresh plan puts
    // them where they are now to be.
    CPlanOverlay::RememberedCrosshair() = cursor;
    GetRubberBandState().lineCursor = cursor;
    m_view.RedrawNow();
}

void CPlanInput::DragRubberBandRect(POINT point) {
    const CVector2D logical = m_view.ClientToLogical(point);
    DrawSelectionRect(CVector2D(logical.x, -logical.y), kRubberBandErase | kRubberBandDraw);
}

void CPlanInput::DrawSelectionRect(const CVector2D& corner, int flags) {
    draw::ImageDrawContext* buffer = m_view.GetBackBuffer();
    if (buffer == nullptr) {
        return;
    }
    const int level = buffer->SaveDC();
    m_view.OnPrepareDC(*buffer);
    DrawRubberBandRect(*buffer, m_state.RubberBandAnchor(), corner, flags,
                       GetPlanDrawOrigin(buffer));
    buffer->RestoreDC(level);
    m_view.Refresh(false);
}

void CPlanInput::OnLButtonUp(wxMouseEvent& event, POINT point) {
    if (m_doc.GetPlacement().inProgress != 0) {
        // The release ends a drag out of a library browser, not a tool's
        // click: no outline point, no selection from it.
        DropLibraryEntryOnPlan(m_doc, point);
        return;
    }
    if (m_doc.GetShowMode() != 0) {
        return;
    }
    m_paperDrag.EndDrag();
    if (m_state.Flags().selectionMoveActive != 0) {
        EndSelectionMove();
    }
    if (m_state.MouseRecord().kind == MouseEventRecord::kLeftDoubleClick ||
        m_state.Flags().busy != 0 || event.MiddleIsDown()) {
        return;
    }
    if (IsOnRulers(point)) {
        ShowStatusText(kOutsideAreaText);
        return;
    }
    const int mode = m_doc.GetEditMode();
    const bool creating = GetPlanEditModeClass(mode) == kCreationModeClass;
    if (creating) {
        SetToolCursor(0);
    }
    // The pictures drawn roughly while scrolling are drawn in full again.
    if (!m_state.GetFullDrawFlag()) {
        m_state.SetFullDrawFlag(true);
        m_view.RedrawNow();
    }
    if (m_state.Flags().rubberBandActive != 0) {
        SelectInRubberBand(point);
    }
    if (creating && !(mode == EditMode::kWallDrawing && m_capture.HasRepeatedPoint())) {
        AddPointOnRelease(point);
    } else if (mode == EditMode::kNone) {
        ShowStatusText(kChooseActionText);
    }
}

void CPlanInput::AddPointOnRelease(POINT point) {
    const POINT logical = SnappedLogicalPoint(point);
    const HousSettings& settings = m_doc.Settings();
    if (logical.x < 0 || logical.y < 0 || logical.x > settings.length ||
        logical.y > settings.width) {
        ShowStatusText(kOutsideAreaText);
        return;
    }
    const int mode = m_doc.GetEditMode();
    if (!IsOutlineMode(mode)) {
        return;  // the other tools take their points elsewhere
    }
    CVector2D cursor = StoredPoint(logical);
    m_state.SetCursorPoint(cursor);
    m_doc.BeginUndoGroup();
    if (IsWaitingOutlineMode(mode)) {
        m_capture.StartOutline(cursor);
    } else if (m_capture.Outline().size() == 1 &&
               m_doc.IsWithinPickTolerance(m_capture.Outline().front().ToPoint(), cursor.ToPoint(),
                                           m_doc.GetPickTolerance())) {
        ShowStatusText(kRepeatedPointText);
    } else if (m_capture.ApplyFixedAngle(cursor)) {
        m_state.SetCursorPoint(cursor);
        m_capture.AddOutlinePoint(cursor);
    }
    m_doc.EndUndoGroup();
    m_view.RedrawNow();
}

void CPlanInput::OnLButtonDblClk(wxMouseEvent& event, POINT point) {
    if (IsOnRulers(point)) {
        ShowStatusText(kOutsideAreaText);
        return;
    }
    if (m_state.Flags().busy != 0 || event.ControlDown()) {
        return;
    }
    const int mode = m_doc.GetEditMode();
    if (IsOutlineMode(mode) && EditMode::IsDrawingInProgress(mode)) {
        m_capture.CloseOutline(true);
        return;
    }
    SetToolCursor(0);
    m_view.RedrawNow();
}

void CPlanInput::OnRButtonUp(POINT) {
    const int mode = m_doc.GetEditMode();
    if (GetPlanEditModeClass(mode) == kCreationModeClass && mode % 10 == 0) {
        ShowStatusText(kChooseActionText);
        m_doc.SetEditMode(EditMode::kNone);
        m_view.RedrawNow();
    }
}

void CPlanInput::ShowOutlineMenu(POINT point) {
    const int mode = m_doc.GetEditMode();
    if (GetPlanContextMenu(mode) != kOutlineMenu || !EditMode::IsDrawingInProgress(mode)) {
        return;
    }
    wxMenu menu;
    menu.Append(kFinishCommand, wxString::FromUTF8("完成"));
    menu.Append(kCloseCommand, wxString::FromUTF8("閉合"));
    menu.Append(kRightAngleCloseCommand, wxString::FromUTF8("直角閉合"));
    menu.Append(kStepBackCommand, wxString::FromUTF8("回上一點"));
    menu.Append(kDeleteOutlineCommand, wxString::FromUTF8("刪除"));
    menu.Append(kCancelCommand, wxString::FromUTF8("取消"));
    menu.Enable(kFinishCommand, m_capture.CanFinish());
    menu.Enable(kCloseCommand, m_capture.CanClose());
    menu.Enable(kRightAngleCloseCommand, m_capture.CanCloseRightAngle());
    switch (m_view.GetPopupMenuSelectionFromUser(menu, wxPoint(point.x, point.y))) {
        case kFinishCommand:
        case kRightAngleCloseCommand:
            m_capture.CloseOutline(true);
            break;
        case kCloseCommand:
            m_capture.CloseOutline(false);
            break;
        case kStepBackCommand:
            m_capture.StepBackOutline();
            break;
        case kDeleteOutlineCommand:
            m_capture.OnDeleteOutline();
            break;
        case kCancelCommand:
            m_capture.CancelOutline();
            break;
        default:
            break;
    }
}

int CPlanInput::OnMouseWheel(int flags, int delta, int /*x*/, int /*y*/) {
    if ((flags & kMiddleButtonFlag) == 0) {
        ZoomByWheel(delta);
    }
    return 1;
}

void CPlanInput::ZoomByWheel(int rotation) {
    const int notches = m_wheel.Add(rotation);
    const int button = notches > 0 ? kZoomInButton : kZoomOutButton;
    wxWindow* target =
        m_view.GetParent() != nullptr ? m_view.GetParent()->FindWindow(button) : nullptr;
    for (int i = 0; target != nullptr && i < std::abs(notches); ++i) {
        wxCommandEvent click(wxEVT_BUTTON, button);
        click.SetEventObject(target);
        target->GetEventHandler()->ProcessEvent(click);
    }
    if (notches != 0) {
        m_paperDrag.UpdatePaperTipRects();
    }
}

void CPlanInput::OnMiddleButton(bool down) {
    SetToolCursor(down ? kPanCursor : kPanEndCursor);
    if (!down && EditMode::AllowsCoordinateInput(m_doc.GetEditMode())) {
        CCoordInputBox& box = m_view.GetCoordInputBox();
        if (box.Window().IsShown()) {
            box.FocusEntry();
        }
    }
}

void CPlanInput::PanByMouse(POINT point) {
    SetToolCursor(kPanCursor);
    m_state.SetFullDrawFlag(false);
    const POINT lastClient = m_state.MouseRecord().last;
    const CVector2D last = m_view.ClientToLogical(lastClient);
    const CVector2D current = m_view.ClientToLogical(point);
    if (!(last == current) && lastClient.x != GetInvalidPlanPoint().x) {
        const POINT origin = m_doc.GetPlanViewOrigin();
        const POINT size = m_doc.GetPlanScrollSize();
        const wxSize client = m_view.GetClientSize();
        // An axis whose plan fits the window has no scroll range to move in.
        const POINT moved{
            PanScrollPosition(origin.x, RoundToInt(last.x - current.x), size.x, client.x),
            PanScrollPosition(origin.y, RoundToInt(last.y - current.y), size.y, client.y)};
        m_doc.SetPlanViewOrigin(moved);
        m_view.SetScrollPos(wxHORIZONTAL, moved.x);
        m_view.SetScrollPos(wxVERTICAL, moved.y);
        m_view.RedrawNow();
    }
    if (EditMode::AllowsCoordinateInput(m_doc.GetEditMode())) {
        m_view.GetCoordInputBox().ClearActive();
    }
    m_doc.SetDesignModified(1);
}

// ---- Keys

bool CPlanInput::OnKeyDown(int virtualKey, int repeatCount, const KeyModifiers& modifiers) {
    const PlanEditModeClass modeClass = GetPlanEditModeClass(m_doc.GetEditMode());
    switch (CPlanViewState::ClassifyPlanKey(virtualKey)) {
        case CPlanViewState::kControlKey:
            return true;
        case CPlanViewState::kDeleteKey:
            // Selected objects are deleted by the deletion command alone.
            return modeClass == kSelectionModeClass;
        case CPlanViewState::kMoveKey:
            if (modeClass == kSelectionModeClass) {
                NudgeSelection(virtualKey, modifiers);
                return true;
            }
            if (modeClass == kOtherModeClass) {
                WalkCameraByKey(virtualKey, modifiers);
                return true;
            }
            return false;
        default:
            return m_state.OnKeyDown(virtualKey, repeatCount, 0);
    }
}

void CPlanInput::WalkCameraByKey(int virtualKey, const KeyModifiers& modifiers) {
    I3DView* view3D = m_doc.Get3DView();
    if (view3D == nullptr) {
        return;
    }
    view3D->HandlePlanKey(virtualKey, modifiers);
}

void CPlanInput::NudgeSelection(int virtualKey, const KeyModifiers& modifiers) {
    CDesignScene* scene = Scene();
    if (scene == nullptr) {
        return;
    }
    m_doc.BeginUndoGroup();
    m_doc.BeginEditSnapshot(4);
    const std::array<float, 6> step = scene->GetKeyboardNudge(virtualKey, 2, modifiers);
    if (std::any_of(step.begin(), step.end(), [](float v) { return v != 0.0f; })) {
        scene->TransformSelection(step);
    }
    m_doc.EndEditSnapshot(4);
    m_doc.EndUndoGroup();
    m_doc.Redraw2DView();
    m_doc.Repaint3DView();
}
