#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "document/HousSettings.h"
#include "document/PlanZoom.h"
#include "plan2d/FloorControls.h"
#include "plan2d/PlanFrameRules.h"
#include "plan2d/PlanSubModeMenus.h"

namespace {

TEST(PlanFrameRect, FollowsTheDesktopWidth) {
    const struct {
        int desktop;
        int x;
        int width;
        int height;
    } cases[] = {{640, 349, 286, 320},  {800, 436, 359, 440},  {1024, 558, 461, 598},
                 {1279, 697, 577, 598}, {1280, 698, 577, 623}, {1920, 1047, 868, 623}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.desktop);
        const PlanFrameRect rect = GetPlanFrameRect(c.desktop);
        EXPECT_EQ(rect.x, c.x);
        EXPECT_EQ(rect.y, 0);
        EXPECT_EQ(rect.width, c.width);
        EXPECT_EQ(rect.height, c.height);
    }
}

TEST(ToolButtonState, CheckedInItsModesAndLockedWhileAnotherDraws) {
    const struct {
        int mode;
        bool enabled;
        bool checked;
    } cases[] = {
        {0, true, false},     // idle
        {20, true, true},     // the wall tool waits for its first point
        {21, true, true},     // drawing a wall: its own button stays usable
        {31, false, false},   // drawing a floor locks the wall button
        {200, true, false},   // a selection
        {901, false, false},  // printing and the show lock every tool
        {950, false, false}, {999, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const ToolButtonState state = GetToolButtonState(c.mode, 20, 21);
        EXPECT_EQ(state.enabled, c.enabled);
        EXPECT_EQ(state.checked, c.checked);
    }
    EXPECT_TRUE(IsDrawingBarCommandEnabled(0));
    EXPECT_FALSE(IsDrawingBarCommandEnabled(601));
    EXPECT_FALSE(IsDrawingBarCommandEnabled(915));
}

// Only the outline tools take points in the plan; the others stay off in
// every mode, even their own, and show no check.
TEST(ToolButtonState, ToolsThatTakeNoPointsStayOff) {
    const struct {
        int modeA;
        int modeB;
        bool built;
    } tools[] = {
        {10, 11, true},    {20, 21, true},    {30, 31, true},    {170, 171, false},
        {160, 161, false}, {100, 100, false}, {600, 601, false}, {610, 611, false},
        {620, 621, false}, {630, 631, false}, {640, 641, false}, {650, 651, false},
    };
    for (const auto& tool : tools) {
        SCOPED_TRACE(tool.modeA);
        EXPECT_EQ(IsPlanToolBuilt(tool.modeA), tool.built);
        for (int mode : {0, tool.modeA, tool.modeB}) {
            const ToolButtonState state = GetToolButtonState(mode, tool.modeA, tool.modeB);
            EXPECT_EQ(state.enabled, tool.built) << mode;
            EXPECT_EQ(state.checked, tool.built && mode != 0) << mode;
        }
    }
}

TEST(WallBarEditState, FloorsHaveNoTopAndCeilingsNoBottom) {
    const std::optional<WallBarEditState> floor = GetWallBarEditState(30);
    ASSERT_TRUE(floor);
    EXPECT_FALSE(floor->top);
    EXPECT_TRUE(floor->bottom);
    EXPECT_FALSE(floor->thickness);
    const std::optional<WallBarEditState> ceiling = GetWallBarEditState(10);
    ASSERT_TRUE(ceiling);
    EXPECT_TRUE(ceiling->top);
    EXPECT_FALSE(ceiling->bottom);
    EXPECT_FALSE(ceiling->thickness);
    const std::optional<WallBarEditState> wall = GetWallBarEditState(20);
    ASSERT_TRUE(wall);
    EXPECT_TRUE(wall->top && wall->bottom && wall->thickness);
    // Drawing leaves the edits as they are.
    EXPECT_FALSE(GetWallBarEditState(21));
}

TEST(WallBarText, NegativeThicknessBecomesItsAbsoluteValue) {
    const struct {
        const char* text;
        std::optional<std::string> corrected;
    } cases[] = {{"-30", "30"},
                 {"-7.5", "7"},
                 {"30", std::nullopt},
                 {"0", std::nullopt},
                 {"", std::nullopt},
                 {"-", std::nullopt},
                 {"abc", std::nullopt},
                 {"-2147483648", "2147483648"},
                 {"-99999999999", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CorrectThicknessText(c.text), c.corrected);
    }
}

TEST(WallBarText, FixedAngleAcceptsOneTo180Degrees) {
    using Action = FixedAngleInput::Action;
    const struct {
        const char* text;
        Action action;
        int angle;
    } cases[] = {{"45", Action::Accept, 45},   {"1", Action::Accept, 1},
                 {"180", Action::Accept, 180}, {"0", Action::Refuse, 0},
                 {"181", Action::Refuse, 0},   {"-5", Action::Refuse, 0},
                 {"", Action::Keep, 0},        {"x", Action::Keep, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const FixedAngleInput input = CheckFixedAngleText(c.text);
        EXPECT_EQ(input.action, c.action);
        if (c.action == Action::Accept) {
            EXPECT_EQ(input.angle, c.angle);
        }
    }
}

TEST(ZoomStep, UnmatchedScaleStartsFromTheNearestLevel) {
    const struct {
        int selection;
        double scale;
        int step;
        std::optional<int> target;
    } cases[] = {
        {23, 0.5, -1, 22},             // 100 % zooms in to 150 %
        {23, 0.5, 1, 24},              // and out to 90 %
        {0, 10.0, -1, std::nullopt},   // nothing beyond 2000 %
        {31, 0.1, 1, std::nullopt},    // nor below 20 %
        {-1, 0.525, 1, 24},            // 105 %: out to 90 %, not to 2000 %
        {-1, 0.525, -1, 22},           // and in to 150 %
        {-1, 0.185, 1, 30},            // 37 %: nearest 40 %, out to 30 %
        {-1, 12.0, -1, std::nullopt},  // 2400 %: nearest is the largest
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selection << " " << c.scale << " " << c.step);
        EXPECT_EQ(GetZoomStepTarget(c.selection, c.scale, c.step), c.target);
    }
    for (int level = 0; level < PlanZoom::kLevelCount; ++level) {
        EXPECT_EQ(FindNearestZoomLevel(PlanZoom::GetLevelScale(level)), level);
    }
}

TEST(SwitchFloor, EyeGoesToTheMiddleOfALowerStoreyAndKeepsItsHeightOnTheTop) {
    const std::vector<float> bases = {0.0f, 300.0f, 650.0f};
    EXPECT_EQ(GetSwitchFloorEyeHeight(bases, 0, 1, 150.0f), 475.0f);
    EXPECT_EQ(GetSwitchFloorEyeHeight(bases, 2, 0, 800.0f), 150.0f);
    // To the top from the storey below: moved by the difference of the bases.
    EXPECT_EQ(GetSwitchFloorEyeHeight(bases, 1, 2, 420.0f), 420.0f + 350.0f);
    // An eye that would not lie above the top base stands 100 above it.
    EXPECT_EQ(GetSwitchFloorEyeHeight(bases, 0, 2, -20.0f), 750.0f);
    EXPECT_EQ(GetSwitchFloorEyeHeight(bases, 1, 1, 420.0f), std::nullopt);
    EXPECT_EQ(GetSwitchFloorEyeHeight(bases, 1, 3, 420.0f), std::nullopt);
    EXPECT_EQ(GetSwitchFloorEyeHeight(bases, 1, -1, 420.0f), std::nullopt);
}

TEST(PlanSubModeMenus, EveryItemBelongsToOneMenuAndSetsItsSetting) {
    std::set<int> items;
    HousSettings settings;
    for (const PlanSubModeMenu& menu : GetPlanSubModeMenus()) {
        EXPECT_EQ(FindSubModeMenuOfButton(menu.buttonId), &menu);
        for (std::size_t i = 0; i < menu.items.size(); ++i) {
            const int id = menu.firstItem + static_cast<int>(i);
            EXPECT_TRUE(items.insert(id).second) << id;
            EXPECT_EQ(FindSubModeMenuOfItem(id), &menu);
        }
    }
    EXPECT_EQ(items.size(), 13u);
    EXPECT_EQ(FindSubModeMenuOfItem(33066), nullptr);
    EXPECT_EQ(&(settings.*(FindSubModeMenuOfItem(33062)->subMode)), &settings.circleStyle);
    EXPECT_EQ(&(settings.*(FindSubModeMenuOfItem(33071)->subMode)), &settings.growStruct);
}

}  // namespace
