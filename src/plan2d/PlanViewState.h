#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/Vector2D.h"
#include "plan2d/LineSegmentCache.h"
#include "plan2d/MouseEventRecord.h"

class CHousDoc;

// Where the 3D view's paste at a point puts the copied objects: plan x and y.
struct PlanPastePoint {
    int32_t set = 0;
    double x = 0.0;
    double y = 0.0;
};

// A plan outline being drawn, as stored points.
using PlanPointList = std::vector<CVector2D>;

// The plan editor's flags of one view; all clear at the start unless said.
struct PlanViewFlags {
    int cameraTurnHover = 0;  // over the camera marker's direction handle
    int cameraMoveHover = 0;  // over the camera marker's box
    int busy = 0;             // mouse moves only record the position
    int polylineClosePending = 0;
    int polylineEndReached = 0;
    int endSnapHeld = 0;
    CVector2D endSnapPoint;
    void* endSnapTarget = nullptr;  // the shape the held end joins
    int endSnapTaken = 0;
    void* toolStartTarget = nullptr;  // the shape a shape tool started on
    int snapSuppressed = 0;
    int rubberBandActive = 0;
    int selectionMoveActive = 0;
    int clickOnCameraMarker = 0;  // the last left press lay on the marker
    int newOutline = 1;
    int toolCursorSet = 0;
};

// The per-view state of the plan editor and the rules that work on it and on
// the document, free of any window so that tests can drive them.
class CPlanViewState {
public:
    // Groups of the plan's keys (Windows virtual-key codes).
    enum KeyGroup {
        kOtherKey = 0,
        kEscapeKey = 1,
        kControlKey = 2,
        kDeleteKey = 3,
        kMoveKey = 4,     // page up and down, end, home, the arrows, ',' and '.'
        kCommandKey = 5,  // Enter, 'A', 'G', F3, F7, F8
    };
    static KeyGroup ClassifyPlanKey(int virtualKey);

    explicit CPlanViewState(CHousDoc& doc) : m_doc(doc) {}

    // Drops the merged line segments when the object type feeds them.
    void InvalidateLineCache(int type) { m_lineCache.Invalidate(type); }
    CLineSegmentCache& LineCache() { return m_lineCache; }

    // The document takes the 3D camera's plan pose; the plan is redrawn when
    // asked.
    void StoreCameraPlanPose(bool redraw);

    // Forgets the pending first point.
    void ResetSelectionState();

    // False when the key is left to the default handling.
    bool OnKeyDown(int virtualKey, int repeatCount, int flags);

    const CVector2D& GetCursorPoint() const { return m_cursorPoint; }
    void SetCursorPoint(const CVector2D& point) { m_cursorPoint = point; }

    // 1 while a mouse drag runs; the wall lock clears it when it refuses a move.
    int GetDragFlag() const { return m_dragFlag; }
    void SetDragFlag(int flag) { m_dragFlag = flag; }

    PlanPastePoint& PastePoint() { return m_pastePoint; }

    int GetArcDirection() const { return m_arcDirection; }

    MouseEventRecord& MouseRecord() { return m_mouseRecord; }
    PlanViewFlags& Flags() { return m_flags; }

    // Null while no outline is drawn; the companion line belongs to a thick
    // wall.
    std::unique_ptr<PlanPointList>& Outline() { return m_pOutline; }
    std::unique_ptr<PlanPointList>& CompanionOutline() { return m_pCompanionOutline; }

    CVector2D& RubberBandAnchor() { return m_rubberBandAnchor; }

    // When set, printing draws only the selected objects.
    int GetPrintSelectionOnly() const { return m_printSelectionOnly; }
    void SetPrintSelectionOnly(int flag) { m_printSelectionOnly = flag; }

    // Cleared while the plan scrolls, so that pictures draw roughly.
    bool GetFullDrawFlag() const { return m_scrollDirty != 0; }
    void SetFullDrawFlag(bool flag) { m_scrollDirty = flag ? 1 : 0; }

private:
    // Edit mode 0 with the plan's tool state reset and a full refresh.
    void EndTool();

    CHousDoc& m_doc;
    MouseEventRecord m_mouseRecord;
    CLineSegmentCache m_lineCache;
    std::unique_ptr<PlanPointList> m_pOutline;
    std::unique_ptr<PlanPointList> m_pCompanionOutline;
    CVector2D m_cursorPoint;
    PlanViewFlags m_flags;
    CVector2D m_rubberBandAnchor;
    int m_printSelectionOnly = 0;
    int m_dragFlag = 0;
    PlanPastePoint m_pastePoint;
    int m_arcDirection = 1;
    int m_scrollDirty = 1;
};
