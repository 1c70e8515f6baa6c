#pragma once

#include "foundation/WinTypes.h"

// The point that stands for "no point" in the plan's mouse history.
POINT GetInvalidPlanPoint();

// The plan view's memory of its last mouse events, in client pixels.
struct MouseEventRecord {
    enum Kind {
        kNone = 0,
        kLeftDown = 1,
        kLeftDoubleClick = 2,
        kLeftUp = 3,
        kRightDown = 6,
        kRightUp = 7,
    };

    // A kind of 0 (a move) keeps the stored kind; the point becomes the last
    // point and the point of the kind.
    void Update(int newKind, POINT point);

    int kind = kNone;
    POINT last = GetInvalidPlanPoint();
    POINT leftDown = GetInvalidPlanPoint();
    POINT leftUp = GetInvalidPlanPoint();
    POINT doubleClick = GetInvalidPlanPoint();
    POINT rightDown = GetInvalidPlanPoint();
    POINT rightUp = GetInvalidPlanPoint();
};

// Updates the record when a mouse handler leaves, however it leaves.
class MouseEventGuard {
public:
    MouseEventGuard(MouseEventRecord& record, int kind, POINT point)
        : m_record(record), m_kind(kind), m_point(point) {}
    ~MouseEventGuard() { m_record.Update(m_kind, m_point); }
    MouseEventGuard(const MouseEventGuard&) = delete;
    MouseEventGuard& operator=(const MouseEventGuard&) = delete;

private:
    MouseEventRecord& m_record;
    int m_kind;
    POINT m_point;
};
