#include <gtest/gtest.h>
#include <wx/event.h>

#include <vector>

#include "RecordingBrowsers.h"
#include "document/DocumentFixture.h"
#include "document/EditMode.h"
#include "document/LibraryBrowserLink.h"
#include "plan2d/H2DView.h"
#include "plan2d/PlanWindow.h"

namespace {

using placing_test::RecordingBrowsers;

// The real plan view; the 3D side is a fake with a scene store.
class PlanDropGuiTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        doc->Attach2DView(nullptr);
        plan.Open(*doc, true);
        plan.view->OnInitialUpdate();
        doc->SetLibraryBrowsers(&browsers);
    }
    void TearDown() override {
        doc->SetLibraryBrowsers(nullptr);
        plan.Close();
        SceneTest::TearDown();
    }

    void Release(int x, int y) {
        wxMouseEvent event(wxEVT_LEFT_UP);
        event.SetPosition(wxPoint(x, y));
        event.SetEventObject(plan.view);
        plan.view->GetEventHandler()->ProcessEvent(event);
    }

    // Where a drop at the client point should land: the plan point's x and
    // its y negated.
    void ExpectDropAt(const LibraryDropPoint& drop, int x, int y) {
        const CVector2D logical = plan.view->ClientToLogical(POINT{x, y});
        EXPECT_FLOAT_EQ(drop.x, static_cast<float>(logical.x));
        EXPECT_FLOAT_EQ(drop.z, static_cast<float>(-logical.y));
        EXPECT_EQ(drop.centre, 0);
    }

    PlanWindow plan;
    RecordingBrowsers browsers;
};

TEST_F(PlanDropGuiTest, ReleasingADraggedEntryOverThePlanPlacesIt) {
    // The release is the drop, not the wall tool's first point.
    doc->SetEditMode(EditMode::kWall);
    doc->GetPlacement().inProgress = 1;
    doc->GetPlacement().kind = 0;
    Release(200, 150);
    EXPECT_EQ(doc->GetPlacement().inProgress, 0);
    ASSERT_EQ(browsers.models.size(), 1u);
    ExpectDropAt(browsers.models[0], 200, 150);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kWall);
    doc->SetEditMode(EditMode::kNone);

    // A plain click afterwards places nothing.
    Release(220, 160);
    EXPECT_EQ(browsers.models.size(), 1u);
    EXPECT_TRUE(browsers.photos.empty());
}

TEST_F(PlanDropGuiTest, TheBrowserHandsItsDropToTheViewUnderThePointer) {
    // On GTK the browser keeps the pointer while it drags and passes the
    // release on in the view's own coordinates.
    doc->GetPlacement().inProgress = 1;
    doc->GetPlacement().kind = 4;
    IDocumentView& view = *plan.view;
    view.DropLibraryEntry(300, 120);
    EXPECT_EQ(doc->GetPlacement().inProgress, 0);
    ASSERT_EQ(browsers.photos.size(), 1u);
    ExpectDropAt(browsers.photos[0], 300, 120);
    EXPECT_TRUE(browsers.models.empty());

    // Once the drag has ended a late hand-over places nothing.
    view.DropLibraryEntry(300, 120);
    EXPECT_EQ(browsers.photos.size(), 1u);
}

}  // namespace
