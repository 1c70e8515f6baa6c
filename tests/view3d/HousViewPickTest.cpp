#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include "ShownViewFixture.h"
#include "document/DesignScene.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "support/TempFolder.h"
#include "view3d/HousView.h"

namespace {

// A shown 3D view whose camera stands at (0, 0, -500) looking along +z at a
// 100 cm model in front of a wide wall.
class HousViewPickTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(m_programFolder.Path());
        m_frame = new wxFrame(nullptr, wxID_ANY, "3D", wxDefaultPosition, wxSize(400, 300));
        m_view = new CHousView(m_frame, &m_doc);
        m_frame->Show();
        ASSERT_TRUE(WaitForViewDevice(*m_view));
        CDesignScene* scene = m_view->GetScene();
        m_wall = AddBox(*scene, kWallObjectType, {-2000, -2000, 300}, {2000, 2000, 320});
        m_model = AddBox(*scene, kModelObjectType, {-50, -50, -50}, {50, 50, 50});
        m_view->SetCameraPosition(0, 0, -500);
        m_view->SetCameraAngles(0, 0);
        m_view->UpdateCamera();
        m_view->RepaintNow();
        m_doc.SetDesignModified(0);
    }

    void TearDown() override {
        m_frame->Destroy();
        wxTheApp->Yield();
    }

    static CTest3DObject* AddBox(CDesignScene& scene, int type, const gfx::Vector3& min,
                                 const gfx::Vector3& max) {
        auto* object = new CTest3DObject(type);
        object->MakeBox(min, max, 1);
        object->UpdateWorldMatrix();
        scene.AddObjectIfAbsent(type, object);
        return object;
    }

    void Click(int x, int y, bool control = false) {
        for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
            wxMouseEvent event(type);
            event.SetPosition({x, y});
            event.m_leftDown = type == wxEVT_LEFT_DOWN;
            event.m_controlDown = control;
            event.SetEventObject(m_view);
            m_view->GetEventHandler()->ProcessEvent(event);
        }
    }

    void PressKey(int keyCode, bool shift = false) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = keyCode;
        event.m_shiftDown = shift;
        event.SetEventObject(m_view);
        m_view->GetEventHandler()->ProcessEvent(event);
    }

    [[nodiscard]] wxPoint Centre() const {
        const wxSize size = m_view->GetClientSize();
        return {size.x / 2, size.y / 2};
    }

    TempFolder m_programFolder;
    CHousDoc m_doc;
    wxFrame* m_frame = nullptr;
    CHousView* m_view = nullptr;
    CTest3DObject* m_wall = nullptr;
    CTest3DObject* m_model = nullptr;
};

TEST_F(HousViewPickTest, AClickSelectsTheModelOrTheWallUnderTheCursor) {
    CDesignScene& scene = *m_view->GetScene();
    Click(Centre().x, Centre().y);
    EXPECT_EQ(m_doc.GetPickedObject(CHousDoc::PickedKind::Model), m_model);
    ASSERT_EQ(scene.Selected(kModelObjectType).size(), 1u);
    EXPECT_EQ(scene.Selected(kModelObjectType)[0], m_model);
    EXPECT_EQ(m_model->IsSelected(), 1);

    // Beside the model only the wall is under the cursor.
    Click(5, Centre().y);
    EXPECT_EQ(m_view->GetPicked().object, m_wall);
    EXPECT_EQ(m_doc.GetPickedObject(CHousDoc::PickedKind::Wall), m_wall);
    EXPECT_TRUE(scene.Selected(kModelObjectType).empty());
    ASSERT_EQ(scene.Selected(kWallObjectType).size(), 1u);
    EXPECT_EQ(m_model->IsSelected(), 0);

    // Ctrl adds the model, and Ctrl on it again takes it out.
    Click(Centre().x, Centre().y, true);
    EXPECT_EQ(scene.Selected(kModelObjectType).size(), 1u);
    EXPECT_EQ(scene.Selected(kWallObjectType).size(), 1u);
    Click(Centre().x, Centre().y, true);
    EXPECT_TRUE(scene.Selected(kModelObjectType).empty());
    EXPECT_EQ(m_model->IsSelected(), 0);
    EXPECT_EQ(scene.Selected(kWallObjectType).size(), 1u);
}

TEST_F(HousViewPickTest, APickSetsTheEditModeAndDeleteAsksBeforeItTakesTheWall) {
    CDesignScene& scene = *m_view->GetScene();
    std::vector<std::string> asked;
    PromptAnswer answer = PromptAnswer::No;
    CScopedPromptHandlers prompts([&](const MessageRequest& request) {
        asked.push_back(request.text);
        return answer;
    });
    Click(5, Centre().y);
    EXPECT_EQ(m_doc.GetEditMode(), EditMode::kWallSelected);

    PressKey(WXK_DELETE);
    EXPECT_EQ(asked, std::vector<std::string>{"確定刪除牆?"});
    EXPECT_EQ(scene.Objects(kWallObjectType), std::vector<CDesignObject*>{m_wall});
    EXPECT_TRUE(m_doc.IsUndoEmpty());
    EXPECT_EQ(m_doc.GetDesignModified(), 0);

    // The context menu's command deletes the same way.
    Click(5, Centre().y);
    answer = PromptAnswer::Yes;
    m_view->RunViewCommand(context_menu::kDelete);
    EXPECT_TRUE(scene.Objects(kWallObjectType).empty());
    EXPECT_FALSE(m_doc.HasAnySelection());
    EXPECT_EQ(m_doc.GetEditMode(), EditMode::kNone);
    EXPECT_EQ(m_doc.GetDesignModified(), 1);
    EXPECT_EQ(m_doc.GetPickedObject(CHousDoc::PickedKind::Wall), nullptr);

    m_doc.Undo();
    EXPECT_EQ(scene.Objects(kWallObjectType), std::vector<CDesignObject*>{m_wall});
    Click(5, Centre().y);
    EXPECT_EQ(m_view->GetPicked().object, m_wall);
}

TEST_F(HousViewPickTest, ACameraMoveMarksTheDesignModified) {
    m_doc.SetWalkStep(5.0);
    PressKey(WXK_UP);
    EXPECT_EQ(m_doc.GetDesignModified(), 1);
    EXPECT_NEAR(m_view->GetCameraPosition().z, -495.0f, 1e-3);

    m_doc.SetDesignModified(0);
    PressKey(WXK_UP, true);
    EXPECT_NEAR(m_view->GetCameraPosition().z, -494.0f, 1e-3);
    EXPECT_EQ(m_doc.GetDesignModified(), 1);

    m_doc.SetDesignModified(0);
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = -120;
    wheel.SetEventObject(m_view);
    m_view->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_NEAR(m_view->GetCameraPosition().z, -499.0f, 1e-3);
    EXPECT_EQ(m_doc.GetDesignModified(), 1);

    // Nothing moves while input is blocked.
    m_doc.SetDesignModified(0);
    m_view->SetInputBlocked(true);
    PressKey(WXK_UP);
    EXPECT_EQ(m_doc.GetDesignModified(), 0);
    EXPECT_NEAR(m_view->GetCameraPosition().z, -499.0f, 1e-3);
}

}  // namespace
