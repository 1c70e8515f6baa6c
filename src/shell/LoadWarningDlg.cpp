#include "shell/LoadWarningDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "shell/LoadWarningText.h"

CLoadWarningDlg::CLoadWarningDlg(std::string_view format, std::string_view path, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "warning") {
    auto* message =
        new wxStaticText(this, kMessageId, wxString::FromUTF8(FormatLoadWarning(format, path)));
    m_pIgnoreAll = new wxCheckBox(this, kIgnoreAllId, wxString::FromUTF8("忽略所有警告"));
    auto* ok = new wxButton(this, wxID_OK, wxString::FromUTF8("確定"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(message, 0, wxALL, 10);
    sizer->Add(m_pIgnoreAll, 0, wxLEFT | wxRIGHT, 10);
    sizer->Add(ok, 0, wxALIGN_CENTER | wxALL, 10);
    SetSizerAndFit(sizer);
    // Escape closes without taking the box.
    SetEscapeId(wxID_CANCEL);
    ok->Bind(wxEVT_BUTTON, &CLoadWarningDlg::OnOk, this);
    CentreOnParent();
}

void CLoadWarningDlg::OnOk(wxCommandEvent&) {
    m_result = m_pIgnoreAll->GetValue() ? 1 : 0;
    EndModal(wxID_OK);
}
