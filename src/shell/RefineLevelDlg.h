#pragma once

#include <wx/dialog.h>

#include <optional>

#include "shell/RefineLevel.h"

class wxButton;
class wxSlider;
class wxTextCtrl;

// Asks how finely a wall face is refined: a slider of levels 1..10 shows the
// level and the cell size it gives; a level whose cells would be too small
// cannot be confirmed.
class CRefineLevelDlg : public wxDialog {
public:
    static constexpr int kSliderId = 1241;
    static constexpr int kLevelId = 1103;
    static constexpr int kCellSizeId = 1104;

    CRefineLevelDlg(int faceWidth, int faceHeight, wxWindow* parent);

    // After OK: the chosen level; 0 when the slider was never moved.
    int GetLevel() const { return m_refine.GetLevel(); }

private:
    void OnSlider(wxCommandEvent& event);
    void ShowLevel();

    CRefineLevel m_refine;
    wxSlider* m_pSlider = nullptr;
    wxTextCtrl* m_pLevel = nullptr;
    wxTextCtrl* m_pCellSize = nullptr;
    wxButton* m_pOk = nullptr;
};

// The dialog over the program's top window as the answer to the refine-level
// question: the chosen level after OK, nothing after Cancel.
std::optional<int> AskRefineLevelDialog(int faceWidth, int faceHeight);
