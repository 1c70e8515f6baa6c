#include "library/ui/ThumbnailCell.h"

#include <wx/dcbuffer.h>

#include "library/LibraryBrowserPage.h"

CThumbnailCell::CThumbnailCell(wxWindow* parent, int id)
    : wxPanel(parent, id, wxDefaultPosition, wxSize(kCellWidth + 3, kCellHeight + 3),
              wxBORDER_NONE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(wxSize(kCellWidth + 3, kCellHeight + 3));
    Bind(wxEVT_PAINT, &CThumbnailCell::OnPaint, this);
}

void CThumbnailCell::SetPicture(const wxImage& picture) {
    m_picture = picture;
    m_scaled = wxBitmap();
    if (m_picture.IsOk()) {
        const BrowserRect fitted = FitPictureInCell({0, 0, kCellWidth, kCellHeight},
                                                    m_picture.GetWidth(), m_picture.GetHeight());
        if (fitted.width > 0) {
            m_scaled = wxBitmap(m_picture.Scale(fitted.width, fitted.height, wxIMAGE_QUALITY_HIGH));
        }
    }
    Refresh();
}

void CThumbnailCell::ClearPicture() {
    SetPicture(wxImage());
}

void CThumbnailCell::SetSelected(bool selected) {
    if (m_selected != selected) {
        m_selected = selected;
        Refresh();
    }
}

void CThumbnailCell::OnPaint(wxPaintEvent& /*event*/) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    // The cell proper starts 2 pixels in from the window's top-left corner.
    if (m_scaled.IsOk()) {
        const BrowserRect fitted = FitPictureInCell({2, 2, kCellWidth, kCellHeight},
                                                    m_scaled.GetWidth(), m_scaled.GetHeight());
        dc.DrawBitmap(m_scaled, fitted.x, fitted.y);
    }
    if (m_selected) {
        dc.SetPen(wxPen(*wxRED, 1));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(0, 0, kCellWidth + 3, kCellHeight + 3);
    }
}
