#include "shell/MainFrame.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/aui/framemanager.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include <chrono>

#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/Prompt.h"
#include "plan2d/H2DChild.h"
#include "shell/CommandIds.h"
#include "shell/HousApp.h"
#include "shell/MainToolBars.h"
#include "shell/WalkStepBar.h"
#include "support/LightGlyphs.h"
#include "support/TempFolder.h"

TEST(MainFrame, ComesUpWithTitleStatusBarAndTheDocument) {
    TempFolder home;
    home.Write("zadivav.ini", "[I/O]\r\nAUTO_SAVE=1\r\n");
    CopyLightGlyphs(home.Path());
    CScopedPromptHandlers prompts([](const MessageRequest& request) {
        ADD_FAILURE() << request.text;
        return PromptAnswer::Ok;
    });

    CMainFrame* frame = CHousApp::CreateMainWindow(home.Path());
    auto* panel = new wxPanel(frame);
    frame->Show();
    wxTheApp->Yield();

    EXPECT_EQ(frame->GetTitle().utf8_string(), "Velmora創業版");
    ASSERT_NE(frame->GetActiveChildDocument(), nullptr);
    EXPECT_EQ(GetActiveHousDoc(), frame->GetActiveChildDocument());
    // The document's auto-save timer runs on the frame.
    EXPECT_TRUE(frame->IsTimerRunning(2));

    wxStatusBar* statusBar = frame->GetStatusBar();
    ASSERT_NE(statusBar, nullptr);
    frame->SetStatusText(std::string("牆 1 已選取"));
    EXPECT_EQ(statusBar->GetStatusText(0).utf8_string(), "牆 1 已選取");

    frame->EnableInput(false);
    EXPECT_FALSE(panel->IsEnabled());
    EXPECT_TRUE(statusBar->IsEnabled());
    frame->EnableInput(true);
    EXPECT_TRUE(panel->IsEnabled());

    frame->GetActiveChildDocument()->SetDesignPath("/d/a.dg6");
    frame->SetFrameTitle(frame->GetActiveChildDocument()->GetDesignPath());
    EXPECT_EQ(frame->GetTitle().utf8_string(), "Velmora創業版 - /d/a.dg6");

    // Closing the window with an unmodified design ends the frame and its document.
    frame->Close();
    wxTheApp->Yield();
    while (wxTheApp->Pending()) {
        wxTheApp->Dispatch();
    }
    wxTheApp->ProcessIdle();
    EXPECT_EQ(GetActiveHousDoc(), nullptr);
}

namespace {

void DrainEvents() {
    wxTheApp->Yield();
    while (wxTheApp->Pending()) {
        wxTheApp->Dispatch();
    }
    wxTheApp->ProcessIdle();
}

// A shown main window with its document, closed at the end.
class MainFrameWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_prompts = std::make_unique<CScopedPromptHandlers>([](const MessageRequest& request) {
            ADD_FAILURE() << request.text;
            return PromptAnswer::Ok;
        });
        CopyLightGlyphs(m_home.Path());
        m_frame = CHousApp::CreateMainWindow(m_home.Path());
        m_frame->Show();
        DrainEvents();
    }
    void TearDown() override {
        m_frame->Close(true);
        DrainEvents();
    }

    TempFolder m_home;
    std::unique_ptr<CScopedPromptHandlers> m_prompts;
    CMainFrame* m_frame = nullptr;
};

}  // namespace

TEST_F(MainFrameWindowTest, MenuBarHasItsFiveMenusAndAnEmptyRecentFileMenu) {
    wxMenuBar* menuBar = m_frame->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    ASSERT_EQ(menuBar->GetMenuCount(), 5u);
    const char* labels[] = {"檔案", "編輯", "檢視", "模式", "說明"};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(menuBar->GetMenuLabelText(i).utf8_string().starts_with(labels[i])) << i;
    }
    ASSERT_NE(m_frame->GetRecentFileMenu(), nullptr);
    EXPECT_EQ(m_frame->GetRecentFileMenu()->GetMenuItemCount(), 0u);

    // Ctrl+N is a real key; the plain A of the fill modes stays with the views.
    wxMenuItem* newItem = menuBar->FindItem(cmd::kFileNew);
    ASSERT_NE(newItem, nullptr);
    std::unique_ptr<wxAcceleratorEntry> accel(newItem->GetAccel());
    ASSERT_NE(accel, nullptr);
    EXPECT_EQ(accel->GetKeyCode(), 'N');
    EXPECT_EQ(accel->GetFlags(), wxACCEL_CTRL);
    for (int id : {cmd::kViewSolid, cmd::kViewWireframe}) {
        wxMenuItem* item = menuBar->FindItem(id);
        ASSERT_NE(item, nullptr);
        std::unique_ptr<wxAcceleratorEntry> none(item->GetAccel());
        EXPECT_EQ(none, nullptr) << id;
    }
    EXPECT_EQ(menuBar->FindItem(31809)->GetItemLabel().utf8_string(), " 90%");

    // Toggles show their state; plain commands have no check mark.
    EXPECT_TRUE(menuBar->FindItem(cmd::kToggleSnap)->IsCheckable());
    EXPECT_TRUE(menuBar->FindItem(cmd::kMoveLock)->IsCheckable());
    EXPECT_FALSE(menuBar->FindItem(cmd::kFileSave)->IsCheckable());
}

TEST_F(MainFrameWindowTest, ToolBarsHaveTheirButtonsAndModeDropDowns) {
    wxAuiToolBar* play = m_frame->GetPlayToolBar();
    ASSERT_EQ(play->GetToolCount(), 2);
    EXPECT_EQ(play->FindToolByIndex(0)->GetId(), cmd::kViewPoints);
    EXPECT_EQ(play->FindToolByIndex(1)->GetId(), cmd::kEditModeButton);
    EXPECT_TRUE(play->GetToolDropDown(cmd::kEditModeButton));
    EXPECT_EQ(play->GetToolShortHelp(cmd::kEditModeButton).utf8_string(), "編輯模式");

    wxAuiToolBar* basic = m_frame->GetBasicToolBar();
    // 20 buttons and 7 separators, the show-mode button last.
    ASSERT_EQ(basic->GetToolCount(), 27);
    EXPECT_EQ(basic->FindToolByIndex(0)->GetId(), cmd::kFileNew);
    EXPECT_EQ(basic->FindToolByIndex(26)->GetId(), cmd::kShowModeButton);
    EXPECT_TRUE(basic->GetToolDropDown(cmd::kShowModeButton));
    EXPECT_EQ(basic->GetToolShortHelp(cmd::kMoveLock).utf8_string(),
              "牆、樑、柱、地板、天花板移動鎖定");
}

TEST_F(MainFrameWindowTest, PlanPaneIsCaptioned2DWindow) {
    wxAuiManager* aui = wxAuiManager::GetManager(m_frame->GetPlanFrame());
    ASSERT_NE(aui, nullptr);
    EXPECT_EQ(aui->GetPane(m_frame->GetPlanFrame()).caption.utf8_string(), "2D視窗");
}

TEST(ModeDropDownMenu, OffersTheOtherModeAndTheMainMenu) {
    struct Case {
        bool showMode;
        int modeId;
        const char* modeText;
    };
    for (const Case& c : {Case{false, cmd::kMenuShowMode, "展示模式"},
                          Case{true, cmd::kMenuEditMode, "編輯模式"}}) {
        std::unique_ptr<wxMenu> menu(CreateModeDropDownMenu(c.showMode));
        ASSERT_EQ(menu->GetMenuItemCount(), 2u);
        EXPECT_EQ(menu->FindItemByPosition(0)->GetId(), c.modeId);
        EXPECT_EQ(menu->FindItemByPosition(0)->GetItemLabel().utf8_string(), c.modeText);
        EXPECT_EQ(menu->FindItemByPosition(1)->GetId(), cmd::kMenuBackToMainMenu);
        EXPECT_EQ(menu->FindItemByPosition(1)->GetItemLabel().utf8_string(), "回主選單");
    }
}

TEST_F(MainFrameWindowTest, ShowModeLayoutSwapsTheToolBarsAndKeepsThe3DSize) {
    EXPECT_TRUE(m_frame->IsBarShown(m_frame->GetBasicToolBar()));
    EXPECT_FALSE(m_frame->IsBarShown(m_frame->GetPlayToolBar()));
    int width = 0;
    int height = 0;
    m_frame->Get3DViewSize(width, height);
    ASSERT_GT(width, 0);

    m_frame->ArrangeBarsForShowMode();
    m_frame->Resize3DViewFrame(width, height);
    DrainEvents();
    EXPECT_FALSE(m_frame->IsBarShown(m_frame->GetBasicToolBar()));
    EXPECT_TRUE(m_frame->IsBarShown(m_frame->GetPlayToolBar()));
    EXPECT_TRUE(m_frame->IsBarShown(m_frame->GetWalkStepBar()));
    EXPECT_TRUE(m_frame->GetStatusBar()->IsShown());
    int showWidth = 0;
    int showHeight = 0;
    m_frame->Get3DViewSize(showWidth, showHeight);
    EXPECT_EQ(showWidth, width);
    EXPECT_EQ(showHeight, height);

    m_frame->ArrangeBarsForEditMode();
    m_frame->Resize3DViewFrame(width, height);
    DrainEvents();
    EXPECT_TRUE(m_frame->IsBarShown(m_frame->GetBasicToolBar()));
    EXPECT_FALSE(m_frame->IsBarShown(m_frame->GetPlayToolBar()));
    int editWidth = 0;
    int editHeight = 0;
    m_frame->Get3DViewSize(editWidth, editHeight);
    EXPECT_EQ(editWidth, width);
    EXPECT_EQ(editHeight, height);

    m_frame->HideAllBars();
    EXPECT_FALSE(m_frame->IsBarShown(m_frame->GetBasicToolBar()));
    EXPECT_FALSE(m_frame->IsBarShown(m_frame->GetPlayToolBar()));
    EXPECT_FALSE(m_frame->IsBarShown(m_frame->GetWalkStepBar()));
}

TEST_F(MainFrameWindowTest, Resize3DViewFrameGivesTheViewTheAskedSize) {
    int width = 0;
    int height = 0;
    m_frame->Get3DViewSize(width, height);
    for (const wxSize wanted :
         {wxSize(width - 120, height - 60), wxSize(width + 80, height + 40)}) {
        m_frame->Resize3DViewFrame(wanted.x, wanted.y);
        // The X server answers a resize of the frame in its own time.
        int newWidth = 0;
        int newHeight = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        do {
            DrainEvents();
            m_frame->Get3DViewSize(newWidth, newHeight);
        } while (wxSize(newWidth, newHeight) != wanted &&
                 std::chrono::steady_clock::now() < deadline);
        EXPECT_EQ(newWidth, wanted.x);
        EXPECT_EQ(newHeight, wanted.y);
    }
}

TEST_F(MainFrameWindowTest, StatusTextAndWalkStepBarStartValues) {
    m_frame->SetStatusText(std::string("請點選牆的起點"));
    EXPECT_EQ(m_frame->GetStatusText(), "請點選牆的起點");
    EXPECT_EQ(m_frame->GetStatusBar()->GetFieldsCount(), 4);

    CWalkStepBar* bar = m_frame->GetWalkStepBar();
    wxChoice* speeds = bar->GetSpeedCombo();
    ASSERT_EQ(speeds->GetCount(), 3u);
    EXPECT_EQ(speeds->GetSelection(), 0);
    EXPECT_EQ(speeds->GetString(0).utf8_string(), "一般");
    auto* step = dynamic_cast<wxTextCtrl*>(bar->FindWindow(CWalkStepBar::kStepEdit));
    auto* turn = dynamic_cast<wxTextCtrl*>(bar->FindWindow(CWalkStepBar::kTurnEdit));
    ASSERT_NE(step, nullptr);
    ASSERT_NE(turn, nullptr);
    EXPECT_EQ(step->GetValue(), "30");
    EXPECT_EQ(turn->GetValue(), "15");
    // Nothing takes the bar's walk settings yet, so none can be changed.
    for (int id : {CWalkStepBar::kSpeedCombo, CWalkStepBar::kStepEdit, CWalkStepBar::kTurnEdit,
                   CWalkStepBar::kApplyButton}) {
        EXPECT_FALSE(bar->FindWindow(id)->IsEnabled()) << id;
    }

    wxWindow* accel = bar->FindWindow(cmd::kHardwareAccel);
    ASSERT_NE(accel, nullptr);
    accel->Show();
    m_frame->SetHardwareAccelButton(0);
    EXPECT_FALSE(accel->IsShown());
}

TEST_F(MainFrameWindowTest, AMaximisedFrameShowsTheWholeStatusLine) {
    m_frame->Maximize();
    DrainEvents();
    const std::string text = "(120, 45)-(300, 45)長度180公分 請點選牆的起點";
    m_frame->SetStatusText(text);
    wxStatusBar* statusBar = m_frame->GetStatusBar();
    wxRect field;
    ASSERT_TRUE(statusBar->GetFieldRect(0, field));
    EXPECT_GE(field.height, statusBar->GetTextExtent(wxString::FromUTF8(text)).y);
    // The bar lies wholly inside the frame, below everything else.
    EXPECT_LE(statusBar->GetScreenRect().GetBottom(), m_frame->GetScreenRect().GetBottom());
    EXPECT_GE(statusBar->GetScreenRect().GetTop(),
              m_frame->ClientToScreen(wxPoint(0, m_frame->GetClientSize().y)).y);
}
