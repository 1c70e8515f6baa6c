#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/tooltip.h>

#include "../document/DocumentFixture.h"
#include "PlanWindow.h"
#include "objects/2DShape.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/H2DChild.h"
#include "plan2d/H2DView.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

class PenShape : public C2DShape {};

// The real plan view in a top-level window; the 3D side is a fake with a
// scene store.
class PlanViewCoreGuiTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        doc->Attach2DView(nullptr);
        plan.Open(*doc);
        window = plan.window;
        child = plan.child;
        view = plan.view;
        view->OnInitialUpdate();
    }
    void TearDown() override {
        plan.Close();
        SceneTest::TearDown();
    }

    void Scroll(wxEventType type, int orientation, int position = 0) {
        wxScrollWinEvent event(type, position, orientation);
        event.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(event);
    }

    PlanWindow plan;
    wxFrame* window = nullptr;
    CH2DChild* child = nullptr;
    CH2DView* view = nullptr;
};

TEST_F(PlanViewCoreGuiTest, ClientPixelsAndPlanPointsMeetAtTheRulers) {
    ASSERT_EQ(doc->GetRulerMargin(), 24);
    EXPECT_EQ(view->ClientToLogical(POINT{74, 74}), CVector2D(100.0, 100.0));
    draw::ImageDrawContext dc(200, 200);
    view->OnPrepareDC(dc);
    const POINT client = view->PlanToClient(CVector2D(100.0, -100.0), dc);
    EXPECT_EQ(client.x, 74);
    EXPECT_EQ(client.y, 74);
    EXPECT_EQ(doc->GetPlanScrollSize().x, 1524);
    // Nothing of the plan is drawn over the rulers.
    EXPECT_EQ(dc.GetClipBox().left, 0);
    EXPECT_EQ(dc.LPtoDP(draw::Point{dc.GetClipBox().left, dc.GetClipBox().top}).x, 24);

    doc->SetPlanViewOrigin(POINT{100, 40});
    doc->Settings().rulerShow = 0;
    EXPECT_EQ(view->ClientToLogical(POINT{74, 74}), CVector2D(348.0, 228.0));
}

TEST_F(PlanViewCoreGuiTest, ScrollingMarksTheDesignModifiedOnlyWhenItMoves) {
    doc->SetDesignModified(0);
    Scroll(wxEVT_SCROLLWIN_THUMBRELEASE, wxVERTICAL, 0);
    EXPECT_EQ(doc->GetDesignModified(), 0);
    EXPECT_TRUE(view->GetFullDrawFlag());

    Scroll(wxEVT_SCROLLWIN_LINEDOWN, wxVERTICAL);
    EXPECT_EQ(doc->GetPlanViewOrigin().y, 15);
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 0);
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_FALSE(view->GetFullDrawFlag());

    doc->SetDesignModified(0);
    Scroll(wxEVT_SCROLLWIN_THUMBTRACK, wxHORIZONTAL, 300);
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 300);
    EXPECT_EQ(doc->GetDesignModified(), 1);
    Scroll(wxEVT_SCROLLWIN_TOP, wxHORIZONTAL);
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 0);
}

TEST_F(PlanViewCoreGuiTest, ZoomHintPullsTheScrollPositionIntoTheExtent) {
    doc->SetPlanViewOrigin(POINT{500, 1400});
    view->OnDocumentUpdate(kZoomChangedHint);
    const wxSize client = view->GetClientSize();
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 500);
    EXPECT_EQ(doc->GetPlanViewOrigin().y, 1524 - (client.y + 1));

    // A ground smaller than the client area scrolls back to 0.
    doc->Settings().length = 200;
    view->OnDocumentUpdate(997);
    EXPECT_EQ(doc->GetPlanViewOrigin().x, 0);
    EXPECT_EQ(doc->GetPlanScrollSize().x, 124);
}

TEST_F(PlanViewCoreGuiTest, PenHintRestylesTheSelectedShapesOnly) {
    auto* selected = new PenShape;
    auto* other = new PenShape;
    scene->AddObjectIfAbsent(kRectShapeType, selected);
    scene->AddObjectIfAbsent(kRectShapeType, other);
    scene->SelectObject(kRectShapeType, selected);
    doc->SetPenStyle(2);
    doc->SetPenWidth(5);
    view->OnDocumentUpdate(710);
    EXPECT_EQ(selected->GetPenStyle(), 2);
    EXPECT_EQ(selected->GetPenWidth(), 5);
    EXPECT_EQ(other->GetPenStyle(), 0);
    EXPECT_EQ(other->GetPenWidth(), 1);
}

TEST_F(PlanViewCoreGuiTest, PaperFrameShowsItsTipOverTheCentreHandle) {
    doc->Settings().selectSense = 4;
    doc->SetPaperPosition(POINT{200, 100});
    view->OnInitialUpdate();
    const RECT frame = view->GetPaperFrameClientRect();
    const RECT handle = view->GetPaperTipRects()[4];
    EXPECT_EQ(handle.right - handle.left, 8);
    EXPECT_EQ(handle.bottom - handle.top, 8);
    EXPECT_EQ(handle.left + 4, (frame.left + frame.right) / 2);
    EXPECT_EQ(frame.left, 24 + 100);

    const auto move = [this](int x, int y) {
        wxMouseEvent event(wxEVT_MOTION);
        event.SetPosition(wxPoint(x, y));
        event.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(event);
    };
    move(handle.left + 1, handle.top + 1);
    ASSERT_NE(view->GetToolTip(), nullptr);
    EXPECT_EQ(view->GetToolTip()->GetTip().utf8_string(), "列印圖紙範圍");
    move(handle.right + 10, handle.top + 1);
    EXPECT_EQ(view->GetToolTip(), nullptr);
}

}  // namespace
