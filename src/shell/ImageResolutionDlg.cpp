#include "shell/ImageResolutionDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>

namespace {

wxSize ClientSizeOf(const wxWindow* window) {
    return window != nullptr ? window->GetClientSize() : wxSize(0, 0);
}

wxStaticText* Label(wxWindow* parent, const char* utf8) {
    return new wxStaticText(parent, wxID_ANY, wxString::FromUTF8(utf8));
}

}  // namespace

CImageResolutionDlg::CImageResolutionDlg(wxWindow* view3D, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("設定輸出解析度")),
      m_resolution(ClientSizeOf(view3D).x, ClientSizeOf(view3D).y) {
    m_pSizeSlider =
        new wxSlider(this, kSizeSliderId, CImageResolution::kMinScale, CImageResolution::kMinScale,
                     CImageResolution::kMaxScale, wxDefaultPosition, wxSize(240, -1));
    m_pSizeText = new wxStaticText(this, kSizeTextId, wxString());
    m_pEstimate = new wxStaticText(this, kEstimateId, wxString());
    m_pAntiAliasSlider =
        new wxSlider(this, kAntiAliasSliderId, CImageResolution::kStartAntiAlias,
                     CImageResolution::kMinAntiAlias, CImageResolution::kMaxAntiAlias,
                     wxDefaultPosition, wxSize(240, -1));
    m_pAntiAliasValue = new wxStaticText(this, kAntiAliasValueId, wxString());
    auto* ok = new wxButton(this, wxID_OK, wxString::FromUTF8("確定"));
    auto* cancel = new wxButton(this, wxID_CANCEL, wxString::FromUTF8("取消"));

    auto* size = new wxBoxSizer(wxHORIZONTAL);
    size->Add(Label(this, "輸出的圖片尺寸為"), 0, wxRIGHT, 6);
    size->Add(m_pSizeText);
    auto* estimate = new wxBoxSizer(wxHORIZONTAL);
    estimate->Add(Label(this, "預估輸出檔案大小為"), 0, wxRIGHT, 6);
    estimate->Add(m_pEstimate, 0, wxRIGHT, 6);
    estimate->Add(Label(this, "K Bytes"));
    auto* antiAlias = new wxBoxSizer(wxHORIZONTAL);
    antiAlias->Add(Label(this, "去鋸齒程度"), 0, wxRIGHT, 6);
    antiAlias->Add(m_pAntiAliasValue);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(ok, 0, wxRIGHT, 10);
    buttons->Add(cancel);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_pSizeSlider, 0, wxEXPAND | wxALL, 10);
    sizer->Add(size, 0, wxLEFT | wxRIGHT, 10);
    sizer->Add(estimate, 0, wxALL, 10);
    sizer->Add(m_pAntiAliasSlider, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    sizer->Add(antiAlias, 0, wxALL, 10);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);

    m_pSizeSlider->Bind(wxEVT_SLIDER, &CImageResolutionDlg::OnSizeSlider, this);
    m_pAntiAliasSlider->Bind(wxEVT_SLIDER, &CImageResolutionDlg::OnAntiAliasSlider, this);
    ok->Bind(wxEVT_BUTTON, &CImageResolutionDlg::OnOk, this);
    ShowValues();
    if (parent != nullptr && parent->GetClientSize().x > 0) {
        CentreOnParent();
    }
}

void CImageResolutionDlg::OnSizeSlider(wxCommandEvent&) {
    m_resolution.SetScale(m_pSizeSlider->GetValue());
    ShowValues();
}

void CImageResolutionDlg::OnAntiAliasSlider(wxCommandEvent&) {
    m_resolution.SetAntiAliasValue(m_pAntiAliasSlider->GetValue());
    ShowValues();
}

void CImageResolutionDlg::OnOk(wxCommandEvent&) {
    m_scale = m_pSizeSlider->GetValue();
    m_passCount = m_resolution.GetPassCount();
    EndModal(wxID_OK);
}

void CImageResolutionDlg::ShowValues() {
    m_pSizeText->SetLabel(wxString::FromUTF8(m_resolution.GetSizeText()));
    m_pEstimate->SetLabel(
        wxString::Format("%lld", static_cast<long long>(m_resolution.GetEstimatedKBytes())));
    m_pAntiAliasValue->SetLabel(wxString::Format("%d", m_resolution.GetAntiAliasValue()));
    Layout();
}
