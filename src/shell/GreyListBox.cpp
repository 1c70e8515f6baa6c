#include "shell/GreyListBox.h"

CGreyListBox::CGreyListBox(wxWindow* parent, wxWindowID id, const wxPoint& position,
                           const wxSize& size, long style)
    : wxListBox(parent, id, position, size, 0, nullptr, style) {
    SetForegroundColour(wxColour(0, 0, 0));
    SetBackgroundColour(wxColour(0xE6, 0xE6, 0xE6));
}
