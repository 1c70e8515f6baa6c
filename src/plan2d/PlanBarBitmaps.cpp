#include "plan2d/PlanBarBitmaps.h"

#include <wx/brush.h>
#include <wx/dcmemory.h>
#include <wx/pen.h>

namespace {

constexpr int kBitmapSize = 18;

// Far-apart colours for neighbouring numbers.
wxColour ColourOf(int bitmapId) {
    const unsigned hash = static_cast<unsigned>(bitmapId) * 2654435761U;
    return wxColour(static_cast<unsigned char>(64 + (hash >> 8) % 160),
                    static_cast<unsigned char>(64 + (hash >> 16) % 160),
                    static_cast<unsigned char>(64 + (hash >> 24) % 160));
}

}  // namespace

wxBitmap MakePlanBarBitmap(int bitmapId) {
    wxBitmap bitmap(kBitmapSize, kBitmapSize);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(wxBrush(ColourOf(bitmapId)));
    dc.DrawRectangle(2, 2, kBitmapSize - 4, kBitmapSize - 4);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}
