#include "shell/ApplicationCommands.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/menu.h>
#include <wx/stattext.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/HousDoc.h"
#include "foundation/ProductSite.h"
#include "foundation/Prompt.h"
#include "shell/AboutDlg.h"
#include "shell/CommandIds.h"
#include "shell/HousApp.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"
#include "shell/RecentFileMenuRule.h"
#include "support/TempFolder.h"

namespace {

void Settle() {
    wxTheApp->Yield();
    while (wxTheApp->Pending()) {
        wxTheApp->Dispatch();
    }
    wxTheApp->ProcessIdle();
}

class ApplicationCommandsTest : public ::testing::Test {
protected:
    ApplicationCommandsTest()
        : m_prompts([this](const MessageRequest& request) {
              messages.push_back(request.text);
              return PromptAnswer::Ok;
          }) {}
    ~ApplicationCommandsTest() override {
        if (frame != nullptr) {
            frame->Destroy();
            Settle();
        }
    }

    CApplicationCommands& Attach() {
        frame = CHousApp::CreateMainWindow(home.Path());
        auto list = std::make_unique<CRecentFileList>(home.Path() / "velmora.conf");
        return CApplicationCommands::Attach(*frame, std::move(list), home.Path() / "dsgtmp");
    }

    bool UpdateEnables(int id) {
        wxUpdateUIEvent event(id);
        event.SetEventObject(frame);
        frame->GetEventHandler()->ProcessEvent(event);
        return event.GetEnabled();
    }

    TempFolder home;
    std::vector<std::string> messages;
    CMainFrame* frame = nullptr;

private:
    CScopedPromptHandlers m_prompts;
};

TEST_F(ApplicationCommandsTest, AMissingRecentDesignIsNamedAndDropped) {
    CApplicationCommands& commands = Attach();
    CRecentFileList& list = *commands.GetRecentFiles();
    const std::string kept = home.Write("kept.dg6", "x").string();
    const std::string gone = (home.Path() / "gone.dg6").string();
    list.Add(kept);
    list.Add(gone);
    commands.OpenRecentFile(0);
    ASSERT_EQ(messages, std::vector<std::string>{"找不到 " + gone});
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetPath(0), kept);
}

TEST_F(ApplicationCommandsTest, TheFrameFeedsTheListAndUnpackedDesignsAreNeverListed) {
    CApplicationCommands& commands = Attach();
    CRecentFileList& list = *commands.GetRecentFiles();
    frame->AddToRecentFileList((home.Path() / "dsgtmp" / "unpacked.dg6").string());
    frame->AddToRecentFileList((home.Path() / "house.dg6").string());
    EXPECT_EQ(list.GetCount(), 2u);
    ASSERT_NE(frame->GetRecentFileMenu(), nullptr);
    EXPECT_EQ(frame->GetRecentFileMenu()->GetMenuItemCount(), 2u);
    EXPECT_TRUE(UpdateEnables(cmd::kFirstRecentFile));
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetPath(0), (home.Path() / "house.dg6").string());
    EXPECT_FALSE(UpdateEnables(cmd::kFirstRecentFile + 1));
    // A show in a mode that may not be left greys the designs.
    frame->GetActiveChildDocument()->SetShowMode(1);
    frame->GetActiveChildDocument()->SetEditMode(912);
    EXPECT_FALSE(UpdateEnables(cmd::kFirstRecentFile));
    EXPECT_FALSE(UpdateEnables(cmd::kPrintSetup));
}

TEST(RecentFileMenuRule, GreysInTheShowModesThatMayNotBeLeftAndWhileDrawing) {
    struct Case {
        int showMode, editMode;
        bool drawing, greyed;
    };
    for (const Case c :
         {Case{1, 912, false, true}, Case{1, 914, false, true}, Case{1, 911, true, false},
          Case{1, 915, false, false}, Case{0, 912, false, false}, Case{0, 1, true, true},
          Case{0, 1, false, false}}) {
        EXPECT_EQ(RecentFilesGreyed(c.showMode, c.editMode, c.drawing), c.greyed)
            << c.showMode << " " << c.editMode << " " << c.drawing;
    }
}

TEST_F(ApplicationCommandsTest, AboutNamesTheProgramAndOpensTheSiteOrSaysItCannot) {
    std::vector<std::string> opened;
    bool launches = true;
    CAboutDlg dialog(nullptr, [&](const std::string& address) {
        opened.push_back(address);
        return launches;
    });
    EXPECT_EQ(dialog.GetTitle().utf8_string(), "關於Velmora");
    bool titled = false;
    for (wxWindow* child : dialog.GetChildren()) {
        if (auto* text = dynamic_cast<wxStaticText*>(child)) {
            titled = titled || text->GetLabel().utf8_string() == MakeAboutTitle();
        }
    }
    EXPECT_TRUE(titled);
    EXPECT_NE(MakeAboutTitle().find(" (2012/02/24)"), std::string::npos);
    EXPECT_NE(dialog.FindWindow(CAboutDlg::kVisitSiteId), nullptr);
    dialog.VisitSite();
    EXPECT_TRUE(messages.empty());
    launches = false;
    dialog.VisitSite();
    EXPECT_EQ(messages, std::vector<std::string>{"無法開啟Velmora網站!"});
    EXPECT_EQ(opened, (std::vector<std::string>(2, std::string(kProductSiteAddress))));
}

}  // namespace
