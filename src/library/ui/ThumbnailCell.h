#pragma once

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/panel.h>

// One of a library browser's six thumbnail cells. The window is the cell
// grown by 2 pixels to the left and top and 1 to the right and bottom, so
// that a click anywhere on it picks the cell and the selection frame runs
// along its edge.
class CThumbnailCell : public wxPanel {
public:
    static constexpr int kCellWidth = 110;
    static constexpr int kCellHeight = 90;

    CThumbnailCell(wxWindow* parent, int id);

    // The picture is drawn scaled into the cell, keeping its proportions.
    void SetPicture(const wxImage& picture);
    void ClearPicture();
    bool HasPicture() const { return m_picture.IsOk(); }
    void SetSelected(bool selected);
    bool IsSelected() const { return m_selected; }

private:
    void OnPaint(wxPaintEvent& event);

    wxImage m_picture;
    wxBitmap m_scaled;
    bool m_selected = false;
};
