#pragma once

#include <wx/gdicmn.h>

#include <string>

class wxTextCtrl;
class wxWindow;

// Texts and places of dialog controls, in UTF-8.

std::string GetWindowTextString(const wxWindow& window);

// Empty when the parent has no control with that id.
std::string GetDlgItemTextString(const wxWindow& parent, int controlId);

// The control's rectangle in the parent's client coordinates; empty when the
// parent has no control with that id.
wxRect GetDlgItemRect(const wxWindow& parent, int controlId);

// Reads the edit as an int. Outside [minimum, maximum] the edit shows the
// current value again and the result is false; otherwise the value is stored.
bool ValidateIntEdit(wxTextCtrl& edit, int& value, int minimum, int maximum);

// Reads the edit as a float (a text that is no number reads as 0). Inside
// [minimum, maximum] the value is stored; otherwise the result is false and
// neither the value nor the edit changes.
bool ValidateFloatEdit(const wxTextCtrl& edit, float& value, float minimum, float maximum);
