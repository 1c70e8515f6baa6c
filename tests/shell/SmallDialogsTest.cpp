#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>
#include <memory>

#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "shell/ImageResolutionDlg.h"
#include "shell/LoadWarningDlg.h"
#include "shell/MissingFilesDlg.h"
#include "shell/RefineLevelDlg.h"
#include "support/TempFolder.h"

namespace {

// Runs the dialog modally while the test works its controls; whatever the
// test leaves open is closed, so the run never waits for a user.
int RunModal(wxDialog& dialog, const std::function<void()>& whileShown) {
    dialog.CallAfter([&dialog, whileShown] {
        whileShown();
        if (dialog.IsModal()) {
            dialog.EndModal(wxID_ABORT);
        }
    });
    return dialog.ShowModal();
}

void Send(wxWindow& parent, int controlId, wxEventType type) {
    wxWindow* control = parent.FindWindow(controlId);
    ASSERT_NE(control, nullptr) << controlId;
    wxCommandEvent event(type, controlId);
    event.SetEventObject(control);
    control->GetEventHandler()->ProcessEvent(event);
}

void MoveSlider(wxWindow& parent, int sliderId, int value) {
    auto* slider = static_cast<wxSlider*>(parent.FindWindow(sliderId));
    slider->SetValue(value);
    Send(parent, sliderId, wxEVT_SLIDER);
}

std::string LabelOf(const wxWindow& parent, int controlId) {
    return parent.FindWindow(controlId)->GetLabel().utf8_string();
}

}  // namespace

TEST(SmallDialogs, ImageResolutionFollowsItsSliders) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "3D");
    frame->SetClientSize(800, 600);
    frame->Show();

    CImageResolutionDlg dialog(frame, nullptr);
    const int result = RunModal(dialog, [&] {
        EXPECT_EQ(LabelOf(dialog, CImageResolutionDlg::kSizeTextId), "1024 X 768");
        EXPECT_EQ(LabelOf(dialog, CImageResolutionDlg::kEstimateId), "0");
        MoveSlider(dialog, CImageResolutionDlg::kSizeSliderId, 2);
        EXPECT_EQ(LabelOf(dialog, CImageResolutionDlg::kSizeTextId), "2048 X 1536");
        EXPECT_EQ(LabelOf(dialog, CImageResolutionDlg::kEstimateId), "9216");
        MoveSlider(dialog, CImageResolutionDlg::kAntiAliasSliderId, 6);
        EXPECT_EQ(LabelOf(dialog, CImageResolutionDlg::kAntiAliasValueId), "6");
        Send(dialog, wxID_OK, wxEVT_BUTTON);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(dialog.GetScale(), 2);
    EXPECT_EQ(dialog.GetPassCount(), 8);
    EXPECT_EQ(dialog.GetOutputWidth(), 2048);
    EXPECT_EQ(dialog.GetOutputHeight(), 1536);
    frame->Destroy();
}

TEST(SmallDialogs, RefineLevelRefusesTooSmallCells) {
    CRefineLevelDlg dialog(100, 60, nullptr);
    const int result = RunModal(dialog, [&] {
        auto* level = static_cast<wxTextCtrl*>(dialog.FindWindow(CRefineLevelDlg::kLevelId));
        auto* cells = static_cast<wxTextCtrl*>(dialog.FindWindow(CRefineLevelDlg::kCellSizeId));
        EXPECT_EQ(level->GetValue().utf8_string(), "0");
        MoveSlider(dialog, CRefineLevelDlg::kSliderId, 4);
        EXPECT_EQ(cells->GetValue().utf8_string(), "超過設定");
        EXPECT_FALSE(dialog.FindWindow(wxID_OK)->IsEnabled());
        MoveSlider(dialog, CRefineLevelDlg::kSliderId, 3);
        EXPECT_EQ(level->GetValue().utf8_string(), "3");
        EXPECT_EQ(cells->GetValue().utf8_string(), "每格寬約12,長約7");
        EXPECT_TRUE(dialog.FindWindow(wxID_OK)->IsEnabled());
        Send(dialog, wxID_OK, wxEVT_BUTTON);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(dialog.GetLevel(), 3);
}

TEST(SmallDialogs, LoadWarningTakesTheBoxOnlyWithOk) {
    for (bool confirm : {true, false}) {
        CLoadWarningDlg dialog("找不到模型檔案 - %s", "D:\\lib\\chair.x", nullptr);
        RunModal(dialog, [&] {
            EXPECT_EQ(LabelOf(dialog, CLoadWarningDlg::kMessageId), "找不到模型檔案 - chair.x");
            static_cast<wxCheckBox*>(dialog.FindWindow(CLoadWarningDlg::kIgnoreAllId))
                ->SetValue(true);
            if (confirm) {
                Send(dialog, wxID_OK, wxEVT_BUTTON);
            }
        });
        EXPECT_EQ(dialog.GetResult(), confirm ? 1 : 0);
    }
}

TEST(SmallDialogs, MissingFilesListsAndWritesTheDocumentsList) {
    TempFolder home;
    SetProgramFolder(home.Path());
    CHousDoc document;
    document.AddMissingFile("D:\\lib\\chair.x");
    document.AddMissingFile("椅子.x");
    SetActiveHousDocAccessor([&document] { return &document; });
    std::vector<FileNameRequest> requests;
    CScopedPromptHandlers prompts(
        [](const MessageRequest& request) {
            ADD_FAILURE() << request.text;
            return PromptAnswer::Ok;
        },
        [&](const FileNameRequest& request) -> std::optional<std::string> {
            requests.push_back(request);
            return (home.Path() / "list.txt").string();
        });

    CMissingFilesDlg dialog(nullptr);
    auto* list = static_cast<wxListBox*>(dialog.FindWindow(CMissingFilesDlg::kListId));
    ASSERT_EQ(list->GetCount(), 2u);
    EXPECT_EQ(list->GetString(1).utf8_string(), "椅子.x");
    Send(dialog, CMissingFilesDlg::kExportId, wxEVT_BUTTON);

    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].defaultName, "missfile.txt");
    EXPECT_EQ(requests[0].filter, "txt File (*.txt)|*.txt||");
    EXPECT_EQ(home.Read("list.txt"), "D:\\lib\\chair.x\r\n\xB4\xC8\xA4\x6C.x\r\n");
    SetActiveHousDocAccessor({});
}
