#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "foundation/ArrowDrawing.h"
#include "foundation/DCStateSaver.h"
#include "foundation/DrawingToolkit.h"
#include "foundation/LinePen.h"
#include "platform/draw/RecordingDrawContext.h"

namespace {

using draw::DrawOp;
using draw::Point;
using Points = std::vector<Point>;

TEST(DCStateSaver, RestoresWhatWasSelectedBeforeTheFirstChange) {
    draw::RecordingDrawContext dc;
    const draw::Pen original = dc.GetCurrentPen();
    const draw::Brush originalBrush = dc.GetCurrentBrush();
    {
        CDCStateSaver guard(dc);
        guard.SelectPen(draw::Pen::Create(draw::PS_SOLID, 3, draw::Rgb(1, 2, 3)));
        guard.SelectPen(draw::Pen::Create(draw::PS_DASH, 0, draw::Rgb(4, 5, 6)));
        guard.SelectStockObject(draw::NULL_BRUSH);
        guard.SetROP2(draw::R2_XORPEN);
        guard.SetBkColor(0);
        guard.SetTextColor(draw::Rgb(9, 9, 9));
        EXPECT_EQ(dc.GetROP2(), draw::R2_XORPEN);
        EXPECT_EQ(dc.GetCurrentBrush(), draw::Brush::Null());
    }
    EXPECT_EQ(dc.GetCurrentPen(), original);
    EXPECT_EQ(dc.GetCurrentBrush(), originalBrush);
    EXPECT_EQ(dc.GetROP2(), draw::R2_COPYPEN);
    EXPECT_EQ(dc.GetBkColor(), draw::Rgb(255, 255, 255));
    EXPECT_EQ(dc.GetTextColor(), 0u);
}

TEST(DCStateSaver, ASecondRestoreChangesNothing) {
    draw::RecordingDrawContext dc;
    {
        CDCStateSaver guard(dc);
        guard.SetROP2(draw::R2_XORPEN);
        guard.Restore();
        EXPECT_EQ(dc.GetROP2(), draw::R2_COPYPEN);
        dc.SetROP2(draw::R2_NOT);
    }
    EXPECT_EQ(dc.GetROP2(), draw::R2_NOT);
}

TEST(LinePenAdjustWidth, FollowsTheZoomSteps) {
    struct Case {
        int32_t width, zoom, expected;
    };
    const Case cases[] = {
        {1, 50, 1},  {1, 250, 1}, {3, 50, 6},  {3, 100, 6}, {3, 150, 4}, {6, 150, 8},
        {7, 250, 5}, {6, 250, 5}, {3, 250, 2}, {2, 250, 2}, {4, 200, 4}, {4, 151, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CLinePen::AdjustWidth(c.width, c.zoom), c.expected)
            << "width " << c.width << " zoom " << c.zoom;
    }
}

TEST(LinePen, DashesScaleWithTheNominalWidthNotTheDrawnOne) {
    struct Case {
        int32_t style, width, zoom;
        bool geometric;
        int32_t drawnWidth, drawnStyle;
        std::vector<uint32_t> dashes;
    };
    const Case cases[] = {
        {draw::PS_DASH, 3, 100, true, 6, draw::PS_USERSTYLE, {51, 21}},
        {draw::PS_DOT, 2, 150, true, 2, draw::PS_USERSTYLE, {4, 8}},
        {draw::PS_DASHDOT, 4, 250, true, 3, draw::PS_USERSTYLE, {32, 28, 8, 28}},
        {draw::PS_DASHDOTDOT, 2, 50, true, 4, draw::PS_USERSTYLE, {16, 8, 4, 8, 4, 8}},
        {draw::PS_SOLID, 3, 200, true, 3, draw::PS_SOLID, {}},
        // Width 1 stays a cosmetic pen of its own style.
        {draw::PS_DASHDOTDOT, 1, 50, false, 0, draw::PS_DASHDOTDOT, {}},
    };
    for (const Case& c : cases) {
        draw::RecordingDrawContext dc;
        const CLinePen pen(c.style, c.width, draw::Rgb(10, 20, 30), c.zoom);
        EXPECT_EQ(pen.GetNominalWidth(), c.width);
        DrawLineWithPen(dc, {0, 0}, {100, 0}, pen);
        ASSERT_EQ(dc.Records().size(), 1u);
        const draw::Pen& drawn = dc.Records()[0].state.pen;
        SCOPED_TRACE(testing::Message() << "style " << c.style << " zoom " << c.zoom);
        EXPECT_EQ(drawn.geometric, c.geometric);
        EXPECT_EQ(drawn.width, c.drawnWidth);
        EXPECT_EQ(drawn.style, c.drawnStyle);
        EXPECT_EQ(drawn.userStyle, c.dashes);
        EXPECT_EQ(drawn.color, draw::Rgb(10, 20, 30));
        if (c.geometric) {
            EXPECT_EQ(drawn.endCap, draw::PS_ENDCAP_SQUARE);
        }
        // The previous pen is back.
        EXPECT_EQ(dc.GetCurrentPen(), draw::Pen::Stock(draw::BLACK_PEN));
    }
}

TEST(DrawingToolkit, PointsAreRoundedHalfAwayFromZero) {
    draw::RecordingDrawContext dc;
    DrawLine(dc, {-2.5, 2.5}, {10.4, -0.5});
    ASSERT_EQ(dc.Records().size(), 1u);
    EXPECT_EQ(dc.Records()[0].points, (Points{{-3, 3}, {10, -1}}));
}

TEST(DrawingToolkit, RectOutlineRunsTopRightBottomLeft) {
    draw::RecordingDrawContext dc;
    DrawRectOutline(dc, 1, 2, 30, 40);
    std::vector<Points> lines;
    for (const draw::DrawRecord& r : dc.Records()) {
        EXPECT_EQ(r.op, DrawOp::Line);
        lines.push_back(r.points);
    }
    EXPECT_EQ(lines,
              (std::vector<Points>{
                  {{1, 2}, {30, 2}}, {{30, 2}, {30, 40}}, {{30, 40}, {1, 40}}, {{1, 40}, {1, 2}}}));
}

TEST(DrawingToolkit, ArcBoxIsTheSquareAroundTheCentre) {
    draw::RecordingDrawContext dc;
    DrawArcAroundCentre(dc, {10, 10}, {13, 14}, {5.4, 10});
    ASSERT_EQ(dc.Records().size(), 1u);
    EXPECT_EQ(dc.Records()[0].op, DrawOp::Arc);
    EXPECT_EQ(dc.Records()[0].points, (Points{{5, 5}, {15, 15}, {13, 14}, {5, 10}}));
}

TEST(DrawingToolkit, FilledRectAndCrossRestoreTheSelection) {
    draw::RecordingDrawContext dc;
    const draw::Brush brush = draw::Brush::Solid(draw::Rgb(1, 1, 1));
    DrawFilledRect(dc, 0, 0, 10, 10, brush);
    DrawDiagonalCross(dc, 0, 0, 10, 10, draw::Pen::Create(draw::PS_SOLID, 2, 0));
    ASSERT_EQ(dc.Records().size(), 3u);
    EXPECT_EQ(dc.Records()[0].state.brush, brush);
    EXPECT_EQ(dc.Records()[1].points, (Points{{0, 0}, {10, 10}}));
    EXPECT_EQ(dc.Records()[2].points, (Points{{0, 10}, {10, 0}}));
    EXPECT_EQ(dc.Records()[2].state.pen.width, 2);
    EXPECT_EQ(dc.GetCurrentBrush(), draw::Brush::Stock(draw::WHITE_BRUSH));
    EXPECT_EQ(dc.GetCurrentPen(), draw::Pen::Stock(draw::BLACK_PEN));
}

ArrowHeadStyle Head(int32_t kind, double angle = 45.0, double a = 0.0, double b = 0.0) {
    ArrowHeadStyle head;
    head.length = 10.0;
    head.angle = angle;
    head.kind = kind;
    head.barExtentA = a;
    head.barExtentB = b;
    return head;
}

TEST(ArrowHead, KindsDrawTheirShapeAndReturnTheAttachPoint) {
    struct Case {
        ArrowHeadStyle head;
        std::vector<std::pair<DrawOp, Points>> drawn;
        CVector2D attach;
    };
    const Points open{{10, 10}, {0, 0}, {10, -10}};
    const Points closed{{10, 10}, {0, 0}, {10, -10}, {10, 10}};
    const Points bar{{0, 10}, {0, -10}};
    const Case cases[] = {
        {Head(1), {{DrawOp::Polyline, open}}, {0, 0}},
        {Head(2), {{DrawOp::Polyline, open}, {DrawOp::Line, bar}}, {0, 0}},
        {Head(3), {{DrawOp::Polyline, closed}}, {10, 0}},
        {Head(4), {{DrawOp::Polyline, closed}, {DrawOp::Line, bar}}, {10, 0}},
        {Head(5), {{DrawOp::Polygon, open}}, {10, 0}},
        {Head(6, 45.0, 3.0, 0.0),
         {{DrawOp::Polygon, open}, {DrawOp::Line, {{0, 3}, {0, -10}}}},
         {10, 0}},
    };
    for (const Case& c : cases) {
        draw::RecordingDrawContext dc;
        const CVector2D attach = DrawArrowHead(dc, c.head, {0, 0}, 0.0);
        SCOPED_TRACE(testing::Message() << "kind " << c.head.kind);
        EXPECT_NEAR(attach.x, c.attach.x, 1e-9);
        EXPECT_NEAR(attach.y, c.attach.y, 1e-9);
        ASSERT_EQ(dc.Records().size(), c.drawn.size());
        for (size_t i = 0; i < c.drawn.size(); ++i) {
            EXPECT_EQ(dc.Records()[i].op, c.drawn[i].first);
            EXPECT_EQ(dc.Records()[i].points, c.drawn[i].second);
        }
    }
}

TEST(ArrowHead, NoHeadWithoutAFiniteHalfWidth) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ArrowHeadStyle heads[] = {
        Head(0),      Head(7),        Head(3, 90.0),  Head(3, 89.995),
        Head(3, 0.0), Head(3, -20.0), Head(3, 120.0), Head(3, nan),
    };
    for (const ArrowHeadStyle& head : heads) {
        draw::RecordingDrawContext dc;
        const CVector2D attach = DrawArrowHead(dc, head, {4, 5}, 30.0);
        EXPECT_TRUE(dc.Records().empty()) << "kind " << head.kind << " angle " << head.angle;
        EXPECT_EQ(attach, CVector2D(4, 5));
    }
    ArrowHeadStyle endless = Head(3);
    endless.length = std::numeric_limits<double>::infinity();
    draw::RecordingDrawContext dc;
    EXPECT_EQ(DrawArrowHead(dc, endless, {4, 5}, 0.0), CVector2D(4, 5));
    EXPECT_TRUE(dc.Records().empty());
}

TEST(ArrowLine, HeadsPointOutwardAndTheShaftMeetsTheirBases) {
    draw::RecordingDrawContext dc;
    ArrowLineStyle style(0, 0, 100, 0);
    style.startHead = Head(3);
    style.endHead = Head(1);
    ArrowLineStyle copy;
    copy.Assign(style);
    DrawArrowLine(dc, copy);
    ASSERT_EQ(dc.Records().size(), 3u);
    EXPECT_EQ(dc.Records()[0].points, (Points{{10, 10}, {0, 0}, {10, -10}, {10, 10}}));
    EXPECT_EQ(dc.Records()[1].points, (Points{{90, -10}, {100, 0}, {90, 10}}));
    EXPECT_EQ(dc.Records()[2].op, DrawOp::Line);
    EXPECT_EQ(dc.Records()[2].points, (Points{{10, 0}, {100, 0}}));
}

TEST(ArrowLine, UpwardLineOpensItsStartHeadUpward) {
    draw::RecordingDrawContext dc;
    ArrowLineStyle style(0, 0, 0, -100);
    style.startHead = Head(3);
    DrawArrowLine(dc, style);
    ASSERT_EQ(dc.Records().size(), 2u);
    EXPECT_EQ(dc.Records()[0].points, (Points{{10, -10}, {0, 0}, {-10, -10}, {10, -10}}));
    EXPECT_EQ(dc.Records()[1].points, (Points{{0, -10}, {0, -100}}));
}

TEST(ArrowLine, DefaultRecordHasNoHeads) {
    const ArrowLineStyle style;
    EXPECT_EQ(style.start, CVector2D(0, 0));
    EXPECT_EQ(style.startHead.kind, 0);
    EXPECT_EQ(style.endHead.length, 10.0);
    EXPECT_EQ(style.endHead.angle, 20.0);
    draw::RecordingDrawContext dc;
    DrawArrowLine(dc, ArrowLineStyle(1, 2, 30, 40));
    ASSERT_EQ(dc.Records().size(), 1u);
    EXPECT_EQ(dc.Records()[0].points, (Points{{1, 2}, {30, 40}}));
}

}  // namespace
