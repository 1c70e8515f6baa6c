#pragma once

#include <wx/bitmap.h>

// The plain pictures of the plan frame's bar buttons, drawn here, one for
// each bitmap number the buttons name: a framed square in a colour of the
// number, so that a button's two states look different.
wxBitmap MakePlanBarBitmap(int bitmapId);
