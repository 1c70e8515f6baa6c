#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "objects/ModelObject.h"
#include "objects/ModelObjectTestPackage.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "shell/CommandIds.h"
#include "shell/HousApp.h"
#include "shell/MainFrame.h"
#include "support/LightGlyphs.h"
#include "support/TempFolder.h"
#include "view3d/ContextMenuTable.h"
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

// The key goes through the display server to the focused 3D view, as a
// person's does.
void PressKey(int keyCode, int modifiers) {
    wxUIActionSimulator keyboard;
    keyboard.Char(keyCode, modifiers);
    DrainEvents();
}

// The running program over a fresh program folder, with its 3D device and
// a new design.
class MainFrameViewCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_prompts = std::make_unique<CScopedPromptHandlers>([this](const MessageRequest& request) {
            messages.push_back(request.text);
            return PromptAnswer::Ok;
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
        messages.clear();
    }
    void TearDown() override {
        doc->SetDesignModified(0);
        frame->Close(true);
        DrainEvents();
    }

    CDesignScene& Scene() { return *view->GetScene(); }
    std::size_t Count(int type) { return Scene().Objects(type).size(); }

    CModelObject* AddModel(float x, float z) {
        const std::filesystem::path package = m_home.Path() / "box.qvx";
        std::ofstream(package, std::ios::binary) << model_test::MakePackage({});
        auto* model = new CModelObject();
        model->SetDevice(view->GetEngine().GetDevice());
        EXPECT_EQ(model->LoadModelFile(package.string()), S_OK);
        model->SetNumber(static_cast<int>(Scene().NextObjectId()));
        model->SetPosition(x, 0.0f, z);
        Scene().AddObjectIfAbsent(kModelObjectType, model);
        return model;
    }

    // A wall across the camera's view, its front face at z = 0.
    CWallObject* AddWall() {
        IPlanFrame* bar = doc->Get2DFrame();
        bar->SetWallBarText(IPlanFrame::kWallTopEdit, "260");
        bar->SetWallBarText(IPlanFrame::kWallBottomEdit, "0");
        bar->SetWallBarText(IPlanFrame::kWallThicknessEdit, "15");
        doc->ApplyWallBarFields();
        return Scene().AddWallFromOutline({{-200, 0}, {200, 0}, {200, -15}, {-200, -15}});
    }

    // The view's own menu command, as its context menu sends it.
    void RunViewCommand(int command) {
        view->RunViewCommand(command);
        DrainEvents();
    }
    void RunFrameCommand(int command) {
        wxCommandEvent event(wxEVT_MENU, command);
        frame->GetEventHandler()->ProcessEvent(event);
        DrainEvents();
    }

    bool Offers(int command) {
        const std::vector<context_menu::MenuItem> items = view->GetContextMenuItems();
        return std::any_of(items.begin(), items.end(),
                           [command](const auto& item) { return item.command == command; });
    }

    TempFolder m_home;
    std::unique_ptr<CScopedPromptHandlers> m_prompts;
    std::vector<std::string> messages;
    CMainFrame* frame = nullptr;
    CHousView* view = nullptr;
    CHousDoc* doc = nullptr;
};

}  // namespace

TEST_F(MainFrameViewCommandsTest, CtrlCThenCtrlVTwicePastesStepByStepAndUndoTakesOnePaste) {
    CModelObject* model = AddModel(100.0f, 300.0f);
    Scene().SelectObject(kModelObjectType, model);
    view->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return wxWindow::FindFocus() == view; }));

    PressKey('C', wxMOD_CONTROL);
    PressKey('V', wxMOD_CONTROL);
    PressKey('V', wxMOD_CONTROL);
    ASSERT_EQ(Count(kModelObjectType), 3u);
    const auto& models = Scene().Objects(kModelObjectType);
    for (std::size_t paste = 1; paste <= 2; ++paste) {
        const gfx::Vector3 at = static_cast<C3DObject*>(models[paste])->GetPosition();
        EXPECT_EQ(at.x, 100.0f + 20.0f * paste);
        EXPECT_EQ(at.z, 300.0f - 20.0f * paste);
    }
    EXPECT_EQ(doc->GetDesignModified(), 1);

    PressKey('Z', wxMOD_CONTROL);
    EXPECT_EQ(Count(kModelObjectType), 2u);
    PressKey('Z', wxMOD_CONTROL);
    EXPECT_EQ(Count(kModelObjectType), 1u);
}

TEST_F(MainFrameViewCommandsTest, WallMenuMirrorsShadowsHidesAndShowsAll) {
    CWallObject* wall = AddWall();
    ASSERT_NE(wall, nullptr);
    view->SetCameraPosition(0.0f, 130.0f, -600.0f);
    view->SetCameraAngles(0.0, 0.0);
    view->UpdateCamera();
    view->RepaintNow();
    const POINT front = view->ProjectToWindow(0.0f, 130.0f, 0.0f);
    ASSERT_EQ(view->PickAndSelect(front.x, front.y, 0).object, wall);
    for (const int command :
         {context_menu::kShowMirrorImages, context_menu::kShowShadow, context_menu::kMirrorSurface,
          context_menu::kHide, context_menu::kShowAll, context_menu::kCopy}) {
        EXPECT_TRUE(Offers(command)) << command;
    }
    EXPECT_FALSE(Offers(context_menu::kAddAnotherWall));

    RunViewCommand(context_menu::kShowMirrorImages);
    EXPECT_EQ(wall->GetMirrorImages(), 1);
    RunViewCommand(context_menu::kShowShadow);
    EXPECT_EQ(wall->GetShadow(), 1);
    EXPECT_FALSE(wall->GetShadowLights().empty());
    RunViewCommand(context_menu::kMirrorSurface);
    EXPECT_EQ(wall->IsMirror(), 1);
    EXPECT_TRUE(wall->IsTranslucent() != 0);

    // Mirror surface, shadows and mirror images go back one step each.
    for (int step = 0; step < 3; ++step) {
        RunFrameCommand(cmd::kUndo);
    }
    EXPECT_EQ(wall->IsMirror(), 0);
    EXPECT_EQ(wall->GetShadow(), 0);
    EXPECT_TRUE(wall->GetShadowLights().empty());
    EXPECT_EQ(wall->GetMirrorImages(), 0);

    Scene().SelectObject(kWallObjectType, wall);
    RunViewCommand(context_menu::kHide);
    EXPECT_EQ(wall->IsHidden(), 1);
    EXPECT_TRUE(Offers(context_menu::kShowAll));
    RunViewCommand(context_menu::kShowAll);
    EXPECT_EQ(wall->IsHidden(), 0);
}

TEST_F(MainFrameViewCommandsTest, AddingALightAndA3DTextFromTheMenus) {
    const std::size_t lights = Count(kLightObjectType);
    RunFrameCommand(cmd::kAddLight);
    ASSERT_EQ(Count(kLightObjectType), lights + 1);
    // The camera has not moved: the place is taken.
    RunFrameCommand(cmd::kAddLight);
    EXPECT_EQ(Count(kLightObjectType), lights + 1);
    EXPECT_EQ(messages, std::vector<std::string>{"相同位置已有物件"});

    RunFrameCommand(cmd::kAddText3D);
    ASSERT_EQ(Count(kText3DObjectType), 1u);
    const auto* text = static_cast<C3DObject*>(Scene().Objects(kText3DObjectType).front());
    EXPECT_NE(text->GetMesh(), nullptr);
    EXPECT_EQ(text->GetScale()[0], 50.0f);

    RunFrameCommand(cmd::kUndo);
    EXPECT_EQ(Count(kText3DObjectType), 0u);
}
