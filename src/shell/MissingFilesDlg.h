#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

// The files a load could not find, as the active document collected them,
// with "輸出至檔案" to write the list to a text file.
class CMissingFilesDlg : public wxDialog {
public:
    static constexpr int kListId = 1165;
    static constexpr int kExportId = 1012;

    explicit CMissingFilesDlg(wxWindow* parent);

private:
    void OnExport(wxCommandEvent& event);

    std::vector<std::string> m_names;
};
