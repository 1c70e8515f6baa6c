#include "foundation/wx/DialogControls.h"

#include <wx/textctrl.h>
#include <wx/window.h>

#include <optional>

#include "foundation/EditValidation.h"

std::string GetWindowTextString(const wxWindow& window) {
    // The text of an edit or combo box is its value, not its label.
    if (const auto* entry = dynamic_cast<const wxTextEntry*>(&window)) {
        return entry->GetValue().utf8_string();
    }
    return window.GetLabel().utf8_string();
}

std::string GetDlgItemTextString(const wxWindow& parent, int controlId) {
    const wxWindow* control = parent.FindWindow(controlId);
    if (control == nullptr) {
        return {};
    }
    return GetWindowTextString(*control);
}

wxRect GetDlgItemRect(const wxWindow& parent, int controlId) {
    const wxWindow* control = parent.FindWindow(controlId);
    if (control == nullptr) {
        return {};
    }
    // A control inside a panel of the dialog is placed through each panel between.
    wxPoint topLeft = control->GetPosition();
    for (const wxWindow* between = control->GetParent(); between != nullptr && between != &parent;
         between = between->GetParent()) {
        topLeft += between->GetPosition() + between->GetClientAreaOrigin();
    }
    return wxRect(topLeft, control->GetSize());
}

bool ValidateIntEdit(wxTextCtrl& edit, int& value, int minimum, int maximum) {
    IntEditCheck check = CheckIntEdit(edit.GetValue().utf8_string(), value, minimum, maximum);
    if (!check.accepted) {
        edit.SetValue(wxString::FromUTF8(check.resetText));
        return false;
    }
    value = check.value;
    return true;
}

bool ValidateFloatEdit(const wxTextCtrl& edit, float& value, float minimum, float maximum) {
    std::optional<float> read = CheckFloatEdit(edit.GetValue().utf8_string(), minimum, maximum);
    if (!read) {
        return false;
    }
    value = *read;
    return true;
}
