#pragma once

#include "document/SelectionInput.h"
#include "foundation/WinTypes.h"
#include "plan2d/CoordInputBox.h"
#include "plan2d/OutlineCapture.h"
#include "plan2d/PaperFrameDrag.h"
#include "plan2d/PlanEditModes.h"
#include "plan2d/PlanObjectSnap.h"

class CDesignScene;
class CH2DView;
class CHousDoc;
class CPlanViewState;
class wxKeyEvent;
class wxMouseEvent;

// Turns the plan view's mouse, wheel and key events into edits by the
// document's edit mode. Modifier keys come from the event itself.
class CPlanInput : public IOutlineHost, public ICoordInputTarget {
public:
    CPlanInput(CH2DView& view, CHousDoc& doc, CPlanViewState& state);

    // Every mouse event of the view.
    void OnMouse(wxMouseEvent& event);
    // False when the key is left to the default handling.
    bool OnKeyDown(int virtualKey, int repeatCount, const KeyModifiers& modifiers);

    COutlineCapture& Capture() { return m_capture; }

    // IOutlineHost
    void ShowStatusText(std::string_view text) override;
    void SetToolCursor(int cursorId) override;
    void RedrawPlan() override;
    bool IsPlacePoint(const CVector2D& stored) const override;

    // ICoordInputTarget
    int ApplyTypedPoint(double first, double second) override;
    void CancelTypedPoint() override;
    void ToggleSnap() override;
    void ToggleFixedWallAngle() override;
    // Windows mouse flags: the middle button (0x10) held turns no zoom.
    int OnMouseWheel(int flags, int delta, int x, int y) override;

private:
    void OnLButtonDown(wxMouseEvent& event, POINT point);
    void OnLButtonUp(wxMouseEvent& event, POINT point);
    void OnLButtonDblClk(wxMouseEvent& event, POINT point);
    void OnRButtonUp(POINT point);
    void OnMouseMove(wxMouseEvent& event, POINT point);
    // The plan frame's zoom buttons, once a notch.
    void ZoomByWheel(int rotation);
    void OnMiddleButton(bool down);

    void CreationMove(POINT point);
    // The crosshair, the rubber band and the length label go to the cursor
    // on the back buffer, in XOR where they are XOR pieces.
    void ShowPreviewsAt(const CVector2D& cursor);
    // The selection rectangle follows the mouse, in XOR on the painted plan.
    void DragRubberBandRect(POINT point);
    // The selection rectangle from the anchor to the corner, by the rubber
    // band's flags, on the back buffer.
    void DrawSelectionRect(const CVector2D& corner, int flags);
    // Drags the selection by the mouse's travel since the last event.
    void MoveSelectionByMouse(POINT point);
    void EndSelectionMove();
    // The objects in the rectangle from the anchor to the point.
    void SelectInRubberBand(POINT point);
    // The edit mode of the scene's selection, and its name in the status.
    void UpdateSelectionMode();
    void ShowSelectionName();
    CDesignScene* Scene() const;
    void AddPointOnRelease(POINT point);
    void PanByMouse(POINT point);
    void NudgeSelection(int virtualKey, const KeyModifiers& modifiers);
    // The 3D view takes the key as its own: the camera walks.
    void WalkCameraByKey(int virtualKey, const KeyModifiers& modifiers);
    // The outline commands of a right click while an outline is drawn.
    void ShowOutlineMenu(POINT point);

    bool IsOnRulers(POINT client) const;
    // The logical point of a client pixel, to the nearest integers and
    // snapped to the grid.
    // Object points go first while the pick option is on.
    POINT SnappedLogicalPoint(POINT client);
    bool IsOutlineMode(int mode) const;
    // The coordinate box is shown and the user has typed into it.
    bool IsTypingInCoordBox();

    CH2DView& m_view;
    CHousDoc& m_doc;
    CPlanViewState& m_state;
    COutlineCapture m_capture;
    CPaperFrameDrag m_paperDrag;
    CPlanObjectSnap m_objectSnap;
    CWheelSteps m_wheel;
    // An edit snapshot of a mouse move of the selection is open.
    bool m_movePending = false;
};
