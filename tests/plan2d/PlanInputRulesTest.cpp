#include <gtest/gtest.h>

#include "plan2d/GridSnap.h"
#include "plan2d/PaperFrameDrag.h"
#include "plan2d/PlanEditModes.h"

namespace {

TEST(GridSnap, RoundToGridKeepsTheGridAndSendsHalvesDown) {
    struct Case {
        double v;
        double s;
        double rounded;
    };
    for (const Case& c : {Case{126.0, 50.0, 150.0}, Case{125.0, 50.0, 100.0},
                          Case{75.0, 50.0, 50.0}, Case{33.6, 10.0, 30.0}, Case{36.2, 10.0, 40.0},
                          Case{200.0, 10.0, 200.0}, Case{0.0, 5.0, 0.0},
                          // A step below 1 would divide by nothing: the value stays.
                          Case{33.6, 0.5, 33.6}, Case{33.6, 0.0, 33.6}}) {
        EXPECT_DOUBLE_EQ(RoundToGrid(c.v, c.s), c.rounded) << c.v << " / " << c.s;
    }
}

TEST(GridSnap, SnapToGridOnlyAboveAStepOfOne) {
    struct Case {
        POINT p;
        double s;
        POINT snapped;
    };
    for (const Case& c :
         {Case{{124, 76}, 50.0, {100, 100}}, Case{{126, 74}, 50.0, {150, 50}},
          Case{{7, 3}, 5.0, {5, 5}}, Case{{7, 3}, 1.0, {7, 3}}, Case{{7, 3}, 0.0, {7, 3}}}) {
        const POINT snapped = SnapToGrid(c.p, c.s);
        EXPECT_EQ(snapped.x, c.snapped.x) << c.p.x << "," << c.p.y << " / " << c.s;
        EXPECT_EQ(snapped.y, c.snapped.y) << c.p.x << "," << c.p.y << " / " << c.s;
    }
}

TEST(PlanEditModes, RightClickMenuFollowsTheMode) {
    struct Case {
        int mode;
        int menu;
    };
    for (const Case& c :
         {Case{600, 0},   Case{651, 0},   Case{160, 0},   Case{171, 0},   Case{10, 197},
          Case{21, 197},  Case{31, 197},  Case{200, 496}, Case{276, 496}, Case{216, 494},
          Case{256, 494}, Case{257, 250}, Case{777, 250}, Case{890, 250}, Case{700, 486},
          Case{710, 486}, Case{720, 488}, Case{730, 487}, Case{740, 489}, Case{750, 490},
          Case{766, 497}, Case{770, 492}, Case{780, 492}, Case{790, 465}, Case{800, 493},
          Case{810, 464}, Case{0, 491},   Case{100, 491}, Case{911, 491}}) {
        EXPECT_EQ(GetPlanContextMenu(c.mode), c.menu) << c.mode;
    }
}

TEST(PlanEditModes, SelectionStatesHaveTheirNames) {
    EXPECT_STREQ(GetSelectionStateName(700), "單線");
    EXPECT_STREQ(GetSelectionStateName(750), "曲線/連續直線");
    EXPECT_STREQ(GetSelectionStateName(766), "複合線");
    EXPECT_STREQ(GetSelectionStateName(810), "DXF 底圖");
    EXPECT_EQ(GetSelectionStateName(706), nullptr);
    EXPECT_EQ(GetSelectionStateName(0), nullptr);
}

TEST(PlanEditModes, StatusTextsShowPlanPointsAndLengths) {
    EXPECT_EQ(FormatPointStatus(POINT{120, 35}), "(120, 35)");
    EXPECT_EQ(FormatSegmentStatus(POINT{-5, 10}, POINT{2147483647, 0}, 42),
              "(-5, 10)-(2147483647, 0)長度42公分");
}

TEST(PlanEditModes, WheelTurnsWholeNotchesOf120) {
    CWheelSteps wheel;
    EXPECT_EQ(wheel.Add(120), 1);
    EXPECT_EQ(wheel.Add(-240), -2);
    EXPECT_EQ(wheel.Add(60), 0);
    EXPECT_EQ(wheel.Add(60), 1);
    EXPECT_EQ(wheel.Add(-40), 0);
    EXPECT_EQ(wheel.Add(-80), -1);
}

TEST(PlanEditModes, PanMovesOnlyWhileTheNewPositionStaysAboveZero) {
    struct Case {
        int position;
        int delta;
        int moved;
    };
    // A ground of 2000 pixels in a client of 800.
    for (const Case& c :
         {Case{300, 50, 350}, Case{300, -50, 250}, Case{30, -30, 30}, Case{30, -50, 30},
          Case{30, -29, 1}, Case{1150, 100, 1200}, Case{1500, -10, 1190}, Case{1500, 0, 1200}}) {
        EXPECT_EQ(PanScrollPosition(c.position, c.delta, 2000, 800), c.moved)
            << c.position << " " << c.delta;
    }
    EXPECT_EQ(PanScrollPosition(0, 40, 500, 800), 0);
}

TEST(PaperFrameDrag, EdgesAreHitWithinTheirBand) {
    const RECT frame{100, 50, 300, 200};
    struct Case {
        POINT p;
        int edge;
    };
    for (const Case& c : {Case{{100, 120}, 0}, Case{{96, 120}, 0}, Case{{95, 120}, -1},
                          Case{{200, 54}, 1}, Case{{304, 199}, 2}, Case{{150, 204}, 3},
                          Case{{200, 120}, -1}, Case{{100, 260}, -1}, Case{{98, 48}, 0}}) {
        EXPECT_EQ(HitPaperFrameEdge(frame, c.p, 4), c.edge) << c.p.x << "," << c.p.y;
    }
}

}  // namespace
