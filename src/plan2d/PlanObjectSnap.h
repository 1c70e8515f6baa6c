#pragma once

#include "foundation/WinTypes.h"

class CDesignObject;
class CHousDoc;

// Snapping of the cursor while the user draws: to the points of the
// structures and shapes on the current floor, and for the line tools to a
// free end of any shape, which the new shape then joins. The results are
// the cursor the plan shows: 189 on a vertex, 190 on a midpoint, 283 on a
// free end; 0 when nothing snapped.
class CPlanObjectSnap {
public:
    static constexpr int kVertexCursor = 189;
    static constexpr int kMidPointCursor = 190;
    static constexpr int kFreeEndCursor = 283;

    explicit CPlanObjectSnap(CHousDoc& doc) : m_doc(doc) {}

    // Set while the user holds snapping off for a move.
    void SetSuppressed(bool suppressed) { m_suppressed = suppressed; }
    bool IsSuppressed() const { return m_suppressed; }

    // Moves the logical point onto the first wall, floor or ceiling segment
    // end or midpoint within the pick tolerance, else onto a vertex or
    // midpoint of a shown shape or dimension. Structures go first even when
    // a shape point lies nearer.
    int SnapToObjectPoint(POINT& point);

    // In the line, arrow, arc and curve modes: drops the held end, then
    // holds the first free end of a line, circle or arc, or curve within the
    // pick tolerance of the cursor, on any floor and layer.
    int SnapToShapeEnds(POINT cursor);
    bool HasHeldEnd() const { return m_endSnapped; }
    POINT GetHeldEnd() const { return m_heldEnd; }
    // The shape a new shape starting or ending at the held end joins.
    CDesignObject* GetJoinTarget() const { return m_joinTarget; }
    void DropHeldEnd();

private:
    int SnapToSurfacePoint(POINT& point) const;
    int SnapToShapePoint(POINT& point, int type) const;

    CHousDoc& m_doc;
    bool m_suppressed = false;
    bool m_endSnapped = false;
    POINT m_heldEnd;
    CDesignObject* m_joinTarget = nullptr;
};
