#include "shell/ProgressWindow.h"

#include <wx/app.h>

#include <chrono>

#include "shell/ProgressDlg.h"

namespace {

// Events are handled at most this often: an operation that steps once per
// vertex would otherwise spend its time in the event loop.
constexpr std::chrono::milliseconds kPumpInterval{30};

class CProgressDialogWindow : public IOperationProgress {
public:
    explicit CProgressDialogWindow(const ProgressRequest& request)
        : m_dialog(wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr, request.text,
                   request.range, request.abortButton) {
        m_dialog.SetStep(request.step);
    }

    void StepIt() override {
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastPump < kPumpInterval) {
            m_dialog.StepItNoPump();
            return;
        }
        m_dialog.StepIt();
        m_lastPump = std::chrono::steady_clock::now();
    }

    void StepItNoPump() override { m_dialog.StepItNoPump(); }

    void KeepResponsive() override { m_dialog.HandlePendingEvents(); }

private:
    CProgressDlg m_dialog;
    std::chrono::steady_clock::time_point m_lastPump{};
};

}  // namespace

std::unique_ptr<IOperationProgress> OpenProgressDialog(const ProgressRequest& request) {
    return std::make_unique<CProgressDialogWindow>(request);
}
