#include "shell/MissingFilesDlg.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/listbox.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "shell/GreyListBox.h"
#include "support/TempFolder.h"

class MissingFilesDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(home.Path());
        // In the order a load found them, which is not sorted.
        for (const char* name : {"z.x", "D:\\lib\\chair.x", "a.jpg", "許功.bmp", "B.tga"}) {
            document.AddMissingFile(name);
        }
        SetActiveHousDocAccessor([this] { return &document; });
    }
    void TearDown() override { SetActiveHousDocAccessor({}); }

    static void Export(CMissingFilesDlg& dialog) {
        wxCommandEvent click(wxEVT_BUTTON, CMissingFilesDlg::kExportId);
        click.SetEventObject(dialog.FindWindow(CMissingFilesDlg::kExportId));
        dialog.FindWindow(CMissingFilesDlg::kExportId)->GetEventHandler()->ProcessEvent(click);
    }

    TempFolder home;
    CHousDoc document;
};

TEST_F(MissingFilesDlgTest, ListAndFileKeepTheOrderOfDiscovery) {
    CScopedPromptHandlers prompts(
        [](const MessageRequest& request) {
            ADD_FAILURE() << request.text;
            return PromptAnswer::Ok;
        },
        [&](const FileNameRequest&) -> std::optional<std::string> {
            return (home.Path() / "missfile.txt").string();
        });

    CMissingFilesDlg dialog(nullptr);
    auto* list = static_cast<wxListBox*>(dialog.FindWindow(CMissingFilesDlg::kListId));
    std::vector<std::string> shown;
    for (unsigned i = 0; i < list->GetCount(); ++i) {
        shown.push_back(list->GetString(i).utf8_string());
    }
    EXPECT_EQ(shown, document.GetMissingFiles());

    Export(dialog);
    EXPECT_EQ(home.Read("missfile.txt"),
              "z.x\r\nD:\\lib\\chair.x\r\na.jpg\r\n\xB3\x5C\xA5\x5C.bmp\r\nB.tga\r\n");
}

// Writing the list can fail; the user hears of it and the dialog stays.
TEST_F(MissingFilesDlgTest, ExportReportsAFileThatCannotBeWritten) {
    struct Case {
        const char* name;
        std::optional<std::filesystem::path> chosen;  // nothing: the user cancels
        bool reported;
    };
    const Case cases[] = {
        {"cancelled", std::nullopt, false},
        {"no such folder", std::filesystem::path("gone") / "missfile.txt", true},
        {"a folder in the way", std::filesystem::path("taken"), true},
    };
    std::filesystem::create_directory(home.Path() / "taken");
    for (const Case& c : cases) {
        std::vector<MessageRequest> messages;
        CScopedPromptHandlers prompts(
            [&](const MessageRequest& request) {
                messages.push_back(request);
                return PromptAnswer::Ok;
            },
            [&](const FileNameRequest&) -> std::optional<std::string> {
                if (!c.chosen) {
                    return std::nullopt;
                }
                return (home.Path() / *c.chosen).string();
            });

        CMissingFilesDlg dialog(nullptr);
        Export(dialog);
        ASSERT_EQ(messages.size(), c.reported ? 1u : 0u) << c.name;
        if (c.reported) {
            EXPECT_EQ(messages[0].icon, PromptIcon::Error) << c.name;
            EXPECT_NE(messages[0].text.find((home.Path() / *c.chosen).string()), std::string::npos)
                << messages[0].text;
        }
        EXPECT_FALSE(std::filesystem::exists(home.Path() / "missfile.txt")) << c.name;
        EXPECT_TRUE(std::filesystem::is_directory(home.Path() / "taken")) << c.name;
    }
}

TEST(GreyListBox, DrawsBlackOnLightGrey) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "start");
    auto* list = new CGreyListBox(frame, wxID_ANY);
    EXPECT_EQ(list->GetForegroundColour(), wxColour(0, 0, 0));
    EXPECT_EQ(list->GetBackgroundColour(), wxColour(0xE6, 0xE6, 0xE6));
    frame->Destroy();
}
