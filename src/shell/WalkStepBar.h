#pragma once

#include <wx/panel.h>

class wxChoice;
class wxTextCtrl;

// The walk-step bar: the walk speed, the step length and turn angle of the
// keyboard walk, and the 3D display toggles.
class CWalkStepBar : public wxPanel {
public:
    static constexpr int kSpeedCombo = 1199;
    static constexpr int kStepEdit = 1320;
    static constexpr int kTurnEdit = 1281;
    static constexpr int kApplyButton = 1441;

    // The step edit shows the normal step, the turn edit half of it.
    CWalkStepBar(wxWindow* parent, double normalStep);

    wxChoice* GetSpeedCombo() const { return m_pSpeedCombo; }

private:
    wxChoice* m_pSpeedCombo = nullptr;
};
