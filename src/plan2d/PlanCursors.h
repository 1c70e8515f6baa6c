#pragma once

#include <wx/cursor.h>

// The plan's tool cursors by their resource ids: 117 close or end the
// polyline, 118 the start of a closing outline, 189 an outline end, 190 an
// outline midpoint, 262 ready to pan again, 283 an end to join, 284
// panning, 444 level with the first point, 590 over an object or the camera
// marker, 591 the camera marker's turn handle, 593 a library drag.
// Unknown ids give the arrow.
wxCursor GetPlanToolCursor(int resourceId);
