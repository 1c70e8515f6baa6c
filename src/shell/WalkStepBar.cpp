#include "shell/WalkStepBar.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include "foundation/TextFormat.h"
#include "platform/desktop/ToolIcon.h"
#include "shell/CommandIds.h"
#include "shell/HighCommandIds.h"

namespace {

wxString Utf8(const char* text) {
    return wxString::FromUTF8(text);
}

}  // namespace

CWalkStepBar::CWalkStepBar(wxWindow* parent, double normalStep) : wxPanel(parent, 140) {
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    const int gap = FromDIP(4);
    auto addLabel = [&](const char* text) {
        sizer->Add(new wxStaticText(this, wxID_ANY, Utf8(text)), 0,
                   wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, gap);
    };

    addLabel("瀏覽步伐");
    // A sorted list: "一般" comes first.
    const wxString speeds[] = {Utf8("快速"), Utf8("一般"), Utf8("慢速")};
    m_pSpeedCombo =
        new wxChoice(this, kSpeedCombo, wxDefaultPosition, wxDefaultSize, 3, speeds, wxCB_SORT);
    m_pSpeedCombo->SetSelection(0);
    sizer->Add(m_pSpeedCombo, 0, wxALIGN_CENTER_VERTICAL);

    const wxSize editSize(FromDIP(50), -1);
    sizer->Add(new wxTextCtrl(this, kStepEdit, wxString::FromUTF8(FormatNumberText(normalStep)),
                              wxDefaultPosition, editSize),
               0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    addLabel("轉動");
    sizer->Add(new wxTextCtrl(this, kTurnEdit, wxString::FromUTF8(FormatNumberText(normalStep / 2)),
                              wxDefaultPosition, editSize),
               0, wxALIGN_CENTER_VERTICAL);
    addLabel("度");

    const struct {
        int id;
        const char* text;
        const char* icon;
    } toggles[] = {{cmd::kShowReflection, "顯示反射", "show-reflection"},
                   {cmd::kShowShadow, "顯示陰影", "show-shadow"},
                   {cmd::kShowTextures, "顯示貼圖", "show-textures"},
                   {cmd::kHardwareAccel, "顯示硬體加速", "hardware-accel"}};
    CAllowHighCommandIds highIds;
    for (const auto& toggle : toggles) {
        auto* button = new wxBitmapToggleButton(this, toggle.id, LoadToolIcon(toggle.icon));
        button->SetToolTip(Utf8(toggle.text));
        sizer->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    }
    sizer->Add(new wxButton(this, kApplyButton, Utf8("確定"), wxDefaultPosition, wxDefaultSize,
                            wxBU_EXACTFIT),
               0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, gap);
    // The bar's walk settings do not reach the keyboard walk yet; until they
    // do they are shown as they are and cannot be changed.
    for (int id : {kSpeedCombo, kStepEdit, kTurnEdit, kApplyButton}) {
        FindWindow(id)->Disable();
    }
    SetSizerAndFit(sizer);
}
