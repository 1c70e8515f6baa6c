#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "../document/DocumentFixture.h"
#include "PlanWindow.h"
#include "plan2d/CoordInputBox.h"
#include "plan2d/H2DChild.h"
#include "plan2d/H2DView.h"
#include "platform/draw/ImageDrawContext.h"

namespace {

constexpr draw::COLORREF kWhite = draw::Rgb(255, 255, 255);
constexpr draw::COLORREF kRulerGrey = draw::Rgb(192, 192, 192);
constexpr draw::COLORREF kGridColor = draw::Rgb(200, 40, 40);

// The plan frame in a real top-level window, with a document in a fresh
// program folder.
class H2DViewGuiTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc = std::make_unique<CHousDoc>();
        doc->Settings().gridColor = kGridColor;
        doc->Settings().gridGap = 100;
        plan.Open(*doc);
        window = plan.window;
        child = plan.child;
        view = plan.view;
    }
    void TearDown() override {
        plan.Close();
        EXPECT_EQ(doc->Get2DView(), nullptr);
        doc.reset();
        DocumentTest::TearDown();
    }

    const draw::ImageDrawContext& Buffer() {
        view->RedrawNow();
        const draw::ImageDrawContext* buffer = view->GetBackBuffer();
        EXPECT_NE(buffer, nullptr);
        return *buffer;
    }

    std::unique_ptr<CHousDoc> doc;
    PlanWindow plan;
    wxFrame* window = nullptr;
    CH2DChild* child = nullptr;
    CH2DView* view = nullptr;
};

TEST_F(H2DViewGuiTest, PaintedPlanHasBackgroundRulersAndGrid) {
    EXPECT_EQ(doc->Get2DView(), view);
    EXPECT_EQ(doc->Get2DFrame(), child);
    const draw::ImageDrawContext& buffer = Buffer();
    const wxSize client = view->GetClientSize();
    ASSERT_EQ(buffer.Width(), client.x);
    ASSERT_EQ(buffer.Height(), client.y);
    ASSERT_GT(client.x, 130);
    ASSERT_GT(client.y, 130);
    // 100 cm apart at 2 cm a pixel: every 50 pixels past the 24-pixel rulers.
    EXPECT_EQ(buffer.GetPixel(24, 100), kGridColor);
    EXPECT_EQ(buffer.GetPixel(74, 100), kGridColor);
    EXPECT_EQ(buffer.GetPixel(100, 124), kGridColor);
    EXPECT_EQ(buffer.GetPixel(50, 100), kWhite);
    EXPECT_EQ(buffer.GetPixel(100, 5), kRulerGrey);

    // The zoom combo shows 100 %; zooming out to 20 % packs the lines 10 pixels apart.
    EXPECT_EQ(child->GetZoomSelection(), 23);
    child->SetZoomLevel(40);
    EXPECT_EQ(child->GetZoomSelection(), 31);
    EXPECT_DOUBLE_EQ(doc->GetPlanZoomFactor(), 0.1);
    const draw::ImageDrawContext& zoomed = Buffer();
    EXPECT_EQ(zoomed.GetPixel(34, 100), kGridColor);
    EXPECT_EQ(zoomed.GetPixel(74, 30), kGridColor);
    EXPECT_EQ(zoomed.GetPixel(39, 101), kWhite);
}

// A new size drops the painted plan; the next paint draws it whole at the
// new size.
TEST_F(H2DViewGuiTest, ResizedViewPaintsThePlanAtItsNewSize) {
    Buffer();
    const wxSize before = view->GetClientSize();
    window->SetSize(wxSize(800, 600));
    window->Layout();
    const wxSize after = view->GetClientSize();
    ASSERT_NE(after, before);
    EXPECT_EQ(view->GetBackBuffer(), nullptr);
    view->Update();
    wxTheApp->Yield();
    const draw::ImageDrawContext* buffer = view->GetBackBuffer();
    ASSERT_NE(buffer, nullptr);
    // The toolkit may settle the size once more while the events run.
    const wxSize settled = view->GetClientSize();
    EXPECT_EQ(buffer->Width(), settled.x);
    EXPECT_EQ(buffer->Height(), settled.y);
    EXPECT_EQ(buffer->GetPixel(24, 100), kGridColor);
    EXPECT_EQ(buffer->GetPixel(settled.x - 2, 5), kRulerGrey);
}

TEST_F(H2DViewGuiTest, FrameServesTheDocumentsWallBarAndFloorControls) {
    doc->SetWallValues(150.0, 10.0, 5.0);
    doc->UpdateWallBarFields();
    EXPECT_EQ(child->GetWallBarText(CH2DChild::kWallTopEdit), "300");
    EXPECT_EQ(doc->ReadWallBarFields().thickness, 10.0f);

    auto* floors = wxDynamicCast(child->FindWindow(CH2DChild::kFloorCombo), wxChoice);
    ASSERT_NE(floors, nullptr);
    wxWindow* up = child->FindWindow(CH2DChild::kFloorUpButton);
    wxWindow* down = child->FindWindow(CH2DChild::kFloorDownButton);
    child->UpdateFloorControls();
    EXPECT_FALSE(up->IsEnabled());
    EXPECT_FALSE(down->IsEnabled());
    for (const char* name : {"第1層", "第2層", "第3層"}) {
        floors->Append(wxString::FromUTF8(name));
    }
    child->UpdateFloorControls();
    EXPECT_EQ(floors->GetSelection(), 0);
    EXPECT_TRUE(up->IsEnabled());
    EXPECT_FALSE(down->IsEnabled());
    floors->SetSelection(2);
    child->UpdateFloorControls();
    EXPECT_FALSE(up->IsEnabled());
    EXPECT_TRUE(down->IsEnabled());
}

TEST_F(H2DViewGuiTest, LeavingAWallBarEditAppliesTheBar) {
    doc->UpdateWallBarFields();
    const struct {
        int id;
        const char* shown;
    } edits[] = {{CH2DChild::kWallTopEdit, "260"},
                 {CH2DChild::kWallBottomEdit, "0"},
                 {CH2DChild::kWallThicknessEdit, "15"}};
    for (const auto& e : edits) {
        SCOPED_TRACE(e.id);
        auto* edit = wxDynamicCast(child->FindWindow(e.id), wxTextCtrl);
        ASSERT_NE(edit, nullptr);
        edit->ChangeValue("-5");
        wxFocusEvent leave(wxEVT_KILL_FOCUS, e.id);
        leave.SetEventObject(edit);
        edit->GetEventHandler()->ProcessEvent(leave);
        EXPECT_EQ(edit->GetValue().utf8_string(), e.shown);
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_DOUBLE_EQ(doc->GetWallTop(), 130.0);
}

TEST_F(H2DViewGuiTest, CoordinateBoxIsActiveOnlyWhileShownAfterADigit) {
    CCoordInputBox& box = view->GetCoordInputBox();
    EXPECT_FALSE(box.Window().IsShown());
    view->ShowCoordBoxNear(50, 50);
    box.ShowSegment(POINT{100, 150}, POINT{100, 100});
    EXPECT_EQ(box.GetPolarMode(), 1);
    auto* length = wxDynamicCast(box.Window().FindWindow(CCoordInputBox::kFirstEdit), wxTextCtrl);
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length->GetValue(), "50");
    EXPECT_EQ(box.IsActive(), 0);

    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = '7';
    key.SetEventObject(length);
    length->GetEventHandler()->ProcessEvent(key);
    EXPECT_EQ(box.IsActive(), 1);

    // Leaving the outline modes hides the box, which is then no longer active.
    doc->SetEditMode(0);
    EXPECT_FALSE(box.Window().IsShown());
    EXPECT_EQ(box.IsActive(), 0);
}

}  // namespace
