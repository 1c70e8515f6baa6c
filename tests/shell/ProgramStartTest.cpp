#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/modalhook.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "platform/fs/UserEnvironment.h"
#include "platform/fs/UserFolders.h"
#include "shell/CommandIds.h"
#include "shell/DesignManagerDlg.h"
#include "shell/HousApp.h"
#include "shell/MainFrame.h"
#include "support/LightGlyphs.h"
#include "support/TempFolder.h"
#include "view3d/HousView.h"

namespace {

bool RunUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        for (wxWindow* window : wxTopLevelWindows) {
            window->Refresh();
        }
        wxTheApp->Yield();
        wxTheApp->ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

void Settle() {
    wxTheApp->Yield();
    while (wxTheApp->Pending()) {
        wxTheApp->Dispatch();
    }
    wxTheApp->ProcessIdle();
}

bool IsTopLevel(const wxWindow* window) {
    for (const wxWindow* top : wxTopLevelWindows) {
        if (top == window) {
            return true;
        }
    }
    return false;
}

// Answers the start-up design manager with a button, as the user would.
class DesignManagerAnswer : public wxModalDialogHook {
public:
    explicit DesignManagerAnswer(int buttonId) : m_buttonId(buttonId) { Register(); }
    ~DesignManagerAnswer() override { Unregister(); }

    int shown = 0;

protected:
    int Enter(wxDialog* dialog) override {
        if (dynamic_cast<CDesignManagerDlg*>(dialog) == nullptr) {
            ADD_FAILURE() << "an unexpected dialog was shown";
            return wxID_CANCEL;
        }
        ++shown;
        const int id = m_buttonId;
        dialog->CallAfter([dialog, id] {
            auto* button = wxDynamicCast(dialog->FindWindow(id), wxButton);
            ASSERT_NE(button, nullptr);
            wxCommandEvent event(wxEVT_BUTTON, id);
            event.SetEventObject(button);
            button->GetEventHandler()->ProcessEvent(event);
        });
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    int m_buttonId;
};

// A start with its own program, config and cache folders; every message is
// kept and every file dialog answered with design.
class ProgramStartTest : public ::testing::Test {
protected:
    ProgramStartTest()
        : m_prompts(
              [this](const MessageRequest& request) {
                  messages.push_back(request.text);
                  return PromptAnswer::Ok;
              },
              [this](const FileNameRequest&) -> std::optional<std::string> { return design; }) {
        setenv("XDG_CONFIG_HOME", (user.Path() / "config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (user.Path() / "cache").c_str(), 1);
        // The desktop association the start registers lands here too.
        setenv("XDG_DATA_HOME", (user.Path() / "data").c_str(), 1);
        CopyLightGlyphs(home.Path());
    }

    TempFolder home;
    TempFolder user;
    std::string design = (user.Path() / "walls.dg6").string();
    std::vector<std::string> messages;

private:
    CScopedPromptHandlers m_prompts;
};

TEST_F(ProgramStartTest, StartsWithTheDesignManagerComesBackToItAndQuitsWithoutAQuestion) {
    DesignManagerAnswer answer(CDesignManagerDlg::kNewId);
    CMainFrame* frame = CHousApp::StartProgram({home.Path().string(), std::nullopt});
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(RunUntil([&] { return answer.shown > 0; }));
    Settle();
    EXPECT_EQ(answer.shown, 1);
    // The first start made the folders the program works in and said so.
    EXPECT_TRUE(std::filesystem::is_directory(home.Path() / "MyDesign"));
    EXPECT_TRUE(std::filesystem::is_directory(home.Path() / "Show"));
    EXPECT_TRUE(std::filesystem::exists(home.Path() / "zadivav.ini"));
    ASSERT_NE(frame->GetStatusBar(), nullptr);
    EXPECT_NE(frame->GetStatusBar()->GetStatusText(0).utf8_string().find("MyDesign"),
              std::string::npos);
    // The menu's way back shows the manager again over the running program.
    for (const int id : {cmd::kBackToMainMenu, cmd::kMenuBackToMainMenu}) {
        wxCommandEvent back(wxEVT_MENU, id);
        frame->ProcessWindowEvent(back);
    }
    EXPECT_EQ(answer.shown, 3);
    EXPECT_TRUE(frame->Close());
    Settle();
    EXPECT_FALSE(IsTopLevel(frame));
    EXPECT_TRUE(messages.empty()) << messages.front();
}

TEST_F(ProgramStartTest, OpensTheDesignOfTheCommandLineWithoutTheDesignManager) {
    {
        CMainFrame* writer = CHousApp::CreateMainWindow(home.Path());
        writer->Show();
        CHousView* view = writer->Get3DView();
        ASSERT_TRUE(RunUntil([view] { return view->GetEngine().GetDevice() != nullptr; }));
        auto* wall = new CWallObject();
        wall->SetDevice(view->GetEngine().GetDevice());
        wall->SetOutline({{0, 0}, {0, 100}, {100, 100}, {100, 0}});
        ASSERT_NE(wall->BuildMesh(1, 250.0f), 0);
        wall->SetUniformScale(1.0f);
        wall->UpdatePlanOutline();
        view->GetScene()->AddObjectIfAbsent(kWallObjectType, wall);
        writer->GetActiveChildDocument()->SetDesignModified(1);
        ASSERT_TRUE(view->SaveDesign(0));
        writer->Destroy();
        Settle();
    }

    DesignManagerAnswer answer(CDesignManagerDlg::kLeaveId);
    CMainFrame* frame = CHousApp::StartProgram({home.Path().string(), design});
    ASSERT_NE(frame, nullptr);
    CHousView* view = frame->Get3DView();
    ASSERT_TRUE(RunUntil([&] { return view->GetScene()->Objects(kWallObjectType).size() == 1u; }));
    EXPECT_NE(frame->GetTitle().utf8_string().find("walls.dg6"), std::string::npos)
        << frame->GetTitle().utf8_string();
    EXPECT_EQ(answer.shown, 0);
    EXPECT_TRUE(messages.empty()) << messages.front();
    frame->Destroy();
    Settle();
}

TEST(ProgramFolder, DoesNotDependOnTheWorkingFolder) {
    TempFolder elsewhere;
    const pfs::UserEnvironment env = pfs::UserEnvironment::FromProcess();
    auto before = pfs::ResolveProgramFolder(std::nullopt, env);
    ASSERT_TRUE(before);
    const std::filesystem::path working = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    auto after = pfs::ResolveProgramFolder(std::nullopt, env);
    std::filesystem::current_path(working);
    ASSERT_TRUE(after);
    EXPECT_TRUE(before.Value().is_absolute());
    EXPECT_EQ(before.Value(), after.Value());
}

}  // namespace
