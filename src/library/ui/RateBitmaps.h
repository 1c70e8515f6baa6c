#pragma once

#include <wx/bitmap.h>

// The favourite-rate strip's pictures: five stars in 81 x 17 pixels, the
// first rate of them filled. Drawn here rather than shipped as pictures.
wxBitmap MakeRateBitmap(int rate);
