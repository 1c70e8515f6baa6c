#include "shell/MainFrame.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/panel.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/Prompt.h"
#include "shell/HousApp.h"
#include "shell/ToolBarDropDown.h"
#include "support/TempFolder.h"

TEST(MainFrame, ComesUpWithTitleStatusBarAndTheDocument) {
    TempFolder home;
    home.Write("zadivav.ini", "[I/O]\r\nAUTO_SAVE=1\r\n");
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

TEST(ToolBarDropDown, ButtonBecomesADropDownInItsPlace) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "tools");
    wxToolBar* toolBar = frame->CreateToolBar();
    const wxBitmap bitmap(16, 16);
    toolBar->AddTool(101, "a", bitmap, wxString::FromUTF8("新設計案"));
    toolBar->AddTool(102, "b", bitmap, wxString::FromUTF8("展示模式"));
    toolBar->AddTool(103, "c", bitmap);
    toolBar->Realize();

    SetToolBarButtonDropDown(*toolBar, 102);
    SetToolBarButtonDropDown(*toolBar, 999);

    ASSERT_NE(toolBar->FindById(102), nullptr);
    EXPECT_EQ(toolBar->FindById(102)->GetKind(), wxITEM_DROPDOWN);
    EXPECT_EQ(toolBar->GetToolPos(102), 1);
    EXPECT_EQ(toolBar->GetToolShortHelp(102).utf8_string(), "展示模式");
    EXPECT_EQ(toolBar->FindById(101)->GetKind(), wxITEM_NORMAL);
    EXPECT_EQ(toolBar->GetToolsCount(), 3u);
    frame->Destroy();
    wxTheApp->Yield();
}
