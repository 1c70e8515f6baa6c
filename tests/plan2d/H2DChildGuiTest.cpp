#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/frame.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "../document/DocumentFixture.h"
#include "PlanWindow.h"
#include "plan2d/H2DChild.h"
#include "plan2d/PlanBarIcons.h"
#include "platform/fs/DefaultContent.h"

namespace {

// The plan frame's bars in a real top-level window; the window records the
// commands the frame sends to the main frame.
class H2DChildGuiTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc = std::make_unique<CHousDoc>();
        plan.Open(*doc);
        child = plan.child;
        plan.window->Bind(wxEVT_MENU,
                          [this](wxCommandEvent& event) { commands.push_back(event.GetId()); });
    }
    void TearDown() override {
        plan.Close();
        doc.reset();
        DocumentTest::TearDown();
    }

    template <typename T>
    T* Control(int id) {
        auto* control = wxDynamicCast(child->FindWindow(id), T);
        EXPECT_NE(control, nullptr) << id;
        return control;
    }

    void Click(int id) {
        wxWindow* control = child->FindWindow(id);
        ASSERT_NE(control, nullptr) << id;
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(control);
        control->GetEventHandler()->ProcessEvent(event);
    }

    void Tool(int barId, int toolId, wxEventType type = wxEVT_TOOL) {
        auto* bar = Control<wxToolBar>(barId);
        ASSERT_NE(bar, nullptr);
        wxCommandEvent event(type, toolId);
        event.SetEventObject(bar);
        bar->GetEventHandler()->ProcessEvent(event);
    }

    std::unique_ptr<CHousDoc> doc;
    PlanWindow plan;
    CH2DChild* child = nullptr;
    std::vector<int> commands;
};

bool SamePixels(const wxBitmap& a, const wxBitmap& b) {
    const wxImage left = a.ConvertToImage();
    const wxImage right = b.ConvertToImage();
    return left.GetSize() == right.GetSize() &&
           std::equal(left.GetData(), left.GetData() + left.GetWidth() * left.GetHeight() * 3,
                      right.GetData());
}

// Each bitmap number has an icon file of its own; different icons and
// marks draw different pictures, and none is the missing-image picture.
TEST_F(H2DChildGuiTest, EveryBitmapNumberDrawsItsOwnIcon) {
    const wxBitmap missing =
        wxArtProvider::GetBitmapBundle(wxART_MISSING_IMAGE, wxART_TOOLBAR, kToolIconSize)
            .GetBitmap(kToolIconSize);
    std::map<std::pair<std::string, ToolIconMark>, wxBitmap> drawn;
    for (int id : GetPlanBarBitmapIds()) {
        SCOPED_TRACE(id);
        const std::optional<PlanBarIcon> icon = FindPlanBarIcon(id);
        ASSERT_TRUE(icon);
        EXPECT_TRUE(std::filesystem::is_regular_file(pfs::FindResourceFolder() / "icons" /
                                                     (icon->name + ".svg")));
        const wxBitmap bitmap = MakePlanBarBitmap(id).GetBitmap(kToolIconSize);
        EXPECT_FALSE(SamePixels(bitmap, missing));
        for (const auto& [key, other] : drawn) {
            if (key != std::pair{icon->name, icon->mark}) {
                EXPECT_FALSE(SamePixels(bitmap, other)) << key.first;
            }
        }
        drawn.emplace(std::pair{icon->name, icon->mark}, bitmap);
    }
    EXPECT_FALSE(FindPlanBarIcon(1).has_value());
}

// The buttons show those pictures: no two tools of the tool bars and no two
// display toggles look alike, and none shows the missing-image picture.
TEST_F(H2DChildGuiTest, BarButtonsShowDistinctIcons) {
    const wxBitmap missing =
        wxArtProvider::GetBitmapBundle(wxART_MISSING_IMAGE, wxART_TOOLBAR, kToolIconSize)
            .GetBitmap(kToolIconSize);
    auto expectDistinct = [&](const std::vector<std::pair<int, wxBitmap>>& buttons) {
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_TRUE(buttons[i].second.IsOk()) << buttons[i].first;
            EXPECT_FALSE(SamePixels(buttons[i].second, missing)) << buttons[i].first;
            for (std::size_t j = i + 1; j < buttons.size(); ++j) {
                EXPECT_FALSE(SamePixels(buttons[i].second, buttons[j].second))
                    << buttons[i].first << " " << buttons[j].first;
            }
        }
    };
    std::vector<std::pair<int, wxBitmap>> tools;
    for (int barId : {CH2DChild::kWindowToolBar, CH2DChild::kDrawingToolBar}) {
        auto* bar = Control<wxToolBar>(barId);
        ASSERT_NE(bar, nullptr);
        for (std::size_t i = 0; i < bar->GetToolsCount(); ++i) {
            const wxToolBarToolBase* tool = bar->GetToolByPos(static_cast<int>(i));
            if (!tool->IsSeparator()) {
                tools.emplace_back(tool->GetId(), tool->GetNormalBitmap());
            }
        }
    }
    EXPECT_EQ(tools.size(), 18u);
    expectDistinct(tools);

    std::vector<std::pair<int, wxBitmap>> buttons;
    for (int id : {1234,
                   1235,
                   1236,
                   1145,
                   1347,
                   1244,
                   1246,
                   1245,
                   1237,
                   1243,
                   1241,
                   1298,
                   1238,
                   1240,
                   1242,
                   CH2DChild::kZoomOutButton,
                   CH2DChild::kZoomResetButton,
                   CH2DChild::kZoomInButton,
                   CH2DChild::kFloorUpButton,
                   CH2DChild::kFloorDownButton,
                   CH2DChild::kFixedAngleButton}) {
        auto* button = Control<wxBitmapButton>(id);
        ASSERT_NE(button, nullptr);
        buttons.emplace_back(id, button->GetBitmapLabel());
    }
    expectDistinct(buttons);
}

TEST_F(H2DChildGuiTest, ThicknessEditTurnsANegativeNumberPositive) {
    auto* edit = Control<wxTextCtrl>(CH2DChild::kWallThicknessEdit);
    ASSERT_NE(edit, nullptr);
    edit->SetValue("-30");
    EXPECT_EQ(edit->GetValue().utf8_string(), "30");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Error on value!");
    edit->SetValue("12");
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(H2DChildGuiTest, FixedAngleEditKeepsOnly1To180AndFollowsTheFlag) {
    doc->SetFixedWallAngle(1);
    doc->SetFixedAngleStep(90);
    auto* edit = Control<wxTextCtrl>(CH2DChild::kFixedAngleEdit);
    ASSERT_NE(edit, nullptr);
    for (const char* refused : {"0", "181"}) {
        SCOPED_TRACE(refused);
        messages.clear();
        edit->SetValue(refused);
        EXPECT_EQ(edit->GetValue().utf8_string(), "90");
        EXPECT_EQ(messages, std::vector<std::string>{"Error on value!"});
        EXPECT_EQ(doc->GetFixedAngleStep(), 90);
    }
    edit->SetValue("45");
    EXPECT_EQ(doc->GetFixedAngleStep(), 45);

    // The button flips the flag; the edit is usable only while it is on.
    Click(CH2DChild::kFixedAngleButton);
    EXPECT_EQ(doc->GetFixedWallAngle(), 0);
    EXPECT_FALSE(edit->IsEnabled());
    Click(CH2DChild::kFixedAngleButton);
    EXPECT_EQ(doc->GetFixedWallAngle(), 1);
    EXPECT_TRUE(edit->IsEnabled());
    // The coordinate box's key flips it too; the bar follows on its update.
    doc->SetFixedWallAngle(0);
    child->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(edit->IsEnabled());
}

TEST_F(H2DChildGuiTest, ZoomButtonsFromAnUnlistedScaleStepFromTheNearestLevel) {
    doc->SetPlanZoomFactor(0.525);
    child->UpdateZoomCombo();
    EXPECT_EQ(child->GetZoomSelection(), -1);
    Click(CH2DChild::kZoomOutButton);
    EXPECT_EQ(child->GetZoomSelection(), 24);
    EXPECT_DOUBLE_EQ(doc->GetPlanZoomFactor(), 0.45);
    Click(CH2DChild::kZoomInButton);
    Click(CH2DChild::kZoomInButton);
    EXPECT_EQ(child->GetZoomSelection(), 22);
    Click(CH2DChild::kZoomResetButton);
    EXPECT_EQ(child->GetZoomSelection(), 23);
}

TEST_F(H2DChildGuiTest, CreationToolsEnterTheirModeAndKeepADrawingInProgress) {
    doc->Settings().show2DState = -1;
    Tool(CH2DChild::kWindowToolBar, 32778);
    EXPECT_EQ(doc->GetEditMode(), 20);
    doc->SetEditMode(31);
    Tool(CH2DChild::kWindowToolBar, 32807);
    EXPECT_EQ(doc->GetEditMode(), 31);
    // A hidden layer is asked to be shown first, through the main frame.
    doc->Settings().show2DState = 0;
    Tool(CH2DChild::kWindowToolBar, 32808);
    EXPECT_EQ(doc->GetEditMode(), 10);
    EXPECT_EQ(commands, std::vector<int>{32848});
}

// Tools whose points the plan does not take yet would enter a mode that
// nothing answers: they stay disabled, in any mode, until they do.
TEST_F(H2DChildGuiTest, ToolsThePlanDoesNotTakeAreDisabled) {
    auto* tools = Control<wxToolBar>(CH2DChild::kWindowToolBar);
    auto* drawing = Control<wxToolBar>(CH2DChild::kDrawingToolBar);
    ASSERT_NE(tools, nullptr);
    ASSERT_NE(drawing, nullptr);
    for (int mode : {0, 170, 600}) {
        SCOPED_TRACE(mode);
        doc->SetEditMode(mode);
        child->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        for (int id : {32863, 32951, 32854}) {
            EXPECT_FALSE(tools->GetToolEnabled(id)) << id;
            EXPECT_FALSE(tools->GetToolState(id)) << id;
        }
        for (int id : {2000, 2001, 2002, 2003, 2007, 2008, 32941}) {
            EXPECT_FALSE(drawing->GetToolEnabled(id)) << id;
        }
        for (int id : {32778, 32807, 32808}) {
            EXPECT_TRUE(tools->GetToolEnabled(id)) << id;
        }
    }
}

TEST_F(H2DChildGuiTest, ToolButtonsFollowTheEditMode) {
    auto* tools = Control<wxToolBar>(CH2DChild::kWindowToolBar);
    auto* drawing = Control<wxToolBar>(CH2DChild::kDrawingToolBar);
    ASSERT_NE(tools, nullptr);
    ASSERT_NE(drawing, nullptr);
    doc->SetEditMode(31);
    child->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(tools->GetToolEnabled(32778));
    EXPECT_TRUE(tools->GetToolEnabled(32807));
    EXPECT_TRUE(tools->GetToolState(32807));
    EXPECT_FALSE(drawing->GetToolEnabled(CH2DChild::kInsertPictureTool));
    doc->SetEditMode(0);
    child->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(tools->GetToolEnabled(32778));
    EXPECT_FALSE(tools->GetToolState(32807));
    EXPECT_TRUE(drawing->GetToolEnabled(CH2DChild::kInsertPictureTool));
    // The style dialogs are not there yet.
    EXPECT_FALSE(drawing->GetToolEnabled(2004));
}

TEST_F(H2DChildGuiTest, PaperFrameToggleFlipsTheFlagOthersWaitForTheMainFrame) {
    auto* paper = Control<wxBitmapButton>(1242);
    ASSERT_NE(paper, nullptr);
    EXPECT_TRUE(paper->IsEnabled());
    const uint8_t before = doc->GetFramePaperShown();
    Click(1242);
    EXPECT_NE(doc->GetFramePaperShown(), before);
    Click(1242);
    EXPECT_EQ(doc->GetFramePaperShown(), before);
    auto* walls = Control<wxBitmapButton>(1234);
    ASSERT_NE(walls, nullptr);
    EXPECT_FALSE(walls->IsEnabled());
}

}  // namespace

// Two storeys, from 0 and from 300; the camera stands on the ground.
TEST_F(H2DChildGuiTest, FloorButtonMovesTheCameraToTheNextStorey) {
    Fake3DView view3D;
    CDesignScene scene;
    scene.SetDocument(doc.get());
    view3D.scene = &scene;
    doc->Attach3DView(&view3D);
    const std::vector<CVector2D> square = {{0, 0}, {0, 300}, {400, 300}, {400, 0}};
    for (const auto& [top, bottom] : {std::pair{"260", "0"}, std::pair{"560", "300"}}) {
        child->SetWallBarText(IPlanFrame::kWallTopEdit, top);
        child->SetWallBarText(IPlanFrame::kWallBottomEdit, bottom);
        ASSERT_NE(scene.AddFloorFromOutline(square), nullptr);
        ASSERT_NE(scene.AddCeilingFromOutline(square), nullptr);
    }
    scene.RebuildFloorLevels();
    scene.FillFloorCombo();
    ASSERT_EQ(scene.GetStoreyIndex(), 1);
    view3D.eye = {100.0f, 150.0f, -50.0f};
    doc->SetDesignModified(0);
    view3D.hints.clear();

    Click(CH2DChild::kFloorUpButton);
    // Onto the top storey the eye keeps its height above the storey's base.
    EXPECT_FLOAT_EQ(view3D.eye.y, scene.GetStoreyBase(1) + 150.0f);
    EXPECT_EQ(view3D.eye.x, 100.0f);
    EXPECT_EQ(view3D.eye.z, -50.0f);
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_EQ(view3D.hints, std::vector<int>{kFullRefreshHint});
    doc->Attach3DView(nullptr);
}
