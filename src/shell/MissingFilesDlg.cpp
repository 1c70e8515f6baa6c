#include "shell/MissingFilesDlg.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>

#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/Prompt.h"
#include "shell/MissingFilesExport.h"

CMissingFilesDlg::CMissingFilesDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("遺失路徑的檔案"), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    if (const CHousDoc* document = GetActiveHousDoc()) {
        m_names = document->GetMissingFiles();
    }
    auto* list = new wxListBox(this, kListId, wxDefaultPosition, wxSize(400, 200), 0, nullptr,
                               wxLB_SINGLE | wxLB_ALWAYS_SB);
    for (const std::string& name : m_names) {
        list->Append(wxString::FromUTF8(name));
    }
    auto* exportButton = new wxButton(this, kExportId, wxString::FromUTF8("輸出至檔案"));
    auto* ok = new wxButton(this, wxID_OK, wxString::FromUTF8("確定"));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(exportButton, 0, wxRIGHT, 10);
    buttons->Add(ok);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(list, 1, wxEXPAND | wxALL, 10);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
    exportButton->Bind(wxEVT_BUTTON, &CMissingFilesDlg::OnExport, this);
    CentreOnParent();
}

// The dialog stays open after writing, so the list can be written again.
void CMissingFilesDlg::OnExport(wxCommandEvent&) {
    FileNameRequest request;
    request.save = true;
    request.filter = "txt File (*.txt)|*.txt||";
    request.defaultName = kMissingFilesDefaultName;
    const std::optional<std::string> path = AskFileName(request);
    if (!path) {
        return;
    }
    if (pfs::Result<void> written = WriteMissingFilesList(*path, m_names); !written) {
        ShowMessage(written.Error(), PromptButtons::Ok, PromptIcon::Error);
    }
}
