#pragma once

#include <wx/dialog.h>

#include <optional>
#include <string>
#include <string_view>

#include "shell/ProgressPosition.h"
#include "shell/PumpedOperation.h"

class wxButton;
class wxGauge;
class wxStaticText;

// The shared modeless progress window of long operations: a line of text, a
// bar and the abort button "中斷". Stepping it lets the program handle its
// pending events, so the window paints and the abort button works; a
// confirmed abort raises the active document's abort flag, which the
// operation polls. While the window is open the rest of the program takes
// no input and its timers wait (see CPumpedOperation). The window closes
// when the object is destroyed.
class CProgressDlg : public wxDialog {
public:
    static constexpr int kTextId = 1135;
    static constexpr int kProgressId = 1136;
    static constexpr int kAbortId = 1013;

    // Builds the object only, without the abort button; Create makes the window.
    explicit CProgressDlg(wxWindow* parent);
    // Makes and shows the window at once with the text, position 0, range
    // 0..range and step 1. The text is shown again at every step.
    CProgressDlg(wxWindow* parent, std::string_view text, int range, bool abortButton);

    // Shows the window over the parent, clears the active document's abort
    // flag and starts the operation.
    bool Create();

    // Shown at once; a text given at construction still comes back at the
    // next step.
    void SetText(std::string_view text);
    void SetPos(int position);
    void SetRange(int low, int high);
    void SetStep(int step);
    // Shows the kept text, handles the pending events, then steps the bar.
    void StepIt();
    void StepItNoPump();
    void HandlePendingEvents();

    const CProgressPosition& GetPosition() const { return m_position; }

private:
    void ShowPosition();
    void OnAbort(wxCommandEvent& event);

    wxWindow* m_pParentWindow;
    bool m_abortButton = false;
    std::string m_keptText;
    CProgressPosition m_position;
    wxStaticText* m_pText = nullptr;
    wxGauge* m_pGauge = nullptr;
    wxButton* m_pAbortButton = nullptr;
    std::optional<CPumpedOperation> m_operation;
};
