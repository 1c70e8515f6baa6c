#pragma once

#include <wx/dialog.h>

#include <string_view>

class wxCheckBox;

// The warning shown while a design loads, for a file that cannot be found:
// one line and the box "忽略所有警告" that silences the rest of the load.
class CLoadWarningDlg : public wxDialog {
public:
    static constexpr int kMessageId = 1282;
    static constexpr int kIgnoreAllId = 1019;

    // The format holds one "%s" for the file name of the path.
    CLoadWarningDlg(std::string_view format, std::string_view path, wxWindow* parent);

    // After the dialog: 1 when the box was ticked and OK pressed, else 0.
    int GetResult() const { return m_result; }

private:
    void OnOk(wxCommandEvent& event);

    wxCheckBox* m_pIgnoreAll = nullptr;
    int m_result = 0;
};
