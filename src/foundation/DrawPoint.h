#pragma once

#include "foundation/Vector2D.h"
#include "foundation/WinTypes.h"
#include "platform/draw/DrawTypes.h"

// The one place where the plan's integer points meet the drawing context's.
inline draw::Point ToDrawPoint(const POINT& p) {
    return {p.x, p.y};
}

// Rounded half away from zero, as every plan point is before it is drawn.
inline draw::Point ToDrawPoint(const CVector2D& v) {
    return ToDrawPoint(v.ToPoint());
}
