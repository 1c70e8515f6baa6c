#pragma once

#include <wx/listbox.h>

// A list box whose items are always black on light grey, whatever the
// desktop's theme; the start-up design manager lists its designs in it.
class CGreyListBox : public wxListBox {
public:
    CGreyListBox(wxWindow* parent, wxWindowID id, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = 0);
};
