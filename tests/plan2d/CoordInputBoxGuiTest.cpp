#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/frame.h>

#include <memory>
#include <utility>
#include <vector>

#include "plan2d/CoordInputBox.h"

namespace {

class FakeTarget : public ICoordInputTarget {
public:
    int ApplyTypedPoint(double first, double second) override {
        applied.emplace_back(first, second);
        return answer;
    }
    void CancelTypedPoint() override { ++cancels; }
    void ToggleSnap() override { ++snapToggles; }
    void ToggleFixedWallAngle() override { ++angleToggles; }
    int OnMouseWheel(int flags, int delta, int, int) override {
        wheel.emplace_back(flags, delta);
        return 1;
    }

    int answer = 1;
    std::vector<std::pair<double, double>> applied;
    int cancels = 0;
    int snapToggles = 0;
    int angleToggles = 0;
    std::vector<std::pair<int, int>> wheel;
};

// The box over a plain window in a frame, shown as the plan shows it.
class CoordInputBoxGuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "plan", wxDefaultPosition, wxSize(400, 300));
        owner = new wxWindow(frame, wxID_ANY);
        frame->Show();
        box = std::make_unique<CCoordInputBox>(owner);
        box->SetTarget(&target);
        box->Window().Show();
        wxTheApp->Yield();
    }
    void TearDown() override {
        box.reset();
        frame->Destroy();
        wxTheApp->Yield();
    }

    wxTextCtrl& Edit(int id) {
        auto* edit = wxDynamicCast(box->Window().FindWindow(id), wxTextCtrl);
        EXPECT_NE(edit, nullptr);
        return *edit;
    }

    // A key as the toolkit delivers it: the hook first, then, unless the
    // hook kept it, the key-down event.
    void Press(wxTextCtrl& edit, int keyCode) {
        wxKeyEvent hook(wxEVT_CHAR_HOOK);
        hook.m_keyCode = keyCode;
        hook.SetEventObject(&edit);
        hook.SetId(edit.GetId());
        if (edit.GetEventHandler()->ProcessEvent(hook) && !hook.GetSkipped()) {
            return;
        }
        wxKeyEvent down(wxEVT_KEY_DOWN);
        down.m_keyCode = keyCode;
        down.SetEventObject(&edit);
        edit.GetEventHandler()->ProcessEvent(down);
    }

    wxFrame* frame = nullptr;
    wxWindow* owner = nullptr;
    FakeTarget target;
    std::unique_ptr<CCoordInputBox> box;
};

TEST_F(CoordInputBoxGuiTest, EscapeCancelsThePointButNeverClosesTheBox) {
    bool dialogSawEscape = false;
    box->Window().Bind(wxEVT_CHAR_HOOK, [&](wxKeyEvent& event) {
        dialogSawEscape = true;
        event.Skip();
    });
    Press(Edit(CCoordInputBox::kFirstEdit), WXK_ESCAPE);
    Press(Edit(CCoordInputBox::kSecondEdit), WXK_ESCAPE);
    wxTheApp->Yield();
    EXPECT_EQ(target.cancels, 2);
    EXPECT_FALSE(dialogSawEscape);
    EXPECT_TRUE(box->Window().IsShown());
}

TEST_F(CoordInputBoxGuiTest, EnterHandsBothNumbersToThePlan) {
    box->ShowSegment(POINT{100, 150}, POINT{100, 100});
    wxTextCtrl& length = Edit(CCoordInputBox::kFirstEdit);
    Press(length, '3');
    EXPECT_EQ(box->IsActive(), 1);
    length.ChangeValue("250");
    Edit(CCoordInputBox::kSecondEdit).ChangeValue("-45.5");

    target.answer = 0;
    Press(length, WXK_RETURN);
    EXPECT_EQ(box->IsActive(), 1);
    target.answer = 1;
    Press(Edit(CCoordInputBox::kSecondEdit), WXK_NUMPAD_ENTER);
    EXPECT_EQ(box->IsActive(), 0);
    const std::vector<std::pair<double, double>> expected = {{250.0, -45.5}, {250.0, -45.5}};
    EXPECT_EQ(target.applied, expected);
    EXPECT_TRUE(box->Window().IsShown());
}

TEST_F(CoordInputBoxGuiTest, TypingKeepsANumberWithOneDecimal) {
    wxTextCtrl& edit = Edit(CCoordInputBox::kFirstEdit);
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {{"12.34", "12.3"}, {"1-", "1"}, {"-5.5", "-5.5"}, {"1,5", "1"}, {"-", "-"}};
    for (const auto& c : cases) {
        edit.SetValue(wxString::FromUTF8(c.typed));
        EXPECT_EQ(edit.GetValue().utf8_string(), c.kept) << c.typed;
    }
}

TEST_F(CoordInputBoxGuiTest, FunctionKeysAndTabReachTheirCommands) {
    int walkSpeedCommands = 0;
    frame->Bind(
        wxEVT_MENU, [&](wxCommandEvent&) { ++walkSpeedCommands; },
        CCoordInputBox::kCycleWalkSpeedCommand);
    wxTextCtrl& edit = Edit(CCoordInputBox::kFirstEdit);
    Press(edit, WXK_F3);
    Press(edit, WXK_F8);
    Press(edit, WXK_F7);
    EXPECT_EQ(target.snapToggles, 1);
    EXPECT_EQ(target.angleToggles, 1);
    EXPECT_EQ(walkSpeedCommands, 1);
    EXPECT_EQ(box->IsActive(), 0);
    Press(edit, WXK_TAB);
    EXPECT_EQ(box->IsActive(), 1);
}

TEST_F(CoordInputBoxGuiTest, WheelOverTheBoxZoomsThePlan) {
    wxTextCtrl& edit = Edit(CCoordInputBox::kSecondEdit);
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = -120;
    wheel.m_controlDown = true;
    wheel.SetEventObject(&edit);
    edit.GetEventHandler()->ProcessEvent(wheel);
    const std::vector<std::pair<int, int>> expected = {{0x8, -120}};
    EXPECT_EQ(target.wheel, expected);
}

}  // namespace
