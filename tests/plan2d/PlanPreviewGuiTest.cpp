#include <gtest/gtest.h>
#include <wx/event.h>

#include <cstdint>
#include <vector>

#include "../document/DocumentFixture.h"
#include "PlanWindow.h"
#include "document/EditMode.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/H2DView.h"
#include "plan2d/OutlineCapture.h"
#include "plan2d/PlanPainter.h"
#include "plan2d/PlanSketch.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

std::vector<uint8_t> Pixels(const draw::ImageDrawContext& image) {
    const uint8_t* data = image.Data();
    return std::vector<uint8_t>(data, data + size_t(image.Stride()) * size_t(image.Height()));
}

// The real plan window while the wall tool draws: 2 cm a pixel past the
// 24-pixel rulers, on a 5 cm grid.
class PlanPreviewGuiTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        doc->Attach2DView(nullptr);
        plan.Open(*doc, true);
        view = plan.view;
        view->OnInitialUpdate();
        doc->SetWallValues(130.0, 0.0, 0.0);
        doc->UpdateWallBarFields();
        doc->SetFixedWallAngle(0);
        doc->SetEditModeAndRefresh(EditMode::kWall);
    }
    void TearDown() override {
        plan.Close();
        SceneTest::TearDown();
    }

    void Mouse(wxEventType type, int x, int y, bool leftHeld = false) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(x, y));
        event.SetEventObject(view);
        event.m_leftDown = leftHeld || type == wxEVT_LEFT_DOWN;
        view->GetEventHandler()->ProcessEvent(event);
    }
    void Move(const wxPoint& at) { Mouse(wxEVT_MOTION, at.x, at.y); }
    void Click(const wxPoint& at) {
        Move(at);
        Mouse(wxEVT_LEFT_DOWN, at.x, at.y);
        Mouse(wxEVT_LEFT_UP, at.x, at.y);
    }

    // The pixels of the back buffer that differ from the plan as a repaint,
    // by a painter of its own, would show it now.
    int PixelsOffAFreshPaint() {
        const draw::ImageDrawContext& buffer = *view->GetBackBuffer();
        draw::ImageDrawContext fresh(buffer.Width(), buffer.Height());
        CPlanPainter(*doc).DrawPlan(fresh, MakePlanSketch(view->State()));
        int differing = 0;
        for (int y = 0; y < buffer.Height(); ++y) {
            for (int x = 0; x < buffer.Width(); ++x) {
                differing += buffer.GetPixel(x, y) != fresh.GetPixel(x, y);
            }
        }
        return differing;
    }
    std::vector<uint8_t> Buffer() const { return Pixels(*view->GetBackBuffer()); }

    PlanWindow plan;
    CH2DView* view = nullptr;
};

// Corners at (100, 100), (300, 100) and (300, 300) cm.
const wxPoint kFirst{74, 74};
const wxPoint kSecond{174, 74};
const wxPoint kThird{174, 174};

// Moves that put the crosshair through the vertex markers, the length label
// over the outline and the rubber band through the label, and one off the
// ground.
const std::vector<wxPoint> kMoves{
    {120, 74},  {74, 130},  {60, 40},   {174, 120}, {200, 60},  {150, 50},  {100, 100},
    {60, 74},   {174, 30},  {174, 90},  {250, 30},  {90, 80},   {174, 200}, {140, 74},
    {300, 140}, {600, 400}, {130, 120}, {80, 160},  {174, 140}, {210, 110},
};

TEST_F(PlanPreviewGuiTest, MovesWhileDrawingAWallLeaveTheBufferAsAFreshPaintWithoutRepaints) {
    // Before the first point only the crosshair follows the mouse.
    const int paints = view->GetBackBufferPaintCount();
    for (size_t i = 0; i < 5; ++i) {
        Move(kMoves[i]);
    }
    EXPECT_EQ(view->GetBackBufferPaintCount(), paints);
    EXPECT_EQ(PixelsOffAFreshPaint(), 0);

    Click(kFirst);
    Click(kSecond);
    ASSERT_EQ(view->OutlineCapture().Outline().size(), 2u);
    const int drawingPaints = view->GetBackBufferPaintCount();
    for (const wxPoint& at : kMoves) {
        Move(at);
        ASSERT_EQ(PixelsOffAFreshPaint(), 0) << at.x << ", " << at.y;
    }
    EXPECT_EQ(view->GetBackBufferPaintCount(), drawingPaints);
    // A point the outline refuses (on the last corner, on the rulers) draws
    // nothing; the next one takes the pieces on.
    const std::vector<uint8_t> before = Buffer();
    for (const wxPoint& refused : {wxPoint(174, 75), wxPoint(10, 100)}) {
        Move(refused);
        EXPECT_TRUE(Buffer() == before) << refused.x << ", " << refused.y;
    }
    Move(wxPoint(120, 130));
    EXPECT_EQ(PixelsOffAFreshPaint(), 0);
    EXPECT_EQ(view->GetBackBufferPaintCount(), drawingPaints);

    // The wall closes and the tool waits again; the crosshair moves on
    // until a right click leaves the tool.
    Click(kThird);
    view->OutlineCapture().CloseOutline(false);
    ASSERT_EQ(scene->Objects(kWallObjectType).size(), 1u);
    ASSERT_EQ(doc->GetEditMode(), EditMode::kWall);
    Move(wxPoint(120, 200));
    Move(wxPoint(74, 174));
    EXPECT_EQ(PixelsOffAFreshPaint(), 0);
    Mouse(wxEVT_RIGHT_DOWN, 74, 174);
    Mouse(wxEVT_RIGHT_UP, 74, 174);
    EXPECT_EQ(doc->GetEditMode(), EditMode::kNone);
    EXPECT_EQ(PixelsOffAFreshPaint(), 0);
}

TEST_F(PlanPreviewGuiTest, ARepaintInTheMiddleOfAPreviewLeavesNoTraceForLaterMoves) {
    Click(kFirst);
    Click(kSecond);
    struct Case {
        const char* name;
        void (*repaint)(CHousDoc& doc, CH2DView& view);
    };
    const Case cases[] = {
        {"repaint", [](CHousDoc&, CH2DView& view) { view.RedrawNow(); }},
        {"scroll",
         [](CHousDoc& doc, CH2DView& view) {
             doc.SetPlanViewOrigin(POINT{40, 20});
             view.RedrawNow();
         }},
        {"scroll back",
         [](CHousDoc& doc, CH2DView& view) {
             doc.SetPlanViewOrigin(POINT{0, 0});
             view.RedrawNow();
         }},
    };
    for (const Case& c : cases) {
        Move(wxPoint(220, 40));
        Move(wxPoint(130, 110));
        c.repaint(*doc, *view);
        for (size_t i = 0; i < kMoves.size(); i += 3) {
            Move(kMoves[i]);
        }
        EXPECT_EQ(PixelsOffAFreshPaint(), 0) << c.name;
    }
}

TEST_F(PlanPreviewGuiTest, ASelectionRectangleStartsAtItsAnchorAndFollowsTheMouseWithoutRepaints) {
    doc->SetEditModeAndRefresh(EditMode::kNone);
    Mouse(wxEVT_LEFT_DOWN, 40, 40);
    const int paints = view->GetBackBufferPaintCount();
    const std::vector<uint8_t> atPress = Buffer();
    for (const wxPoint& at : kMoves) {
        Mouse(wxEVT_MOTION, at.x, at.y, true);
    }
    EXPECT_EQ(view->GetBackBufferPaintCount(), paints);
    EXPECT_FALSE(Buffer() == atPress);
    // Back at the anchor the rectangle has no size and the plan is as pressed.
    Mouse(wxEVT_MOTION, 40, 40, true);
    EXPECT_TRUE(Buffer() == atPress);
}

}  // namespace
