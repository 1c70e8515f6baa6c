#include "shell/ProgressDlg.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/Prompt.h"

namespace {

wxString ToWx(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

void SetActiveAbortFlag(int32_t flag) {
    if (CHousDoc* document = GetActiveHousDoc()) {
        document->SetAbort(flag);
    }
}

}  // namespace

CProgressDlg::CProgressDlg(wxWindow* parent) : m_pParentWindow(parent) {}

CProgressDlg::CProgressDlg(wxWindow* parent, std::string_view text, int range, bool abortButton)
    : m_pParentWindow(parent), m_abortButton(abortButton), m_keptText(text) {
    Create();
    SetText(text);
    SetPos(0);
    SetRange(0, range);
    SetStep(1);
}

bool CProgressDlg::Create() {
    // A caption-less box over its parent, as long as the operation runs.
    if (!wxDialog::Create(m_pParentWindow, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                          wxBORDER_RAISED)) {
        return false;
    }
    m_pText = new wxStaticText(this, kTextId, wxString());
    m_pGauge = new wxGauge(this, kProgressId, m_position.GetGaugeRange());
    m_pAbortButton = new wxButton(this, kAbortId, wxString::FromUTF8("中斷"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_pText, 0, wxEXPAND | wxALL, 8);
    sizer->Add(m_pGauge, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
    sizer->Add(m_pAbortButton, 0, wxALIGN_RIGHT | wxALL, 8);
    SetSizer(sizer);
    SetMinClientSize(ConvertDialogToPixels(wxSize(186, 54)));
    Fit();

    const wxRect over =
        m_pParentWindow != nullptr ? m_pParentWindow->GetScreenRect() : wxDisplay().GetGeometry();
    if (over.GetRight() > 0) {
        const wxSize size = GetSize();
        Move(over.x + (over.width - size.x) / 2, over.y + (over.height - size.y) / 2);
    }

    SetActiveAbortFlag(0);
    m_pAbortButton->Show(m_abortButton);
    m_pAbortButton->Bind(wxEVT_BUTTON, &CProgressDlg::OnAbort, this);
    ShowPosition();
    Show();
    m_operation.emplace(this);
    return true;
}

void CProgressDlg::SetText(std::string_view text) {
    if (m_pText != nullptr) {
        m_pText->SetLabel(ToWx(text));
    }
}

void CProgressDlg::SetPos(int position) {
    m_position.SetPos(position);
    ShowPosition();
}

void CProgressDlg::SetRange(int low, int high) {
    m_position.SetRange(low, high);
    ShowPosition();
}

void CProgressDlg::SetStep(int step) {
    m_position.SetStep(step);
}

void CProgressDlg::StepIt() {
    if (!m_keptText.empty()) {
        SetText(m_keptText);
    }
    HandlePendingEvents();
    m_position.StepIt();
    ShowPosition();
}

void CProgressDlg::HandlePendingEvents() {
    // Only when no other step is handling events already: a step reached
    // from inside the pump must not start a second one.
    if (wxTheApp != nullptr) {
        wxTheApp->Yield(true);
    }
}

void CProgressDlg::StepItNoPump() {
    if (!m_keptText.empty()) {
        SetText(m_keptText);
    }
    m_position.StepIt();
    ShowPosition();
}

void CProgressDlg::ShowPosition() {
    if (m_pGauge != nullptr) {
        m_pGauge->SetRange(m_position.GetGaugeRange());
        m_pGauge->SetValue(m_position.GetGaugeValue());
    }
}

void CProgressDlg::OnAbort(wxCommandEvent&) {
    if (ShowMessage("是否確定中斷?", PromptButtons::YesNo, PromptIcon::Warning) ==
        PromptAnswer::Yes) {
        SetActiveAbortFlag(1);
    }
}
