#pragma once

#include <string_view>
#include <utility>

#include "plan2d/OutlineGeometry.h"
#include "plan2d/PlanViewState.h"

class CHousDoc;
class CWallObject;

// What the outline capture asks of the plan view it draws in.
class IOutlineHost {
public:
    virtual ~IOutlineHost() = default;
    virtual void ShowStatusText(std::string_view text) = 0;
    // 0 brings back the tool's own cursor.
    virtual void SetToolCursor(int cursorId) = 0;
    virtual void RedrawPlan() = 0;
    // The stored point lies inside the ground and off the rulers.
    virtual bool IsPlacePoint(const CVector2D& stored) const = 0;
};

// The outline of a ceiling, wall or floor being drawn in edit modes 11, 21
// and 31, with the companion line of a wall drawn with a thickness, and the
// commands that close it into a surface of the scene. Points are stored
// points (x, -y of the plan).
class COutlineCapture {
public:
    // Cursors of the outline tools.
    static constexpr int kCloseCursor = 118;
    static constexpr int kAlignedCursor = 444;

    // The lists live in the view's state, where the plan drawing finds them.
    COutlineCapture(CHousDoc& doc, IOutlineHost& host, CPlanViewState& state)
        : m_doc(doc), m_host(host), m_state(state) {}

    // Empty while no outline is drawn.
    const OutlinePoints& Outline() const;
    const OutlinePoints& Companion() const;

    // The first point: both lists start anew, and the waiting mode becomes
    // its drawing mode.
    void StartOutline(const CVector2D& point);

    // The point check of a mouse move; false refuses the cursor point, which
    // the fixed angle may have moved.
    bool CheckNewPoint(CVector2D& cursor);
    // The fixed-angle adjustment of the cursor point; false refuses it.
    bool ApplyFixedAngle(CVector2D& cursor);
    // The point check saw the last point again.
    bool HasRepeatedPoint() const { return m_repeatedPoint; }
    // True when the point was taken or closed the outline.
    bool AddOutlinePoint(CVector2D point);
    // Removes a straight-through middle point at the tail.
    void MergeCollinearTail();
    // Cursor 118 when the point may close the outline; true then.
    bool UpdateCloseCursor(const CVector2D& cursor);

    // Closes the outline taken so far and makes its surface.
    void FinishOutline();
    // Closes with the points as they are, or with a right-angle corner.
    void CloseOutline(bool rightAngle);
    void CompleteThickWall();
    void StepBackOutline();
    void CancelOutline();
    // Asks, then cancels the outline.
    void OnDeleteOutline();

    // The axis-parallel corner that closes the outline at a right angle.
    bool RightAngleClosingPoint(CVector2D* corner) const;
    bool AddRightAngleCorner();

    // The outline menu's enabling rules.
    bool CanClose() const;
    bool CanCloseRightAngle() const;
    bool CanFinish() const;

    // A point typed into the coordinate box: a length and an angle from the
    // last point, towards the side of the mouse (stored point), or the
    // plan point itself before the first point. True when the point was
    // taken.
    bool ApplyTypedPoint(double a, double b, const CVector2D& mouse);
    // A plan point (x, y down) as if clicked.
    void AddPointAt(const CVector2D& planPoint);
    // Esc in the coordinate box.
    void CancelTypedPoint();

    // The surface of the kind (1 wall, 2 ceiling, 3 floor) from the
    // outline, turned clockwise; null when none was made.
    CWallObject* CreateSurfaceFromOutline(OutlinePoints& points, int kind);

    // The segment moved sideways by d along its left normal.
    static std::pair<CVector2D, CVector2D> OffsetSegment(const CVector2D& a, const CVector2D& b,
                                                         double d);

private:
    OutlinePoints& EditOutline();
    OutlinePoints& EditCompanion();
    bool IsThickWall() const;
    bool ExtendThickWallLine(const CVector2D& point);
    bool IsNearPoint(const CVector2D& a, const CVector2D& b) const;
    // Mode - 1, the tool waiting again.
    void ReturnToWaitingMode();
    void ClearLists();

    CHousDoc& m_doc;
    IOutlineHost& m_host;
    CPlanViewState& m_state;
    const OutlinePoints m_none;
    bool m_repeatedPoint = false;
};
