#include "plan2d/H2DChild.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "document/HousDoc.h"
#include "document/PlanZoom.h"
#include "plan2d/FloorControls.h"
#include "plan2d/H2DView.h"

namespace {

wxString Utf8(const char* text) {
    return wxString::FromUTF8(text);
}

wxButton* MakeBarButton(wxWindow* bar, int id, const char* label, const char* tip) {
    auto* button =
        new wxButton(bar, id, Utf8(label), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    button->SetToolTip(Utf8(tip));
    return button;
}

}  // namespace

CH2DChild::CH2DChild(wxWindow* parent, CHousDoc& doc) : wxPanel(parent), m_doc(doc) {
    SetLabel(Utf8("2D視窗"));
    // The bars come first: the view reaches them through the document.
    wxWindow* wallBar = CreateWallBar();
    wxWindow* controlBar = CreateControlBar();
    m_pView = new CH2DView(this, doc, this);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(wallBar, 0, wxEXPAND);
    sizer->Add(m_pView, 1, wxEXPAND);
    sizer->Add(controlBar, 0, wxEXPAND);
    SetSizer(sizer);

    m_pView->OnInitialUpdate();
    UpdateFloorControls();
}

wxWindow* CH2DChild::CreateWallBar() {
    auto* bar = new wxPanel(this);
    bar->SetLabel(Utf8("進階控制工具列"));
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    for (int id : {kWallTopEdit, kWallBottomEdit, kWallThicknessEdit}) {
        auto* edit = new wxTextCtrl(bar, id);
        // Leaving an edit applies the bar, so that walls are never raised
        // from a text that is no usable value.
        edit->Bind(wxEVT_KILL_FOCUS, [&doc = m_doc](wxFocusEvent& event) {
            event.Skip();
            doc.ApplyWallBarFields();
        });
        sizer->Add(edit, 0, wxALL, 2);
    }
    bar->SetSizer(sizer);
    return bar;
}

wxWindow* CH2DChild::CreateControlBar() {
    auto* bar = new wxPanel(this);
    bar->SetLabel(Utf8("2D控制工具列"));
    m_pZoomCombo = new wxChoice(bar, kZoomCombo);
    for (int index = 0; index < PlanZoom::kLevelCount; ++index) {
        m_pZoomCombo->Append(wxString::Format("%d%%", PlanZoom::GetLevelPercent(index)));
    }
    // A scale that no level has, as a design file may hold, selects none.
    m_pZoomCombo->SetSelection(PlanZoom::FindLevel(m_doc.GetPlanZoomFactor()));
    m_pFloorCombo = new wxChoice(bar, kFloorCombo);
    m_pFloorUpButton = MakeBarButton(bar, kFloorUpButton, "▲", "上一個樓層");
    m_pFloorDownButton = MakeBarButton(bar, kFloorDownButton, "▼", "下一個樓層");

    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_pZoomCombo, 0, wxALL | wxALIGN_CENTER_VERTICAL, 2);
    sizer->Add(MakeBarButton(bar, kZoomOutButton, "-", "縮小圖面"), 0, wxALL, 2);
    sizer->Add(MakeBarButton(bar, kZoomResetButton, "1:1", "回復圖面大小"), 0, wxALL, 2);
    sizer->Add(MakeBarButton(bar, kZoomInButton, "+", "放大圖面"), 0, wxALL, 2);
    sizer->Add(m_pFloorCombo, 0, wxALL | wxALIGN_CENTER_VERTICAL, 2);
    sizer->Add(m_pFloorUpButton, 0, wxALL, 2);
    sizer->Add(m_pFloorDownButton, 0, wxALL, 2);
    bar->SetSizer(sizer);

    m_pZoomCombo->Bind(wxEVT_CHOICE, &CH2DChild::OnZoomSelected, this);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnZoomStep, this, kZoomOutButton);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnZoomStep, this, kZoomInButton);
    bar->Bind(wxEVT_BUTTON, &CH2DChild::OnZoomReset, this, kZoomResetButton);
    return bar;
}

void CH2DChild::SetZoomLevel(int index) {
    const int level = PlanZoom::ClampLevel(index);
    // The combo shows the new level before the views redraw at it.
    m_pZoomCombo->SetSelection(level);
    ApplyPlanZoom(m_doc, PlanZoom::GetLevelPercent(level));
    m_pView->SetFocus();
}

void CH2DChild::UpdateFloorControls() {
    const int count = static_cast<int>(m_pFloorCombo->GetCount());
    // The storey shown in the combo; the first before any is chosen.
    const int current = std::max(m_pFloorCombo->GetSelection(), 0);
    const FloorControlState state = GetFloorControlState(current, std::max(count - 1, 0));
    if (state.selection < count) {
        m_pFloorCombo->SetSelection(state.selection);
    }
    m_pFloorUpButton->Enable(state.upEnabled);
    m_pFloorDownButton->Enable(state.downEnabled);
}

void CH2DChild::SetFloorComboTexts(const std::vector<std::string>& texts) {
    m_pFloorCombo->Clear();
    for (const std::string& text : texts) {
        m_pFloorCombo->Append(wxString::FromUTF8(text));
    }
}

int CH2DChild::GetZoomSelection() const {
    return m_pZoomCombo->GetSelection();
}

std::string CH2DChild::GetWallBarText(int controlId) const {
    const auto* edit = wxDynamicCast(FindWindow(controlId), wxTextCtrl);
    return edit != nullptr ? edit->GetValue().utf8_string() : std::string();
}

void CH2DChild::SetWallBarText(int controlId, std::string_view text) {
    if (auto* edit = wxDynamicCast(FindWindow(controlId), wxTextCtrl)) {
        edit->ChangeValue(wxString::FromUTF8(text.data(), text.size()));
    }
}

void CH2DChild::OnZoomSelected(wxCommandEvent& event) {
    SetZoomLevel(event.GetSelection());
}

void CH2DChild::OnZoomStep(wxCommandEvent& event) {
    const int step = event.GetId() == kZoomInButton ? -1 : 1;
    if (const auto level = PlanZoom::StepLevel(GetZoomSelection(), step)) {
        SetZoomLevel(*level);
    }
}

void CH2DChild::OnZoomReset(wxCommandEvent&) {
    if (GetZoomSelection() != PlanZoom::kDefaultLevel) {
        SetZoomLevel(PlanZoom::kDefaultLevel);
    }
    m_pView->SetFocus();
}
