#pragma once

#include "foundation/WinTypes.h"
#include "platform/gfx/MathTypes.h"

// A mouse movement in the 3D view as a plan offset: sideways and forward
// along the camera's heading.
struct PlanDragOffset {
    double sideways = 0.0;
    double forward = 0.0;
};

// The cursor's offset from the reference point turned by the camera heading
// (radians), each part truncated to whole pixels.
PlanDragOffset CursorOffsetAlongHeading(POINT cursor, POINT reference, double heading);

// The cursor's offset from the reference point as a plan offset for an
// object at position: one pixel is one unit at 600 units from the eye, and
// it grows with the distance. Below the ground the forward part is turned
// round, as the view is seen from underneath.
PlanDragOffset ScreenDragToWorldOffset(const gfx::Vector3& position, const gfx::Vector3& eye,
                                       double heading, POINT reference, POINT cursor);
