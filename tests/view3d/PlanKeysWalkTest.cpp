#include <gtest/gtest.h>
#include <wx/app.h>

#include "../plan2d/PlanWindow.h"
#include "ShownViewFixture.h"
#include "document/EditMode.h"

namespace {

// The real plan beside the real 3D view, on one document.
class PlanKeysWalkTest : public ShownViewTest {
protected:
    void SetUp() override {
        ShownViewTest::SetUp();
        plan.Open(m_doc);
        plan.view->OnInitialUpdate();
        m_view->RepaintNow();
    }
    void TearDown() override {
        plan.Close();
        ShownViewTest::TearDown();
    }

    // True when the plan took the key.
    bool PlanKey(int keyCode) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = keyCode;
        event.SetEventObject(plan.view);
        return plan.view->GetEventHandler()->ProcessEvent(event);
    }

    PlanWindow plan;
};

TEST_F(PlanKeysWalkTest, ArrowKeysInAnIdlePlanWalkTheCameraEveryTime) {
    m_doc.SetWalkStep(5.0);
    m_doc.SetEditModeAndRefresh(EditMode::kNone);
    m_doc.SetDesignModified(0);
    for (int step = 1; step <= 6; ++step) {
        EXPECT_TRUE(PlanKey(WXK_UP));
        EXPECT_NEAR(m_view->GetCameraPosition().z, -500.0f + 5.0f * static_cast<float>(step), 1e-3);
    }
    EXPECT_EQ(m_doc.GetDesignModified(), 1);
    const double heading = m_view->GetCameraHeading();
    EXPECT_TRUE(PlanKey(WXK_RIGHT));
    EXPECT_GT(m_view->GetCameraHeading(), heading);
    // The plan's camera marker follows the camera.
    EXPECT_NEAR(m_doc.GetCameraPlanPose().z, m_view->GetCameraPosition().z, 1e-3);

    // While a tool waits for its first point the keys stay in the plan.
    m_doc.SetEditModeAndRefresh(EditMode::kWall);
    const float z = m_view->GetCameraPosition().z;
    EXPECT_FALSE(PlanKey(WXK_UP));
    EXPECT_EQ(m_view->GetCameraPosition().z, z);
}

}  // namespace
