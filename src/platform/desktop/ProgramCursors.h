#pragma once

#include <wx/cursor.h>

// The program's cursors by their resource numbers: 166 a texture for all
// faces, 170 for one face, 284 middle-button drag, 569 copy split lines,
// 589, 592 and 593 while placing a library entry, 620 over an object with a
// web link. Stock cursors stand in for the pictures; any other number gives
// the arrow.
wxCursor GetProgramCursor(int resourceId);
