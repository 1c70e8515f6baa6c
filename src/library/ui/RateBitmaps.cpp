#include "library/ui/RateBitmaps.h"

#include <wx/dcmemory.h>

#include <cmath>

#include "library/LibraryBrowserPage.h"

namespace {

void DrawStar(wxDC& dc, int left, bool filled) {
    constexpr double kPi = 3.14159265358979323846;
    const double cx = left + kRateStripWidth / kHighestRate / 2.0;
    const double cy = kRateStripHeight / 2.0 + 0.5;
    wxPoint points[10];
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 7.5 : 3.2;
        const double angle = -kPi / 2 + i * kPi / 5;
        points[i] = wxPoint(static_cast<int>(std::lround(cx + radius * std::cos(angle))),
                            static_cast<int>(std::lround(cy + radius * std::sin(angle))));
    }
    dc.SetPen(wxPen(wxColour(160, 110, 0)));
    dc.SetBrush(filled ? wxBrush(wxColour(255, 196, 0)) : wxBrush(wxColour(235, 235, 235)));
    dc.DrawPolygon(10, points);
}

}  // namespace

wxBitmap MakeRateBitmap(int rate) {
    wxBitmap bitmap(kRateStripWidth, kRateStripHeight, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    const int starWidth = kRateStripWidth / kHighestRate;
    for (int star = 0; star < kHighestRate; ++star) {
        DrawStar(dc, star * starWidth, star < rate);
    }
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}
