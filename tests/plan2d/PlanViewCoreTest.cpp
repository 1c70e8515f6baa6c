#include "plan2d/PlanMapping.h"

#include <gtest/gtest.h>

#include <cmath>

#include "document/PlanZoom.h"
#include "plan2d/MouseEventRecord.h"
#include "plan2d/PaperFrameTips.h"
#include "plan2d/PlanEditModeClass.h"
#include "plan2d/PlanScroll.h"

namespace {

constexpr int kGround = 3000;

draw::Mapping ScreenMapping(double scale, int ruler) {
    return ComputePlanMapping(kGround, kGround, scale, ruler, 1.0).ToMapping();
}

TEST(PlanMapping, SetupFollowsScaleRulerAndPrinterFactor) {
    struct Case {
        double scale;
        int ruler;
        double factor;
        POINT scrollSize;
        draw::Size windowExt;
    };
    for (const Case& c : {Case{0.5, 24, 1.0, {1524, 1524}, {3048, 3048}},
                          Case{0.5, 0, 1.0, {1500, 1500}, {3000, 3000}},
                          Case{10.0, 24, 1.0, {30024, 30024}, {3002, 3002}},
                          Case{0.1, 24, 1.0, {324, 324}, {3240, 3240}},
                          Case{0.5, 24, 4.72, {1524, 1524}, {646, 646}}}) {
        const PlanMappingSetup setup =
            ComputePlanMapping(kGround, kGround, c.scale, c.ruler, c.factor);
        EXPECT_EQ(setup.scrollSize.x, c.scrollSize.x) << c.scale << " " << c.ruler;
        EXPECT_EQ(setup.scrollSize.y, c.scrollSize.y);
        EXPECT_EQ(setup.windowExt, c.windowExt) << c.scale << " " << c.ruler << " " << c.factor;
        EXPECT_EQ(setup.viewportExt, (draw::Size{c.scrollSize.x, c.scrollSize.y}));
        EXPECT_EQ(setup.viewportOrg, (draw::Point{c.ruler, c.ruler}));
    }
}

// Pixels of known points, worked out from the rounded extents: at 2000 %
// with the rulers the window extent 3002 stretches the far end of the
// ground by 4 pixels, as the integer mapping does.
TEST(PlanMapping, StoredPointsLandOnTheirPixelsBothWays) {
    struct Case {
        double scale;
        int ruler;
        POINT scroll;
        CVector2D stored;
        POINT client;
    };
    for (const Case& c : {
             Case{0.5, 24, {0, 0}, CVector2D(100.0, -100.0), {74, 74}},
             Case{0.5, 0, {0, 0}, CVector2D(100.0, -100.0), {50, 50}},
             Case{0.5, 24, {137, 59}, CVector2D(600.0, -300.0), {187, 115}},
             Case{0.1, 24, {0, 0}, CVector2D(2990.0, -10.0), {323, 25}},
             Case{0.75, 0, {500, 40}, CVector2D(1000.0, -80.0), {250, 20}},
             Case{10.0, 0, {29000, 100}, CVector2D(3000.0, -20.0), {1000, 100}},
             Case{10.0, 24, {29000, 100}, CVector2D(3000.0, -20.0), {1028, 124}},
             Case{10.0, 24, {0, 0}, CVector2D(1.0, -1.0), {34, 34}},
         }) {
        SCOPED_TRACE(testing::Message() << c.scale << " " << c.ruler << " " << c.stored.x);
        const draw::Mapping mapping = ScreenMapping(c.scale, c.ruler);
        const POINT client = PlanToClient(mapping, c.stored, c.scroll);
        EXPECT_EQ(client.x, c.client.x);
        EXPECT_EQ(client.y, c.client.y);
        const CVector2D logical = ClientToLogical(mapping, c.client, c.scroll);
        EXPECT_EQ(logical, CVector2D(c.stored.x, -c.stored.y));
    }
}

// Halves of a centimetre go away from zero before the mapping.
TEST(PlanMapping, StoredPointsRoundToWholeCentimetres) {
    const draw::Mapping mapping = ScreenMapping(1.0, 0);
    const POINT up = PlanToClient(mapping, CVector2D(10.5, -20.5), POINT{});
    EXPECT_EQ(up.x, 11);
    EXPECT_EQ(up.y, 21);
    const POINT down = PlanToClient(mapping, CVector2D(10.49, -20.49), POINT{});
    EXPECT_EQ(down.x, 10);
    EXPECT_EQ(down.y, 20);
}

// At every zoom level, scroll position and ruler state: up to 200 % every
// pixel comes back to itself through its centimetre; above it every
// centimetre comes back to itself through its pixel.
TEST(PlanMapping, ConversionsRoundTripAtEveryZoom) {
    for (int level = 0; level < PlanZoom::kLevelCount; ++level) {
        const double scale = PlanZoom::GetLevelScale(level);
        for (const int ruler : {0, 24}) {
            const draw::Mapping mapping = ScreenMapping(scale, ruler);
            for (const POINT scroll : {POINT{0, 0}, POINT{37, 211}, POINT{1200, 450}}) {
                SCOPED_TRACE(testing::Message() << "level " << level << " ruler " << ruler
                                                << " scroll " << scroll.x << "," << scroll.y);
                if (scale <= 1.0) {
                    for (int px = ruler; px < ruler + 300; px += 7) {
                        const POINT client{px, px + 3};
                        const CVector2D logical = ClientToLogical(mapping, client, scroll);
                        const POINT back =
                            PlanToClient(mapping, CVector2D(logical.x, -logical.y), scroll);
                        ASSERT_EQ(back.x, client.x);
                        ASSERT_EQ(back.y, client.y);
                    }
                } else {
                    for (int cm = 0; cm < kGround; cm += 97) {
                        const CVector2D stored(cm, -(kGround - cm));
                        const POINT client = PlanToClient(mapping, stored, scroll);
                        const CVector2D logical = ClientToLogical(mapping, client, scroll);
                        ASSERT_EQ(logical, CVector2D(stored.x, -stored.y));
                    }
                }
            }
        }
    }
}

TEST(PlanMapping, TitleFrameTakesTheRulersOffTheLogicalExtent) {
    const PlanMappingSetup ruled = ComputeTitleFrameMapping(3000, 2000, 1.0, true);
    EXPECT_EQ(ruled.windowExt, (draw::Size{3048, 2048}));
    EXPECT_EQ(ruled.scrollSize.x, 1524);
    EXPECT_EQ(ruled.scrollSize.y, 1024);
    EXPECT_EQ(ruled.viewportExt, (draw::Size{1524, 1024}));
    EXPECT_EQ(ruled.viewportOrg, (draw::Point{24, 24}));

    const PlanMappingSetup bare = ComputeTitleFrameMapping(3000, 2000, 0.75, false);
    EXPECT_EQ(bare.windowExt, (draw::Size{3000, 2000}));
    EXPECT_EQ(bare.scrollSize.x, 1125);
    EXPECT_EQ(bare.scrollSize.y, 750);
    EXPECT_EQ(bare.viewportOrg, (draw::Point{0, 0}));
}

TEST(PlanScroll, BarRequestsStepByTenthsOfTheExtent) {
    struct Case {
        ScrollAction action;
        int size;
        int current;
        int wanted;
    };
    for (const Case& c :
         {Case{ScrollAction::Top, 2000, 700, 0}, Case{ScrollAction::Bottom, 2000, 700, 2000},
          Case{ScrollAction::LineUp, 2000, 700, 680}, Case{ScrollAction::LineDown, 2000, 700, 720},
          Case{ScrollAction::PageUp, 2000, 700, 500}, Case{ScrollAction::PageDown, 2000, 700, 900},
          Case{ScrollAction::LineDown, 50, 0, 1}, Case{ScrollAction::PageDown, 5, 0, 1},
          Case{ScrollAction::Thumb, 2000, 700, 333}}) {
        EXPECT_EQ(RequestedScrollPosition(c.action, c.size, c.current, 333), c.wanted)
            << static_cast<int>(c.action) << " " << c.size;
    }
}

TEST(MouseEventRecord, PointsStartInvalidAndFollowTheirKind) {
    MouseEventRecord record;
    const POINT invalid = GetInvalidPlanPoint();
    EXPECT_EQ(invalid.x, -999999);
    EXPECT_EQ(invalid.y, -999999);
    EXPECT_EQ(record.kind, MouseEventRecord::kNone);
    EXPECT_EQ(record.rightUp.x, invalid.x);

    record.Update(MouseEventRecord::kRightDown, POINT{5, 6});
    EXPECT_EQ(record.rightDown.x, 5);
    EXPECT_EQ(record.leftDown.x, invalid.x);
    // A move keeps the kind and goes to that kind's point as well.
    record.Update(MouseEventRecord::kNone, POINT{8, 9});
    EXPECT_EQ(record.kind, MouseEventRecord::kRightDown);
    EXPECT_EQ(record.last.y, 9);
    EXPECT_EQ(record.rightDown.y, 9);
    record.Update(MouseEventRecord::kLeftDoubleClick, POINT{1, 2});
    EXPECT_EQ(record.doubleClick.x, 1);
    EXPECT_EQ(record.rightDown.x, 8);
}

TEST(MouseEventRecord, GuardUpdatesWhenTheHandlerReturnsEarly) {
    MouseEventRecord record;
    const auto handler = [&record](bool early) {
        MouseEventGuard guard(record, MouseEventRecord::kLeftUp, POINT{40, 50});
        if (early) {
            return 1;
        }
        return record.kind;
    };
    EXPECT_EQ(handler(true), 1);
    EXPECT_EQ(record.kind, MouseEventRecord::kLeftUp);
    EXPECT_EQ(record.leftUp.x, 40);
    // The record changes only after the handler has seen the old one.
    record.kind = MouseEventRecord::kNone;
    EXPECT_EQ(handler(false), MouseEventRecord::kNone);
    EXPECT_EQ(record.kind, MouseEventRecord::kLeftUp);
}

TEST(PlanEditModeClass, CreationSelectionAndOtherModes) {
    struct Case {
        int mode;
        PlanEditModeClass expected;
    };
    for (const Case& c :
         {Case{10, kCreationModeClass}, Case{21, kCreationModeClass}, Case{100, kCreationModeClass},
          Case{171, kCreationModeClass}, Case{651, kCreationModeClass},
          Case{200, kSelectionModeClass}, Case{257, kSelectionModeClass},
          Case{777, kSelectionModeClass}, Case{890, kSelectionModeClass}, Case{0, kOtherModeClass},
          Case{50, kOtherModeClass}, Case{180, kOtherModeClass}, Case{240, kOtherModeClass},
          Case{940, kOtherModeClass}, Case{652, kOtherModeClass}, Case{830, kOtherModeClass}}) {
        EXPECT_EQ(GetPlanEditModeClass(c.mode), c.expected) << c.mode;
    }
}

TEST(PaperFrameTips, EdgesAreBandsAndTheHandleASquareOfTheSense) {
    const RECT frame{100, 50, 301, 181};
    const POINT centre = GetPaperFrameCentre(frame);
    EXPECT_EQ(centre.x, 200);
    EXPECT_EQ(centre.y, 115);
    const PaperTipRects rects = ComputePaperTipRects(frame, 4, centre, 4);
    const RECT& handle = rects[4];
    EXPECT_EQ(handle.right - handle.left, 8);
    EXPECT_EQ(handle.bottom - handle.top, 8);
    EXPECT_EQ(handle.left, 196);
    EXPECT_EQ(handle.top, 111);

    struct Case {
        POINT point;
        int tip;
    };
    for (const Case& c :
         {Case{{97, 120}, 0}, Case{{103, 120}, 0}, Case{{104, 120}, -1}, Case{{150, 46}, 1},
          Case{{150, 54}, -1}, Case{{304, 60}, 2}, Case{{150, 184}, 3}, Case{{150, 185}, -1},
          Case{{203, 118}, 4}, Case{{204, 118}, -1}, Case{{40, 40}, -1}}) {
        EXPECT_EQ(FindPaperTip(rects, c.point), c.tip) << c.point.x << "," << c.point.y;
    }
}

}  // namespace
