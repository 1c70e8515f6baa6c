#include "shell/ProgressDlg.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <memory>
#include <vector>

#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "shell/PumpedOperation.h"
#include "support/TempFolder.h"

namespace {

// Takes its timer's events the way the main frame does.
class TimerHandler : public wxEvtHandler {
public:
    static constexpr int kTimerId = 2;

    TimerHandler() : timer(this, kTimerId) {
        Bind(wxEVT_TIMER, [this](wxTimerEvent& event) {
            if (CPumpedOperation::DeferTimer(*this, event)) {
                ++deferred;
                return;
            }
            ++handled;
        });
    }

    void Fire() {
        wxTimerEvent event(timer);
        ProcessEvent(event);
    }

    wxTimer timer;
    int handled = 0;
    int deferred = 0;
};

}  // namespace

class ProgressDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(home.Path());
        document = std::make_unique<CHousDoc>();
        SetActiveHousDocAccessor([this] { return document.get(); });
    }
    void TearDown() override { SetActiveHousDocAccessor({}); }

    wxString TextOf(const CProgressDlg& dialog) const {
        return static_cast<wxStaticText*>(dialog.FindWindow(CProgressDlg::kTextId))->GetLabel();
    }

    void PressAbort(CProgressDlg& dialog) {
        wxCommandEvent click(wxEVT_BUTTON, CProgressDlg::kAbortId);
        click.SetEventObject(dialog.FindWindow(CProgressDlg::kAbortId));
        dialog.FindWindow(CProgressDlg::kAbortId)->GetEventHandler()->ProcessEvent(click);
    }

    TempFolder home;
    std::unique_ptr<CHousDoc> document;
};

TEST_F(ProgressDlgTest, StepsShowTheKeptTextAndMoveTheBar) {
    document->SetAbort(1);
    CProgressDlg dialog(nullptr, "讀取中...", 1000, false);
    EXPECT_EQ(document->GetAbort(), 0);
    EXPECT_TRUE(dialog.IsShown());
    EXPECT_FALSE(dialog.FindWindow(CProgressDlg::kAbortId)->IsShown());

    dialog.SetStep(142);
    dialog.SetText("牆面");
    EXPECT_EQ(TextOf(dialog).utf8_string(), "牆面");
    for (int i = 0; i < 7; ++i) {
        dialog.StepIt();
    }
    EXPECT_EQ(TextOf(dialog).utf8_string(), "讀取中...");
    auto* gauge = static_cast<wxGauge*>(dialog.FindWindow(CProgressDlg::kProgressId));
    EXPECT_EQ(gauge->GetRange(), 1000);
    EXPECT_EQ(gauge->GetValue(), 994);
}

TEST_F(ProgressDlgTest, AbortRaisesTheFlagOnlyWhenConfirmed) {
    std::vector<MessageRequest> asked;
    PromptAnswer answer = PromptAnswer::No;
    CScopedPromptHandlers prompts([&](const MessageRequest& request) {
        asked.push_back(request);
        return answer;
    });

    CProgressDlg dialog(nullptr);
    dialog.Create();
    dialog.SetText("存檔中，請稍候...");
    dialog.SetRange(0, 10);
    dialog.SetStep(1);
    dialog.StepItNoPump();
    // Without a kept text the line stays as set.
    EXPECT_EQ(TextOf(dialog).utf8_string(), "存檔中，請稍候...");

    PressAbort(dialog);
    EXPECT_EQ(document->GetAbort(), 0);
    answer = PromptAnswer::Yes;
    PressAbort(dialog);
    EXPECT_EQ(document->GetAbort(), 1);

    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, "是否確定中斷?");
    EXPECT_EQ(asked[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(asked[0].icon, PromptIcon::Warning);
}

TEST_F(ProgressDlgTest, AbortFlagLastsUntilTheNextWindow) {
    CScopedPromptHandlers prompts([](const MessageRequest&) { return PromptAnswer::Yes; });
    {
        CProgressDlg dialog(nullptr, "解壓縮中...", 100, true);
        EXPECT_TRUE(dialog.FindWindow(CProgressDlg::kAbortId)->IsShown());
        PressAbort(dialog);
    }
    EXPECT_EQ(document->GetAbort(), 1);
    CProgressDlg next(nullptr);
    EXPECT_EQ(document->GetAbort(), 1);
    next.Create();
    EXPECT_EQ(document->GetAbort(), 0);
}

// A command or a timer handled while a step pumps events could change or
// free the scene being written; only the progress window takes input.
TEST_F(ProgressDlgTest, OpenWindowLocksTheProgramAndHoldsItsTimers) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "main");
    frame->Show();
    TimerHandler timers;
    {
        CProgressDlg dialog(frame, "存檔中，請稍候...", 1000, true);
        EXPECT_FALSE(frame->IsEnabled());
        EXPECT_TRUE(dialog.IsEnabled());
        EXPECT_TRUE(dialog.FindWindow(CProgressDlg::kAbortId)->IsEnabled());

        timers.timer.Start(5);
        for (int i = 0; i < 200 && timers.deferred < 3; ++i) {
            wxMilliSleep(5);
            dialog.StepIt();
        }
        timers.timer.Stop();
        EXPECT_GE(timers.deferred, 3);
        EXPECT_EQ(timers.handled, 0);
    }
    EXPECT_TRUE(frame->IsEnabled());
    EXPECT_FALSE(CPumpedOperation::IsRunning());
    // The timer comes back once, from the event loop, not from the closing.
    EXPECT_EQ(timers.handled, 0);
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(timers.handled, 1);
    frame->Destroy();
}

TEST_F(ProgressDlgTest, TimersWaitForTheLastOfNestedWindows) {
    TimerHandler timers;
    auto gone = std::make_unique<TimerHandler>();
    {
        CProgressDlg outer(nullptr, "讀取中...", 10, false);
        {
            CProgressDlg inner(nullptr);
            inner.Create();
            timers.Fire();
            gone->Fire();
        }
        wxTheApp->ProcessPendingEvents();
        EXPECT_EQ(timers.handled, 0);
        EXPECT_TRUE(CPumpedOperation::IsRunning());
        timers.Fire();
        // A handler that goes during the operation gets nothing afterwards.
        gone.reset();
    }
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(timers.deferred, 2);
    EXPECT_EQ(timers.handled, 1);
    // Without a window a timer acts at once.
    timers.Fire();
    EXPECT_EQ(timers.handled, 2);
}
