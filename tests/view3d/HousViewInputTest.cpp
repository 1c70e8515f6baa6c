#include <gtest/gtest.h>
#include <wx/defs.h>

#include <cmath>
#include <numbers>

#include "view3d/HousViewInput.h"

using namespace view_input;

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;

TEST(HousViewInput, ToolkitKeysMapToTheVirtualKeysTheViewHandles) {
    struct Case {
        int toolkit;
        int vk;
    };
    const Case cases[] = {
        {WXK_PAGEUP, 33},   {WXK_NUMPAD_PAGEUP, 33},
        {WXK_PAGEDOWN, 34}, {WXK_END, 35},
        {WXK_HOME, 36},     {WXK_LEFT, 37},
        {WXK_UP, 38},       {WXK_RIGHT, 39},
        {WXK_DOWN, 40},     {WXK_NUMPAD_DOWN, 40},
        {',', 188},         {'.', 190},
        {WXK_RETURN, 13},   {WXK_NUMPAD_ENTER, 13},
        {WXK_ESCAPE, 27},   {WXK_DELETE, 46},
        {WXK_CONTROL, 17},  {'a', 'A'},
        {'G', 'G'},         {WXK_F5, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyOfToolkitKey(c.toolkit), c.vk) << c.toolkit;
    }
    for (int vk : {33, 34, 35, 36, 37, 38, 39, 40, 188, 190}) {
        EXPECT_TRUE(IsNavigationKey(vk)) << vk;
    }
    for (int vk : {13, 27, 32, 41, 46, 187, 189, 65}) {
        EXPECT_FALSE(IsNavigationKey(vk)) << vk;
    }
    EXPECT_EQ(MouseKeyState(true, false, false, false), 0x1);
    EXPECT_EQ(MouseKeyState(false, true, true, true), 0x1C);
}

TEST(HousViewInput, EachKeyMovesTheCameraItsOwnWay) {
    // Heading pi/2 looks along +x: forward is +x, a '.' sidestep is -z.
    const NavigationSteps steps{2.0f, 5.0f, 90.0f};
    const float turn = 2.0f * std::numbers::pi_v<float> * 90.0f * 0.0055555557f;
    struct Case {
        int vk;
        gfx::Vector3 eye;
        float heading;
        float pitch;
    };
    const Case cases[] = {
        {38, {10, 0, 0}, kHalfPi, 0},       {40, {-10, 0, 0}, kHalfPi, 0},
        {188, {0, 0, 10}, kHalfPi, 0},      {190, {0, 0, -10}, kHalfPi, 0},
        {36, {0, 10, 0}, kHalfPi, 0},       {35, {0, -10, 0}, kHalfPi, 0},
        {37, {0, 0, 0}, kHalfPi - turn, 0}, {39, {0, 0, 0}, kHalfPi + turn, 0},
        {33, {0, 0, 0}, kHalfPi, -kHalfPi}, {34, {0, 0, 0}, kHalfPi, kHalfPi},
    };
    for (const Case& c : cases) {
        NavigationPose pose{{0, 0, 0}, kHalfPi, 0.0f};
        EXPECT_TRUE(NavigateByKey(c.vk, steps, pose)) << c.vk;
        EXPECT_NEAR(pose.eye.x, c.eye.x, 1e-4) << c.vk;
        EXPECT_NEAR(pose.eye.y, c.eye.y, 1e-4) << c.vk;
        EXPECT_NEAR(pose.eye.z, c.eye.z, 1e-4) << c.vk;
        EXPECT_NEAR(pose.heading, c.heading, 1e-5) << c.vk;
        EXPECT_NEAR(pose.pitch, c.pitch, 1e-5) << c.vk;
    }
    NavigationPose pose;
    EXPECT_FALSE(NavigateByKey('A', steps, pose));
}

TEST(HousViewInput, PageKeysStopAtStraightUpAndDown) {
    const NavigationSteps steps{1.0f, 1.0f, 7.0f};
    NavigationPose pose;
    for (int i = 0; i < 100; ++i) {
        NavigateByKey(33, steps, pose);
    }
    EXPECT_FLOAT_EQ(pose.pitch, -kHalfPi);
    for (int i = 0; i < 200; ++i) {
        NavigateByKey(34, steps, pose);
    }
    EXPECT_FLOAT_EQ(pose.pitch, kHalfPi);
}

TEST(HousViewInput, ShiftSpeedWalksOneCentimetreWhateverTheWalkStep) {
    // The view gives speed 1 with Shift; the camera's step length is 1.
    NavigationPose pose;
    NavigateByKey(38, NavigationSteps{1.0f, 1.0f, 0.5f}, pose);
    EXPECT_NEAR(pose.eye.z, 1.0f, 1e-6);
}

TEST(HousViewInput, WheelNotchesByKeyState) {
    const NavigationSteps steps{3.0f, 1.0f, 10.0f};
    const float turn = 3.0f * std::numbers::pi_v<float> * 10.0f * 0.0055555557f;
    struct Case {
        int state;
        int delta;
        bool moves;
        gfx::Vector3 eye;
        float heading;
        float pitch;
    };
    // Heading 0 looks along +z.
    const Case cases[] = {
        {0, 120, true, {0, 0, 3}, 0, 0},
        {0, -120, true, {0, 0, -3}, 0, 0},
        {0, 0, true, {0, 0, -3}, 0, 0},
        {kMkShift, 120, true, {0, 0, 0}, turn, 0},
        {kMkShift, -120, true, {0, 0, 0}, -turn, 0},
        {kMkControl, 120, true, {-3, 0, 0}, 0, 0},
        {kMkControl, -120, true, {3, 0, 0}, 0, 0},
        {kMkMButton, 120, true, {0, 1, 0}, 0, 0},
        {kMkMButton, -120, true, {0, -1, 0}, 0, 0},
        {kMkControl | kMkMButton, 120, true, {0, 0, 0}, 0, turn},
        {kMkShift | kMkControl, 120, false, {0, 0, 0}, 0, 0},
        {kMkLButton, 120, false, {0, 0, 0}, 0, 0},
    };
    for (const Case& c : cases) {
        NavigationPose pose;
        EXPECT_EQ(NavigateByWheel(c.state, c.delta, steps, pose), c.moves) << c.state;
        EXPECT_NEAR(pose.eye.x, c.eye.x, 1e-5) << c.state << " " << c.delta;
        EXPECT_NEAR(pose.eye.y, c.eye.y, 1e-5) << c.state << " " << c.delta;
        EXPECT_NEAR(pose.eye.z, c.eye.z, 1e-5) << c.state << " " << c.delta;
        EXPECT_NEAR(pose.heading, c.heading, 1e-5) << c.state;
        EXPECT_NEAR(pose.pitch, c.pitch, 1e-5) << c.state;
    }
}

TEST(HousViewInput, OrthographicWheelAndArrowPanning) {
    EXPECT_EQ(OrthoSizeAfterWheel(100, -120, 10.0f), 140);
    EXPECT_EQ(OrthoSizeAfterWheel(100, 120, 10.0f), 60);
    // Shrinking would not stay positive.
    EXPECT_EQ(OrthoSizeAfterWheel(40, 120, 10.0f), 40);
    POINT offsets{0, 0};
    EXPECT_TRUE(PanOffsetsByKey(37, offsets));
    EXPECT_TRUE(PanOffsetsByKey(38, offsets));
    EXPECT_TRUE(PanOffsetsByKey(38, offsets));
    EXPECT_EQ(offsets.x, 10);
    EXPECT_EQ(offsets.y, 20);
    EXPECT_FALSE(PanOffsetsByKey(33, offsets));
}

TEST(HousViewInput, MiddleDragSlidesAcrossTheHeadingAndLifts) {
    NavigationPose pose{{0, 0, 0}, 0.0f, 0.0f};
    DragByMiddleButton(10, -4, pose);
    EXPECT_NEAR(pose.eye.x, -10.0f, 1e-5);
    EXPECT_NEAR(pose.eye.y, -4.0f, 1e-5);
    EXPECT_NEAR(pose.eye.z, 0.0f, 1e-5);
}

}  // namespace
