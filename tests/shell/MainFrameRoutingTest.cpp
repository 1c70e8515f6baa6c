#include "shell/MainFrameRouting.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "library/ui/FurnitureBrowserDlg.h"
#include "library/ui/LibraryBrowsers.h"
#include "library/ui/PhotoBrowserDlg.h"
#include "library/ui/TextureBrowserDlg.h"
#include "shell/CommandIds.h"
#include "shell/HighCommandIds.h"
#include "shell/HousApp.h"
#include "shell/MainFrame.h"
#include "shell/MainFrameCommands.h"
#include "shell/MainFrameWindow.h"
#include "support/LightGlyphs.h"
#include "support/TempFolder.h"

namespace {

class FakeFrameWindow : public IMainFrameWindow {
public:
    void ArrangeBarsForShowMode() override {}
    void HoldRepaints(bool) override {}
    void ArrangeBarsForEditMode() override {}
    void StartTimer(int, int) override {}
    void StopTimer(int) override {}
    void SetHardwareAccelButton(int) override {}
    std::optional<OptionPageValues> GetOptionPageValues() const override { return std::nullopt; }
    void SetFrameTitle(std::string_view) override {}
    void Get3DViewClientSize(int& width, int& height) const override {
        width = 0;
        height = 0;
    }
    void Resize3DViewPaneBy(int, int) override {}
    void AddToRecentFileList(const std::string&) override {}
    void ShowMissingFiles() override {}
};

}  // namespace

// A plain frame with a few items of the menus: a plain item, check items, an
// item with no handler and one the application binds.
class MainFrameRoutingTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(folder.Path());
        document = std::make_unique<CHousDoc>(&window);
        commands.SetDocument(document.get());
        edit.SetDocument(document.get());
        frame = new wxFrame(nullptr, wxID_ANY, "routing");
        menu = new wxMenu;
        menu->Append(cmd::kFileSave, "save");
        menu->Append(cmd::kUndo, "undo");
        menu->AppendCheckItem(cmd::kSelectObjects, "select");
        menu->AppendCheckItem(cmd::kToggleSnap, "snap");
        menu->AppendCheckItem(cmd::kWallItemsMode, "doors");
        menu->Append(cmd::kMirrorTolerance, "tolerance");
        menu->Append(cmd::kAbout, "about");
        auto* bar = new wxMenuBar;
        bar->Append(menu, "edit");
        frame->SetMenuBar(bar);
        routing = std::make_unique<CMainFrameRouting>(*frame, commands, edit);
    }

    void TearDown() override {
        routing.reset();
        frame->Destroy();
        wxTheApp->Yield();
    }

    void Run(int command) {
        wxCommandEvent event(wxEVT_MENU, command);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
    }

    CAllowHighCommandIds highIds;
    TempFolder folder;
    FakeFrameWindow window;
    std::unique_ptr<CHousDoc> document;
    CMainFrameCommands commands{window};
    CMainFrameEditCommands edit;
    wxFrame* frame = nullptr;
    wxMenu* menu = nullptr;
    std::unique_ptr<CMainFrameRouting> routing;
    CScopedPromptHandlers prompts{[](const MessageRequest& request) {
        ADD_FAILURE() << request.text;
        return PromptAnswer::Ok;
    }};
};

TEST_F(MainFrameRoutingTest, MenuItemsFollowTheUpdateRules) {
    document->SetDesignModified(0);
    document->SetSnapToTolerance(1);
    frame->UpdateWindowUI();
    EXPECT_FALSE(menu->IsEnabled(cmd::kFileSave));
    EXPECT_FALSE(menu->IsEnabled(cmd::kUndo));
    EXPECT_TRUE(menu->IsEnabled(cmd::kSelectObjects));
    EXPECT_TRUE(menu->IsChecked(cmd::kSelectObjects));
    EXPECT_TRUE(menu->IsChecked(cmd::kToggleSnap));
    EXPECT_FALSE(menu->IsChecked(cmd::kWallItemsMode));
    // Nothing handles it in this program.
    EXPECT_FALSE(menu->IsEnabled(cmd::kMirrorTolerance));
    // The application's own command is left to it.
    EXPECT_TRUE(menu->IsEnabled(cmd::kAbout));
    EXPECT_FALSE(routing->GetRoutedCommands().contains(cmd::kAbout));

    document->SetEditMode(EditMode::kWallDrawing);
    document->SetDesignModified(1);
    frame->UpdateWindowUI();
    EXPECT_FALSE(menu->IsEnabled(cmd::kFileSave));
    EXPECT_FALSE(menu->IsEnabled(cmd::kSelectObjects));
    EXPECT_FALSE(menu->IsChecked(cmd::kSelectObjects));

    document->SetEditMode(EditMode::kNone);
    frame->UpdateWindowUI();
    EXPECT_TRUE(menu->IsEnabled(cmd::kFileSave));
}

TEST_F(MainFrameRoutingTest, MenuCommandsReachTheirHandlers) {
    Run(cmd::kWallItemsMode);
    EXPECT_EQ(document->GetEditMode(), EditMode::kDoorWindow);
    frame->UpdateWindowUI();
    EXPECT_TRUE(menu->IsChecked(cmd::kWallItemsMode));
    EXPECT_FALSE(menu->IsChecked(cmd::kSelectObjects));

    Run(cmd::kSelectObjects);
    EXPECT_EQ(document->GetEditMode(), EditMode::kNone);

    document->SetDesignModified(0);
    Run(cmd::kUndo);
    EXPECT_EQ(document->GetDesignModified(), 1);

    const int32_t snap = document->GetSnapToTolerance();
    Run(cmd::kToggleSnap);
    EXPECT_NE(document->GetSnapToTolerance(), snap);

    // The show-mode commands of the mode drop-down menus switch the mode.
    Run(cmd::kMenuShowMode);
    EXPECT_EQ(document->GetShowMode(), 1);
    Run(cmd::kMenuEditMode);
    EXPECT_EQ(document->GetShowMode(), 0);
}

TEST_F(MainFrameRoutingTest, LibraryCommandsOpenTheViewsBrowsersOnce) {
    // This program folder has no catalogue: the browsers say so and go on.
    std::vector<std::string> messages;
    CScopedPromptHandlers quiet([&](const MessageRequest& request) {
        messages.push_back(request.text);
        return PromptAnswer::Ok;
    });
    Run(cmd::kAddFurniture);
    CLibraryBrowsers browsers(*document, frame);
    Run(cmd::kAddFurniture);
    Run(cmd::kSetTexture);
    Run(cmd::kAddPicture);
    ASSERT_NE(browsers.GetFurnitureBrowser(), nullptr);
    ASSERT_NE(browsers.GetTextureBrowser(), nullptr);
    ASSERT_NE(browsers.GetPhotoBrowser(), nullptr);
    CFurnitureBrowserDlg* furniture = browsers.GetFurnitureBrowser();
    EXPECT_TRUE(furniture->IsShown());
    EXPECT_TRUE(browsers.GetPhotoBrowser()->IsShown());

    furniture->CloseBrowser();
    EXPECT_FALSE(furniture->IsShown());
    Run(cmd::kAddFurniture);
    EXPECT_EQ(browsers.GetFurnitureBrowser(), furniture);
    EXPECT_TRUE(furniture->IsShown());
    browsers.CloseAll();
    wxTheApp->Yield();
}

TEST(MainFrameRouting, MainFrameRoutesItsMenusAndKeepsTheShadowButtonOff) {
    TempFolder home;
    CopyLightGlyphs(home.Path());
    CScopedPromptHandlers prompts([](const MessageRequest& request) {
        ADD_FAILURE() << request.text;
        return PromptAnswer::Ok;
    });
    CMainFrame* frame = CHousApp::CreateMainWindow(home.Path());
    frame->Show();
    wxTheApp->Yield();
    CHousDoc* document = frame->GetActiveChildDocument();
    ASSERT_NE(document, nullptr);

    wxTheApp->ProcessIdle();
    EXPECT_FALSE(frame->GetBasicToolBar()->GetToolEnabled(cmd::kShadowReverseButton));
    EXPECT_TRUE(frame->GetBasicToolBar()->GetToolEnabled(cmd::kFileNew));

    // The menu's tools that the plan does not take yet stay disabled, as the
    // plan frame's buttons do; the outline tools are on.
    frame->GetMenuBar()->UpdateMenus();
    for (int command :
         {cmd::kDrawLine, cmd::kDrawArrow, cmd::kDrawArc, cmd::kDrawRectangle, cmd::kDrawCircle,
          cmd::kDrawCurve, cmd::kAddDimensionNote, cmd::kAddTextNote, cmd::kGrowStructureFromDxf}) {
        EXPECT_FALSE(frame->GetMenuBar()->IsEnabled(command)) << command;
    }
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(cmd::kAddWall));
    // The menu's wall command runs the plan frame's tool.
    wxCommandEvent wall(wxEVT_MENU, cmd::kAddWall);
    frame->ProcessWindowEvent(wall);
    EXPECT_EQ(document->GetEditMode(), EditMode::kWall);

    frame->Close(true);
    wxTheApp->Yield();
    while (wxTheApp->Pending()) {
        wxTheApp->Dispatch();
    }
}
