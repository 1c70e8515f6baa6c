#include "shell/ProgressDlg.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <memory>
#include <vector>

#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "support/TempFolder.h"

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
