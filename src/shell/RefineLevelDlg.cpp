#include "shell/RefineLevelDlg.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

CRefineLevelDlg::CRefineLevelDlg(int faceWidth, int faceHeight, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("設定細化程度")),
      m_refine(faceWidth, faceHeight) {
    m_pSlider = new wxSlider(this, kSliderId, CRefineLevel::kStartLevel, CRefineLevel::kMinLevel,
                             CRefineLevel::kMaxLevel, wxDefaultPosition, wxSize(220, -1));
    m_pLevel =
        new wxTextCtrl(this, kLevelId, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    m_pCellSize = new wxTextCtrl(this, kCellSizeId, wxString(), wxDefaultPosition, wxSize(220, -1),
                                 wxTE_READONLY);
    m_pOk = new wxButton(this, wxID_OK, wxString::FromUTF8("確定"));
    auto* cancel = new wxButton(this, wxID_CANCEL, wxString::FromUTF8("取消"));

    auto* level = new wxBoxSizer(wxHORIZONTAL);
    level->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8("細化程度 :")), 0,
               wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    level->Add(m_pLevel);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(m_pOk, 0, wxRIGHT, 10);
    buttons->Add(cancel);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_pSlider, 0, wxEXPAND | wxALL, 10);
    sizer->Add(level, 0, wxLEFT | wxRIGHT, 10);
    sizer->Add(m_pCellSize, 0, wxEXPAND | wxALL, 10);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);

    m_pSlider->Bind(wxEVT_SLIDER, &CRefineLevelDlg::OnSlider, this);
    ShowLevel();
    CentreOnParent();
}

void CRefineLevelDlg::OnSlider(wxCommandEvent&) {
    m_refine.SetLevel(m_pSlider->GetValue());
    ShowLevel();
}

void CRefineLevelDlg::ShowLevel() {
    m_pLevel->ChangeValue(wxString::Format("%d", m_refine.GetLevel()));
    m_pCellSize->ChangeValue(wxString::FromUTF8(m_refine.GetCellText()));
    m_pOk->Enable(m_refine.IsAccepted());
}

std::optional<int> AskRefineLevelDialog(int faceWidth, int faceHeight) {
    CRefineLevelDlg dialog(faceWidth, faceHeight,
                           wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetLevel();
}
