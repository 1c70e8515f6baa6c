#include "library/ui/ObjectRecordDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

wxStaticText* Label(wxWindow* parent, const char* utf8) {
    return new wxStaticText(parent, wxID_ANY, wxString::FromUTF8(utf8));
}

std::string TextOf(const wxTextCtrl* edit) {
    return edit->GetValue().utf8_string();
}

}  // namespace

CObjectRecordDlg::CObjectRecordDlg(const std::string& programFolder, ModelCatalogEntry& entry,
                                   wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString()), m_rules(entry, programFolder) {
    Build();
}

CObjectRecordDlg::CObjectRecordDlg(const std::string& programFolder, TextureCatalogEntry& entry,
                                   wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString()), m_rules(entry, programFolder) {
    Build();
}

CObjectRecordDlg::CObjectRecordDlg(const std::string& programFolder, PictureCatalogEntry& entry,
                                   wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString()), m_rules(entry, programFolder) {
    Build();
}

void CObjectRecordDlg::Build() {
    SetTitle(wxString::FromUTF8(m_rules.GetTitle()));
    const wxSize numberSize(90, -1);
    m_pName = new wxTextCtrl(this, kNameId, wxString(), wxDefaultPosition, wxSize(260, -1));
    m_pWidth = new wxTextCtrl(this, kWidthId, wxString(), wxDefaultPosition, numberSize);
    m_pDepth = new wxTextCtrl(this, kDepthId, wxString(), wxDefaultPosition, numberSize);
    m_pHeight = new wxTextCtrl(this, kHeightId, wxString(), wxDefaultPosition, numberSize);
    m_pPrice = new wxTextCtrl(this, kPriceId, wxString(), wxDefaultPosition, numberSize);
    m_pSerialNumber = new wxTextCtrl(this, kSerialNumberId);
    m_pVendor = new wxTextCtrl(this, kVendorId);
    m_pDescription = new wxTextCtrl(this, kDescriptionId, wxString(), wxDefaultPosition,
                                    wxSize(260, 80), wxTE_MULTILINE);
    auto* reload = new wxButton(this, kReloadId, wxString::FromUTF8(m_rules.GetReloadButtonText()));
    auto* ok = new wxButton(this, wxID_OK, wxString::FromUTF8("確定"));
    auto* cancel = new wxButton(this, wxID_CANCEL, wxString::FromUTF8("取消"));
    m_pDepth->Enable(m_rules.HasDepth());

    auto* fields = new wxFlexGridSizer(2, 6, 8);
    fields->AddGrowableCol(1);
    const auto row = [&](const char* label, wxWindow* control) {
        fields->Add(Label(this, label), 0, wxALIGN_CENTER_VERTICAL);
        fields->Add(control, 0, wxEXPAND);
    };
    row("名稱", m_pName);
    auto* size = new wxStaticBoxSizer(wxHORIZONTAL, this, wxString::FromUTF8("大小(公分)"));
    for (const auto& [label, edit] : {std::pair<const char*, wxTextCtrl*>{"寬", m_pWidth},
                                      {"深", m_pDepth},
                                      {"高", m_pHeight}}) {
        size->Add(Label(size->GetStaticBox(), label), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
        size->Add(edit, 0, wxRIGHT, 8);
    }
    row("價格", m_pPrice);
    row("型號", m_pSerialNumber);
    row("廠商", m_pVendor);
    row("說明", m_pDescription);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(reload, 0, wxRIGHT, 20);
    buttons->AddStretchSpacer();
    buttons->Add(ok, 0, wxRIGHT, 10);
    buttons->Add(cancel);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(size, 0, wxEXPAND | wxALL, 10);
    sizer->Add(fields, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
    sizer->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(sizer);

    ok->Bind(wxEVT_BUTTON, &CObjectRecordDlg::OnOk, this);
    reload->Bind(wxEVT_BUTTON, &CObjectRecordDlg::OnReload, this);
    ShowFields(m_rules.GetInitialFields());
    if (GetParent() != nullptr) {
        CentreOnParent();
    }
}

void CObjectRecordDlg::ShowFields(const ObjectRecordFields& fields) {
    m_pName->ChangeValue(wxString::FromUTF8(fields.name));
    m_pWidth->ChangeValue(wxString::FromUTF8(fields.width));
    m_pDepth->ChangeValue(wxString::FromUTF8(fields.depth));
    m_pHeight->ChangeValue(wxString::FromUTF8(fields.height));
    m_pPrice->ChangeValue(wxString::FromUTF8(fields.price));
    m_pSerialNumber->ChangeValue(wxString::FromUTF8(fields.serialNumber));
    m_pVendor->ChangeValue(wxString::FromUTF8(fields.vendor));
    m_pDescription->ChangeValue(wxString::FromUTF8(fields.description));
}

ObjectRecordFields CObjectRecordDlg::ReadFields() const {
    return {TextOf(m_pName),  TextOf(m_pWidth),        TextOf(m_pDepth),  TextOf(m_pHeight),
            TextOf(m_pPrice), TextOf(m_pSerialNumber), TextOf(m_pVendor), TextOf(m_pDescription)};
}

void CObjectRecordDlg::OnOk(wxCommandEvent&) {
    ObjectRecordFields fields = ReadFields();
    const bool accepted = m_rules.Accept(fields);
    // The sizes and price show as they were checked, accepted or not.
    ShowFields(fields);
    if (accepted) {
        EndModal(wxID_OK);
    }
}

void CObjectRecordDlg::OnReload(wxCommandEvent&) {
    ObjectRecordFields fields = ReadFields();
    if (m_rules.ReloadFromFile(fields)) {
        ShowFields(fields);
    }
}
