#include <gtest/gtest.h>
#include <wx/defs.h>

#include "plan2d/CoordInputText.h"
#include "plan2d/FloorControls.h"
#include "plan2d/PlanScroll.h"
#include "plan2d/VirtualKey.h"

namespace {

TEST(FloorControls, ButtonsGreyAtTheFirstAndTheTopStorey) {
    struct Case {
        int current;
        int top;
        bool up;
        bool down;
    };
    for (const Case& c : {Case{0, 2, true, false}, Case{1, 2, true, true}, Case{2, 2, false, true},
                          Case{0, 0, false, false}}) {
        const FloorControlState state = GetFloorControlState(c.current, c.top);
        EXPECT_EQ(state.selection, c.current);
        EXPECT_EQ(state.upEnabled, c.up) << c.current << "/" << c.top;
        EXPECT_EQ(state.downEnabled, c.down) << c.current << "/" << c.top;
    }
}

TEST(PlanScroll, ExtentChangePullsThePositionBackIntoView) {
    struct Case {
        int size;
        int client;
        int position;
        int fitted;
    };
    for (const Case& c : {Case{500, 801, 120, 0},     // the whole ground fits
                          Case{801, 801, 10, 0},      // exactly fits
                          Case{2000, 801, 300, 300},  // stays
                          Case{2000, 801, 1500, 1199}, Case{2000, 801, 2500, 1199}}) {
        EXPECT_EQ(FitScrollPosition(c.size, c.client, c.position), c.fitted)
            << c.size << " " << c.position;
    }
    EXPECT_EQ(ClampScrollPosition(2000, 800, -5), 0);
    EXPECT_EQ(ClampScrollPosition(2000, 800, 1300), 1200);
    EXPECT_EQ(ClampScrollPosition(500, 800, 40), 0);
}

TEST(CoordInputText, PointShowsBothCoordinates) {
    const CoordInputText text = FormatCoordPoint(POINT{120, -35});
    EXPECT_EQ(text.first, "120");
    EXPECT_EQ(text.second, "-35");
}

TEST(CoordInputText, SegmentAnglesFoldIntoAHalfTurn) {
    struct Case {
        POINT cursor;
        const char* length;
        const char* angle;
    };
    const POINT last{100, 100};
    for (const Case& c : {Case{{100, 150}, "50", "90"},   // straight down on the screen
                          Case{{100, 50}, "50", "90"},    // straight up
                          Case{{130, 140}, "50", "53"},   // 53.13 degrees
                          Case{{70, 140}, "50", "127"},   // 126.87
                          Case{{60, 100}, "40", "180"},   // to the left
                          Case{{100, 100}, "0", "0"}}) {  // no length
        const CoordInputText text = FormatCoordSegment(c.cursor, last);
        EXPECT_EQ(text.first, c.length) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(text.second, c.angle) << c.cursor.x << "," << c.cursor.y;
    }
}

TEST(CoordInputText, DigitsAndTabStartTyping) {
    for (int key : {int{'0'}, int{'9'}, 96, 105, 9}) {
        EXPECT_TRUE(IsCoordEntryKey(key)) << key;
    }
    for (int key : {int{'A'}, 13, 27, 106, 47, 58}) {
        EXPECT_FALSE(IsCoordEntryKey(key)) << key;
    }
}

TEST(VirtualKey, WxKeysBecomeWindowsKeyCodes) {
    struct Case {
        int wx;
        int vk;
    };
    for (const Case& c : {Case{WXK_PAGEUP, 33}, Case{WXK_PAGEDOWN, 34}, Case{WXK_END, 35},
                          Case{WXK_HOME, 36},   Case{WXK_LEFT, 37},     Case{WXK_UP, 38},
                          Case{WXK_RIGHT, 39},  Case{WXK_DOWN, 40},     Case{',', 188},
                          Case{'.', 190},       Case{WXK_ESCAPE, 27},   Case{WXK_RETURN, 13},
                          Case{WXK_DELETE, 46}, Case{WXK_CONTROL, 17},  Case{WXK_F3, 114},
                          Case{WXK_F8, 119},    Case{WXK_NUMPAD7, 103}, Case{'a', 'A'},
                          Case{'G', 'G'},       Case{'5', '5'},         Case{WXK_TAB, 9},
                          Case{'/', 0}}) {
        EXPECT_EQ(VirtualKeyFromWx(c.wx), c.vk) << c.wx;
    }
}

}  // namespace
