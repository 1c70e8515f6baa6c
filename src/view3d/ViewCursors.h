#pragma once

#include <wx/cursor.h>

// The 3D view's cursors by their resource numbers: 166 copy a texture to
// all faces, 170 to one face, 284 middle-button drag, 569 copy split lines,
// 589, 592 and 593 while placing a library entry, 620 over an object with a
// web link. Stock cursors stand in for the pictures; any other number gives
// the arrow.
wxCursor GetViewCursor(int resourceId);
