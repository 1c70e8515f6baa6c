#include "shell/DesignManagerDlg.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/scrolbar.h>
#include <wx/stattext.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "support/TempFolder.h"

namespace {

// A program folder with two showcase groups (3 and 9 designs) and one
// locked group of the user's own designs.
class DesignManagerDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(home.Path());
        WriteGroup("Show/S0_Show.ini", "客廳", 3, "a", 0);
        WriteGroup("Show/S1_Show.ini", "", 9, "n", 0);
        WriteGroup("MyDesign/S0_Show.ini", "Mine", 1, "m", 1);
        wxImage preview(16, 12);
        preview.SetRGB(wxRect(0, 0, 16, 12), 200, 30, 30);
        ASSERT_TRUE(preview.SaveFile(Design("Show", "a1.bmp"), wxBITMAP_TYPE_BMP));
        document.emplace();
        document->SetDesignPath("");
    }

    std::string Design(const char* folder, const std::string& name) const {
        return (home.Path() / folder / name).string();
    }

    void WriteGroup(const std::string& file, const std::string& name, int count,
                    const std::string& prefix, int lock) {
        const std::string folder = file.substr(0, file.find('/'));
        std::string text = "[QV_SHOW]\r\nCOUNT=" + std::to_string(count) + "\r\n";
        if (!name.empty()) {
            text += "GROUPNAME=" + name + "\r\n";
        }
        text += "GROUPLOCK=" + std::to_string(lock) + "\r\n";
        for (int i = 1; i <= count; ++i) {
            const std::string design = prefix + std::to_string(i) + ".dg6";
            home.Write(folder + "/" + design, "design");
            const std::string n = std::to_string(i);
            text += "FILENAME" + n + "=" + design + "\r\nSHOWNAME" + n + "=Show " + prefix + n +
                    "\r\nDESIGNER" + n + "=Lin\r\nINTRO" + n + "=Bright room\r\n";
        }
        // Group names are CP950 in the file; the test writes only ASCII then.
        if (name == "客廳") {
            text.replace(text.find("客廳"), std::string("客廳").size(), "\xab\xc8\xc6\x55");
        }
        home.Write(file, text);
    }

    TempFolder home;
    std::optional<CHousDoc> document;
};

std::vector<std::string> Lines(const wxListBox& list) {
    std::vector<std::string> lines;
    for (unsigned i = 0; i < list.GetCount(); ++i) {
        lines.push_back(list.GetString(i).utf8_string());
    }
    return lines;
}

void Click(wxWindow& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

// Runs the start-up screen as the program does while the test works it;
// whatever the test leaves open is closed, so the run never waits.
DesignManagerResult RunWhileShown(CHousDoc& document,
                                  const std::function<void(CDesignManagerDlg&)>& whileShown) {
    wxTheApp->CallAfter([whileShown] {
        for (wxWindow* window : wxTopLevelWindows) {
            if (auto* dialog = dynamic_cast<CDesignManagerDlg*>(window)) {
                whileShown(*dialog);
                if (dialog->IsModal()) {
                    dialog->EndModal(wxID_CANCEL);
                }
            }
        }
    });
    return RunStartupDesignManager(nullptr, document);
}

}  // namespace

TEST_F(DesignManagerDlgTest, ShowsTheFirstGroupAndPicksItsFirstDesign) {
    CDesignManagerDlg dialog(nullptr, *document);
    dialog.Show();
    EXPECT_EQ(document->GetBusy(), 1);
    ASSERT_EQ(dialog.GetEntries().size(), 3u);
    EXPECT_EQ(dialog.GetPicked(), 0);
    EXPECT_EQ(document->GetDesignPath(), Design("Show", "a1.dg6"));
    auto* fileName = static_cast<wxStaticText*>(dialog.FindWindow(CDesignManagerDlg::kFileNameId));
    EXPECT_TRUE(fileName->IsShown());
    EXPECT_EQ(fileName->GetLabel().utf8_string(), Design("Show", "a1.dg6"));
    EXPECT_EQ(Lines(*static_cast<wxListBox*>(dialog.FindWindow(CDesignManagerDlg::kInformationId))),
              (std::vector<std::string>{"Show a1", "", "Lin", "", "Bright room"}));
    // Three designs fill the first column and the top of the second.
    for (int slot = 0; slot < kDesignThumbnailSlots; ++slot) {
        EXPECT_EQ(dialog.FindWindow(CDesignManagerDlg::kFirstCaptionId + slot)->IsShown(), slot < 3)
            << slot;
    }
    EXPECT_FALSE(dialog.FindWindow(CDesignManagerDlg::kScrollId)->IsShown());
    auto* groups = static_cast<wxChoice*>(dialog.FindWindow(CDesignManagerDlg::kGroupId));
    ASSERT_EQ(groups->GetCount(), 2u);
    EXPECT_EQ(groups->GetString(0).utf8_string(), "客廳");
    EXPECT_EQ(groups->GetString(1).utf8_string(), "設計案群組_1");

    dialog.SelectGroup(1);
    ASSERT_EQ(dialog.GetEntries().size(), 9u);
    EXPECT_TRUE(dialog.FindWindow(CDesignManagerDlg::kScrollId)->IsShown());
    dialog.Scroll(DesignScroll::LineRight);
    EXPECT_EQ(dialog.GetFirstShown(), 2);  // entries 3 to 9
    EXPECT_EQ(document->GetShowGroupIndex(), 1);
}

// Each shown caption sits right under its own thumbnail, and the picked
// design's file name under the preview, clear of the information list,
// through every change of group, scroll and source.
TEST_F(DesignManagerDlgTest, CaptionsAndFileNameAreLaidOutUnderTheirPictures) {
    CScopedPromptHandlers prompts([](const MessageRequest&) { return PromptAnswer::Ok; });
    WriteGroup("MyDesign/S0_Show.ini", "Mine", 1, "m", 0);
    CDesignManagerDlg dialog(nullptr, *document);
    dialog.Show();
    const wxRect source = dialog.FindWindow(CDesignManagerDlg::kSourceId)->GetRect();
    const wxRect groups = dialog.FindWindow(CDesignManagerDlg::kGroupId)->GetRect();
    auto expectLaidOut = [&](const char* step) {
        SCOPED_TRACE(step);
        wxTheApp->Yield();
        for (int slot = 0; slot < kDesignThumbnailSlots; ++slot) {
            const wxWindow* caption = dialog.FindWindow(CDesignManagerDlg::kFirstCaptionId + slot);
            if (!caption->IsShown()) {
                continue;
            }
            const wxRect thumbnail =
                dialog.FindWindow(CDesignManagerDlg::kFirstThumbnailId + slot)->GetRect();
            const wxRect text = caption->GetRect();
            EXPECT_EQ(text.x, thumbnail.x) << slot;
            EXPECT_GE(text.y, thumbnail.GetBottom()) << slot;
            EXPECT_LE(text.y, thumbnail.GetBottom() + 8) << slot;
            EXPECT_GT(text.height, 0) << slot;
            EXPECT_FALSE(text.Intersects(source) || text.Intersects(groups)) << slot;
        }
        const wxWindow* fileName = dialog.FindWindow(CDesignManagerDlg::kFileNameId);
        if (!fileName->IsShown()) {
            return;
        }
        const wxRect preview = dialog.FindWindow(CDesignManagerDlg::kPreviewId)->GetRect();
        const wxRect information = dialog.FindWindow(CDesignManagerDlg::kInformationId)->GetRect();
        const wxRect text = fileName->GetRect();
        EXPECT_EQ(text.x, preview.x);
        EXPECT_GT(text.y, preview.GetBottom());
        EXPECT_GT(text.height, 0);
        EXPECT_LT(text.GetBottom(), information.y);
    };
    expectLaidOut("first group");
    dialog.SelectGroup(1);
    expectLaidOut("nine designs");
    dialog.Scroll(DesignScroll::LineRight);
    expectLaidOut("scrolled");
    // The last design removed hides the name; the next source shows it again.
    dialog.SelectSource(1);
    dialog.RemovePicked();
    EXPECT_FALSE(dialog.FindWindow(CDesignManagerDlg::kFileNameId)->IsShown());
    dialog.SelectSource(0);
    EXPECT_TRUE(dialog.FindWindow(CDesignManagerDlg::kFileNameId)->IsShown());
    EXPECT_TRUE(dialog.FindWindow(CDesignManagerDlg::kFirstCaptionId)->IsShown());
    expectLaidOut("back to the showcase");
}

TEST_F(DesignManagerDlgTest, RemovingAsksAndRewritesTheGroupFile) {
    std::vector<std::string> asked;
    PromptAnswer answer = PromptAnswer::Cancel;
    CScopedPromptHandlers prompts([&](const MessageRequest& request) {
        asked.push_back(request.text);
        return answer;
    });
    {
        CDesignManagerDlg dialog(nullptr, *document);
        dialog.Pick(1);
        dialog.RemovePicked();
        EXPECT_EQ(dialog.GetEntries().size(), 3u);
        answer = PromptAnswer::Ok;
        dialog.RemovePicked();
        EXPECT_EQ(asked, (std::vector<std::string>{"您確定要移除作品展示: Show a2 ?",
                                                   "您確定要移除作品展示: Show a2 ?"}));
        ASSERT_EQ(dialog.GetEntries().size(), 2u);
        EXPECT_EQ(dialog.GetPicked(), 0);
    }
    CDesignManagerDlg again(nullptr, *document);
    ASSERT_EQ(again.GetEntries().size(), 2u);
    EXPECT_EQ(again.GetEntries()[1].designFile, Design("Show", "a3.dg6"));
}

TEST_F(DesignManagerDlgTest, LockedGroupKeepsItsDesignsAndTheLastRemovalPicksNothing) {
    CScopedPromptHandlers prompts([](const MessageRequest&) { return PromptAnswer::Ok; });
    CDesignManagerDlg dialog(nullptr, *document);
    dialog.SelectSource(1);
    ASSERT_EQ(dialog.GetEntries().size(), 1u);
    EXPECT_FALSE(dialog.CanRemovePicked());
    dialog.RemovePicked();
    EXPECT_EQ(dialog.GetEntries().size(), 1u);

    WriteGroup("MyDesign/S0_Show.ini", "Mine", 1, "m", 0);
    dialog.SelectSource(1);
    dialog.RemovePicked();
    EXPECT_TRUE(dialog.GetEntries().empty());
    EXPECT_EQ(dialog.GetPicked(), -1);
    EXPECT_FALSE(dialog.FindWindow(CDesignManagerDlg::kFileNameId)->IsShown());
}

// The picked design is handed to the caller; the document stays untitled
// until the caller's load succeeds.
TEST_F(DesignManagerDlgTest, ChoicesEndTheScreenAndLeaveTheDocumentUntitled) {
    struct Case {
        const char* name;
        std::function<void(CDesignManagerDlg&)> act;
        DesignManagerChoice choice;
        std::string designPath;
    };
    const Case cases[] = {
        {"new", [](CDesignManagerDlg& d) { Click(d, CDesignManagerDlg::kNewId); },
         DesignManagerChoice::NewDesign, ""},
        {"open", [](CDesignManagerDlg& d) { Click(d, CDesignManagerDlg::kOpenId); },
         DesignManagerChoice::OpenDialog, ""},
        {"picked",
         [](CDesignManagerDlg& d) {
             d.Pick(2);
             d.OpenPicked();
         },
         DesignManagerChoice::OpenPicked, Design("Show", "a3.dg6")},
        {"closed", [](CDesignManagerDlg&) {}, DesignManagerChoice::None, ""},
    };
    for (const Case& c : cases) {
        const DesignManagerResult result = RunWhileShown(*document, c.act);
        EXPECT_EQ(result.choice, c.choice) << c.name;
        EXPECT_EQ(result.designPath, c.designPath) << c.name;
        EXPECT_EQ(document->GetDesignPath(), "") << c.name;
        EXPECT_EQ(document->GetBusy(), 0) << c.name;
    }
}

TEST_F(DesignManagerDlgTest, LeavingNeedsTheUsersYes) {
    std::vector<MessageRequest> asked;
    PromptAnswer answer = PromptAnswer::Cancel;
    CScopedPromptHandlers prompts([&](const MessageRequest& request) {
        asked.push_back(request);
        return answer;
    });
    const DesignManagerResult result = RunWhileShown(*document, [&](CDesignManagerDlg& dialog) {
        Click(dialog, CDesignManagerDlg::kLeaveId);
        EXPECT_TRUE(dialog.IsModal());
        answer = PromptAnswer::Ok;
        Click(dialog, CDesignManagerDlg::kLeaveId);
    });
    EXPECT_EQ(result.choice, DesignManagerChoice::Leave);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, "是否要結束執行'Velmora'?");
    EXPECT_EQ(asked[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(asked[0].icon, PromptIcon::Question);
}

TEST_F(DesignManagerDlgTest, TheShownGroupIsRememberedInTheSettingsFile) {
    home.Write("Zadivav.ini", "[General]\r\n");
    {
        CDesignManagerDlg dialog(nullptr, *document);
        dialog.SelectGroup(1);
    }
    EXPECT_NE(home.Read("Zadivav.ini").find("[Theme]\r\nID=1\r\n"), std::string::npos);
}
