#include "shell/AboutDlg.h"

#include <wx/bmpbndl.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <system_error>
#include <utility>

#include "foundation/ProductSite.h"
#include "foundation/Prompt.h"
#include "foundation/ResourceStrings.h"
#include "platform/fs/DefaultContent.h"

namespace {

constexpr const char* kBuildDate = "2012/02/24";

bool LaunchDefaultBrowser(const std::string& address) {
    return wxLaunchDefaultBrowser(wxString::FromUTF8(address));
}

}  // namespace

std::string MakeAboutTitle() {
    std::string title;
    LoadProductTitle(title);
    return title + " (" + kBuildDate + ")";
}

CAboutDlg::CAboutDlg(wxWindow* parent, BrowserLauncher launcher)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("關於Velmora")),
      m_launcher(launcher ? std::move(launcher) : BrowserLauncher(LaunchDefaultBrowser)) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    // The program's icon is its picture; an installation without it shows none.
    const auto icon = pfs::FindResourceFolder() / "icons" / "velmora.svg";
    std::error_code error;
    if (std::filesystem::exists(icon, error)) {
        const wxBitmapBundle picture = wxBitmapBundle::FromSVGFile(icon.string(), wxSize(48, 48));
        if (picture.IsOk()) {
            row->Add(new wxStaticBitmap(this, wxID_ANY, picture), 0, wxALL, 10);
        }
    }
    row->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(MakeAboutTitle())), 0,
             wxALIGN_CENTER_VERTICAL | wxALL, 10);
    top->Add(row);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, wxID_OK, wxString::FromUTF8("確定")), 0, wxALL, 5);
    auto* visit = new wxButton(this, kVisitSiteId, wxString::FromUTF8("連結網站"));
    buttons->Add(visit, 0, wxALL, 5);
    top->Add(buttons, 0, wxALIGN_CENTER | wxBOTTOM, 5);
    visit->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { VisitSite(); });
    SetSizerAndFit(top);
    CentreOnParent();
}

void CAboutDlg::VisitSite() {
    if (!m_launcher(std::string(kProductSiteAddress))) {
        ShowMessage("無法開啟Velmora網站!", PromptButtons::Ok, PromptIcon::Error);
    }
}
