#pragma once

#include <cstdint>

#include "foundation/Vector2D.h"
#include "plan2d/LineSegmentCache.h"

class CHousDoc;

// Where the 3D view's paste at a point puts the copied objects: plan x and y.
struct PlanPastePoint {
    int32_t set = 0;
    double x = 0.0;
    double y = 0.0;
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

    // Cleared while the plan scrolls, so that pictures draw roughly.
    bool GetFullDrawFlag() const { return m_scrollDirty != 0; }
    void SetFullDrawFlag(bool flag) { m_scrollDirty = flag ? 1 : 0; }

private:
    // Edit mode 0 with the plan's tool state reset and a full refresh.
    void EndTool();

    CHousDoc& m_doc;
    CLineSegmentCache m_lineCache;
    CVector2D m_cursorPoint;
    int m_dragFlag = 0;
    PlanPastePoint m_pastePoint;
    int m_arcDirection = 1;
    int m_scrollDirty = 1;
};
