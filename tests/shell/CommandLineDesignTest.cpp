#include "shell/CommandLineDesign.h"

#include <gtest/gtest.h>
#include <wx/app.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "shell/HousApp.h"
#include "shell/MainFrame.h"
#include "support/LightGlyphs.h"
#include "support/TempFolder.h"
#include "view3d/HousView.h"

namespace {

constexpr const char* kProductTitle = "Velmora創業版";

// Runs the event loop until the condition holds or 20 seconds have passed.
bool RunUntil(wxWindow& window, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        window.Refresh();
        wxTheApp->Yield();
        wxTheApp->ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

// The frame goes with its document before the next one is made: there is
// one document in a run.
void CloseFrame(CMainFrame* frame) {
    frame->Destroy();
    wxTheApp->Yield();
    while (wxTheApp->Pending()) {
        wxTheApp->Dispatch();
    }
    wxTheApp->ProcessIdle();
}

class CommandLineDesignTest : public ::testing::Test {
protected:
    CommandLineDesignTest()
        : m_prompts(
              [this](const MessageRequest& request) {
                  messages.push_back(request.text);
                  return PromptAnswer::Ok;
              },
              [this](const FileNameRequest&) -> std::optional<std::string> { return design; }) {
        CopyLightGlyphs(home.Path());
    }

    TempFolder home;
    std::string design = (home.Path() / "house.dg6").string();
    std::vector<std::string> messages;

private:
    CScopedPromptHandlers m_prompts;
};

TEST_F(CommandLineDesignTest, DesignOpensWithItsCameraOnceTheViewHasSetItselfUp) {
    // A design saved through the 3D view of one run...
    CMainFrame* first = CHousApp::CreateMainWindow(home.Path());
    first->Show();
    CHousView* view = first->Get3DView();
    ASSERT_TRUE(RunUntil(*first, [view] { return view->GetEngine().GetDevice() != nullptr; }));
    view->SetCameraAngles(0.5, 0.25);
    view->SetCameraPosition(10.0f, 20.0f, -300.0f);
    view->SetWireframe(true);
    first->GetActiveChildDocument()->SetDesignModified(1);
    ASSERT_TRUE(view->SaveDesign(0));
    EXPECT_EQ(first->GetActiveChildDocument()->GetDesignPath(), design);
    EXPECT_EQ(first->GetActiveChildDocument()->GetDesignModified(), 0);
    CloseFrame(first);

    // ...is asked for before the next run's window is on screen, and opens
    // once its view is set up, with the camera it was saved with.
    CMainFrame* second = CHousApp::CreateMainWindow(home.Path());
    OpenDesignWhenShown(*second, design);
    second->Show();
    const std::string title = std::string(kProductTitle) + " - " + design;
    EXPECT_TRUE(RunUntil(*second, [&] { return second->GetTitle().utf8_string() == title; }));
    EXPECT_TRUE(messages.empty());
    view = second->Get3DView();
    const CameraPosition eye = view->GetCameraPosition();
    EXPECT_EQ(eye.x, 10.0f);
    EXPECT_EQ(eye.y, 20.0f);
    EXPECT_EQ(eye.z, -300.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(view->GetCameraHeading()), 0.5f);
    EXPECT_TRUE(view->IsWireframe());
    EXPECT_EQ(second->GetActiveChildDocument()->GetDesignPath(), design);
    EXPECT_EQ(second->GetActiveChildDocument()->GetDesignModified(), 0);
    CloseFrame(second);
}

TEST_F(CommandLineDesignTest, FileThatCannotBeOpenedIsNamedAndTheEmptyDesignStays) {
    CMainFrame* frame = CHousApp::CreateMainWindow(home.Path());
    OpenDesignWhenShown(*frame, design);
    frame->Show();
    ASSERT_TRUE(RunUntil(*frame, [&] { return !messages.empty(); }));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(design), std::string::npos) << messages[0];
    EXPECT_EQ(frame->GetTitle().utf8_string(), kProductTitle);
    EXPECT_EQ(frame->GetActiveChildDocument()->GetDesignPath(), "");
    EXPECT_NE(frame->Get3DView()->GetEngine().GetDevice(), nullptr);
    CloseFrame(frame);
}

}  // namespace
