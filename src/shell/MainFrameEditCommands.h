#pragma once

#include <optional>

#include "foundation/Vector2D.h"

class CHousDoc;

// What the edit commands ask of the plan's windows.
class IPlanCommandWindows {
public:
    virtual ~IPlanCommandWindows() = default;
    // The plan frame's command that shows the geometric shapes.
    virtual void RunShowShapes() = 0;
    virtual void FocusPlanView() = 0;
};

// The main frame's edit commands on the design, free of widgets. Every
// command does nothing while there is no document.
class CMainFrameEditCommands {
public:
    void SetDocument(CHousDoc* document) { m_pDocument = document; }
    CHousDoc* GetDocument() const { return m_pDocument; }
    // Null until the windows exist; the commands then do without them.
    void SetPlanWindows(IPlanCommandWindows* windows) { m_pPlanWindows = windows; }

    void OnUndo();
    // Marks the design modified as undo does: after undo, save and redo the
    // redone change is not on disk.
    void OnRedo();
    void OnSelectObjects();
    // Into the mode, or back to mode 0 when already in it.
    void ToggleEditMode(int mode);
    // A plan drawing tool of the edit mode 600, 610 .. 650.
    void OnPlanDrawingTool(int mode);
    void OnToggleSnap();
    void OnToggleFixedWallAngle();
    // The selected 3D objects come down (or up) to the current floor; the
    // design is then modified.
    void OnMoveToGround();
    void OnToggleMoveLock();
    void OnToggleShadowReverse();
    // The plan drawing of the selected surfaces of the edit mode's kind
    // shows or hides; the design is then modified.
    void OnToggleSurfacePlanDrawing();
    // The wall bar takes the top and bottom of the picked surface and is
    // applied.
    void OnReadBoundaryValues();
    void ApplyBoundaryValues();
    // Axis 1 mirrors left-right, 2 front-back: the selected furniture and 3D texts.
    void OnMirror(int axis);

    // ---- Copy and paste through the 3D view's copy buffer

    // The selection goes into the copy buffer and the paste count starts
    // again at 1.
    void OnCopy();
    // The 3D view pastes the buffer (offset by the paste count, or at the
    // plan point when one is given) as one undo step; the count goes up.
    void PasteObjects(const std::optional<CVector2D>& planPoint);
    // Something was copied and the buffer still holds it (new designs,
    // closing and deletions empty it).
    [[nodiscard]] bool HasCopy() const;
    [[nodiscard]] int GetPasteCount() const { return m_pasteCount; }

private:
    CHousDoc* m_pDocument = nullptr;
    IPlanCommandWindows* m_pPlanWindows = nullptr;
    // Copy and paste.
    bool m_hasCopy = false;
    int m_pasteCount = 1;
};
