#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/uiaction.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/OperationProgress.h"
#include "foundation/Prompt.h"
#include "library/ui/FurnitureBrowserDlg.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "plan2d/H2DChild.h"
#include "shell/CommandIds.h"
#include "shell/HousApp.h"
#include "shell/MainFrame.h"
#include "shell/ProgressDlg.h"
#include "shell/ProgressWindow.h"
#include "support/LightGlyphs.h"
#include "support/TempFolder.h"
#include "view3d/HousView.h"

namespace {

constexpr auto kPatience = std::chrono::seconds(10);

void DrainEvents() {
    wxTheApp->Yield();
    while (wxTheApp->Pending()) {
        wxTheApp->Dispatch();
    }
    wxTheApp->ProcessIdle();
}

// Lets the program handle its events until the condition holds or the
// patience runs out; the condition's last value.
bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        DrainEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Gives the window the keyboard focus as a click would: its top-level
// window comes to the front first.
bool FocusWindow(wxWindow& window) {
    wxGetTopLevelParent(&window)->Raise();
    window.SetFocus();
    return WaitFor([&] { return wxWindow::FindFocus() == &window; });
}

// The pressed key goes through the display server, as a person's does.
void PressKey(int keyCode, int modifiers = wxMOD_NONE) {
    wxUIActionSimulator keyboard;
    keyboard.Char(keyCode, modifiers);
    DrainEvents();
}

// The running program over a fresh program folder, with its 3D device.
class MainFrameInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_prompts = std::make_unique<CScopedPromptHandlers>([this](const MessageRequest& request) {
            messages.push_back(request.text);
            return answer;
        });
        CopyLightGlyphs(m_home.Path());
        frame = CHousApp::CreateMainWindow(m_home.Path());
        frame->Show();
        view = frame->Get3DView();
        doc = frame->GetActiveChildDocument();
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(WaitFor([&] {
            view->Refresh();
            return view->GetEngine().GetDevice() != nullptr;
        }));
        frame->NewDesign();
        DrainEvents();
    }
    void TearDown() override {
        doc->SetDesignModified(0);
        frame->Close(true);
        DrainEvents();
    }

    CDesignScene& Scene() { return *view->GetScene(); }
    std::string Path(const char* name) const { return (m_home.Path() / name).string(); }

    TempFolder m_home;
    std::unique_ptr<CScopedPromptHandlers> m_prompts;
    std::vector<std::string> messages;
    PromptAnswer answer = PromptAnswer::Ok;
    CMainFrame* frame = nullptr;
    CHousView* view = nullptr;
    CHousDoc* doc = nullptr;
};

}  // namespace

TEST_F(MainFrameInputTest, ArrowKeysKeepWalkingTheCameraAndTheFocusStaysInThe3DView) {
    ASSERT_TRUE(FocusWindow(*view));
    for (int press = 1; press <= 6; ++press) {
        SCOPED_TRACE(press);
        const CameraPosition before = view->GetCameraPosition();
        const double heading = view->GetCameraHeading();
        PressKey(press % 2 == 0 ? WXK_UP : WXK_LEFT);
        const CameraPosition after = view->GetCameraPosition();
        EXPECT_TRUE(after.x != before.x || after.z != before.z ||
                    view->GetCameraHeading() != heading);
        EXPECT_EQ(wxWindow::FindFocus(), view);
    }
}

TEST_F(MainFrameInputTest, TheFramesKeysWorkFromALibraryBrowser) {
    // A light moved as the 3D view moves a selection: one step to undo.
    CDesignObject* light = Scene().GetObjectList(kLightObjectType).front();
    auto* solid = static_cast<C3DObject*>(light);
    const gfx::Vector3 start = solid->GetPosition();
    Scene().SelectObject(kLightObjectType, light);
    constexpr int kPlacementSnapshots = 3;
    doc->BeginUndoGroup();
    doc->BeginEditSnapshot(kPlacementSnapshots);
    Scene().TransformSelected3DObjects({50.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    doc->EndEditSnapshot(kPlacementSnapshots);
    doc->EndUndoGroup();
    ASSERT_NE(solid->GetPosition().x, start.x);

    // No catalogue in this folder: the browser says so and opens empty.
    wxCommandEvent open(wxEVT_MENU, cmd::kAddFurniture);
    frame->GetEventHandler()->ProcessEvent(open);
    CFurnitureBrowserDlg* browser = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* found = dynamic_cast<CFurnitureBrowserDlg*>(window)) {
            browser = found;
        }
    }
    ASSERT_NE(browser, nullptr);
    wxWindow* inBrowser = browser;
    for (wxWindow* child : browser->GetChildren()) {
        if (child->IsShown() && child->IsEnabled() && child->AcceptsFocus()) {
            inBrowser = child;
            break;
        }
    }
    ASSERT_TRUE(FocusWindow(*inBrowser));

    PressKey('Z', wxMOD_CONTROL);
    EXPECT_EQ(solid->GetPosition().x, start.x);
    PressKey('Y', wxMOD_CONTROL);
    EXPECT_NE(solid->GetPosition().x, start.x);
    EXPECT_TRUE(browser->IsShown());
}

TEST_F(MainFrameInputTest, AnAbortConfirmedInTheProgressWindowLeavesTheOpenDesign) {
    const std::string other = Path("other.dg6");
    const std::string house = Path("house.dg6");
    CScopedPromptHandlers files(
        [this](const MessageRequest& request) {
            messages.push_back(request.text);
            return request.text == "是否確定中斷?" ? PromptAnswer::Yes : answer;
        },
        [&](const FileNameRequest&) { return std::optional<std::string>(other); });
    doc->SetDesignModified(1);
    wxCommandEvent saveAs(wxEVT_MENU, cmd::kFileSaveAs);
    frame->GetEventHandler()->ProcessEvent(saveAs);
    ASSERT_EQ(doc->GetDesignPath(), other);
    const std::vector<CDesignObject*> lights = Scene().GetObjectList(kLightObjectType);
    std::filesystem::copy_file(other, house);

    // The real progress window; its abort button is pressed as soon as it
    // shows, and the question is answered Yes.
    std::vector<std::string> windows;
    CScopedProgressWindowFactory progress([&](const ProgressRequest& request) {
        windows.push_back(request.text);
        std::unique_ptr<IOperationProgress> window = OpenProgressDialog(request);
        if (request.abortButton) {
            wxWindow* button = nullptr;
            for (wxWindow* shown : wxTopLevelWindows) {
                if (auto* dialog = dynamic_cast<CProgressDlg*>(shown)) {
                    button = dialog->FindWindow(CProgressDlg::kAbortId);
                }
            }
            EXPECT_NE(button, nullptr);
            EXPECT_FALSE(frame->IsEnabled());
            if (button != nullptr) {
                auto* click = new wxCommandEvent(wxEVT_BUTTON, CProgressDlg::kAbortId);
                click->SetEventObject(button);
                button->GetEventHandler()->QueueEvent(click);
            }
        }
        return window;
    });
    messages.clear();
    EXPECT_FALSE(view->LoadDesign(house, false));
    EXPECT_EQ(windows, std::vector<std::string>{"讀取光源資料..."});
    EXPECT_EQ(messages, std::vector<std::string>{"是否確定中斷?"});
    EXPECT_EQ(doc->GetDesignPath(), other);
    EXPECT_EQ(Scene().GetObjectList(kLightObjectType), lights);
    EXPECT_EQ(doc->GetAbort(), 0);
    EXPECT_TRUE(frame->IsEnabled());
}

TEST_F(MainFrameInputTest, NewDesignResetsTheCameraAndThePlanZoom) {
    const CameraPosition start = view->GetCameraPosition();
    view->SetCameraPosition(start.x + 500.0f, start.y + 100.0f, start.z - 300.0f);
    view->SetCameraAngles(1.0, 0.2);
    IPlanFrame* plan = doc->Get2DFrame();
    ASSERT_NE(plan, nullptr);
    plan->SetZoomLevel(5);
    ASSERT_EQ(plan->GetZoomSelection(), 5);

    doc->SetDesignModified(0);
    frame->NewDesign();
    const CameraPosition reset = view->GetCameraPosition();
    EXPECT_EQ(reset.x, start.x);
    EXPECT_EQ(reset.y, start.y);
    EXPECT_EQ(reset.z, start.z);
    EXPECT_NE(view->GetCameraHeading(), 1.0);
    EXPECT_EQ(plan->GetZoomSelection(), 23);  // 100 %
}

namespace {

// Counts the paints of one top-level window and of everything inside it.
class PaintCounter : public wxEventFilter {
public:
    explicit PaintCounter(wxWindow& topLevel) : m_topLevel(topLevel) {
        wxEvtHandler::AddFilter(this);
    }
    ~PaintCounter() override { wxEvtHandler::RemoveFilter(this); }

    int FilterEvent(wxEvent& event) override {
        auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
        if (event.GetEventType() == wxEVT_PAINT && window != nullptr &&
            wxGetTopLevelParent(window) == &m_topLevel) {
            ++all;
            if (window == &m_topLevel) {
                ++ofTopLevel;
            }
        }
        return Event_Skip;
    }

    int all = 0;
    int ofTopLevel = 0;

private:
    wxWindow& m_topLevel;
};

}  // namespace

// A load changes the scene, the bars and the panes step by step, and each
// progress window locks and frees the frame; the frame paints once the
// design is in, and then stays still.
TEST_F(MainFrameInputTest, OpeningADesignPaintsTheFrameWhenTheDesignIsIn) {
    const std::string house = Path("house.dg6");
    CScopedPromptHandlers files(
        [this](const MessageRequest&) { return answer; },
        [&](const FileNameRequest&) { return std::optional<std::string>(house); });
    wxCommandEvent saveAs(wxEVT_MENU, cmd::kFileSaveAs);
    frame->GetEventHandler()->ProcessEvent(saveAs);
    ASSERT_EQ(doc->GetDesignPath(), house);
    frame->NewDesign();
    DrainEvents();

    PaintCounter paints(*frame);
    std::vector<int> paintsAtEachWindow;
    CScopedProgressWindowFactory progress([&](const ProgressRequest& request) {
        paintsAtEachWindow.push_back(paints.all);
        return OpenProgressDialog(request);
    });
    ASSERT_TRUE(frame->GetCommands().LoadChosenDesign(house));
    ASSERT_FALSE(paintsAtEachWindow.empty());
    EXPECT_EQ(paints.all, 0);

    const auto settled = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
    while (std::chrono::steady_clock::now() < settled) {
        DrainEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GT(paints.ofTopLevel, 0);
    EXPECT_LE(paints.ofTopLevel, 3);
}

// A wall drawn in the plan, clicked in the 3D view and deleted with the key:
// No keeps it, Yes takes it, and one Ctrl+Z brings it back.
TEST_F(MainFrameInputTest, DeleteKeyAsksThenTakesTheClickedWallAndCtrlZBringsItBack) {
    IPlanFrame* plan = doc->Get2DFrame();
    ASSERT_NE(plan, nullptr);
    plan->SetWallBarText(IPlanFrame::kWallTopEdit, "260");
    plan->SetWallBarText(IPlanFrame::kWallBottomEdit, "0");
    plan->SetWallBarText(IPlanFrame::kWallThicknessEdit, "15");
    CWallObject* wall = Scene().AddWallFromOutline(
        {{-2000.0, 300.0}, {-2000.0, 315.0}, {2000.0, 315.0}, {2000.0, 300.0}});
    ASSERT_NE(wall, nullptr);
    doc->ClearHistoryList(0);
    view->SetCameraPosition(0.0f, 150.0f, -500.0f);
    view->SetCameraAngles(0.0, 0.0);
    view->UpdateCamera();
    view->RepaintNow();
    DrainEvents();

    const wxSize size = view->GetClientSize();
    for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
        wxMouseEvent click(type);
        click.SetPosition({size.x / 2, size.y / 2});
        click.m_leftDown = type == wxEVT_LEFT_DOWN;
        click.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(click);
    }
    ASSERT_EQ(Scene().Selected(kWallObjectType), std::vector<CDesignObject*>{wall});
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWallSelected);

    const auto walls = [this] { return Scene().GetObjectList(kWallObjectType).size(); };
    ASSERT_TRUE(FocusWindow(*view));
    answer = PromptAnswer::No;
    messages.clear();
    PressKey(WXK_DELETE);
    EXPECT_EQ(messages, std::vector<std::string>{"確定刪除牆?"});
    EXPECT_EQ(walls(), 1u);
    EXPECT_TRUE(doc->IsUndoEmpty());

    Scene().SelectObject(kWallObjectType, wall);
    answer = PromptAnswer::Yes;
    ASSERT_TRUE(FocusWindow(*view));
    PressKey(WXK_DELETE);
    EXPECT_EQ(walls(), 0u);
    PressKey('Z', wxMOD_CONTROL);
    EXPECT_EQ(Scene().GetObjectList(kWallObjectType), std::vector<CDesignObject*>{wall});
}
