#include "foundation/RubberBand.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/draw/ImageDrawContext.h"
#include "platform/draw/RecordingDrawContext.h"

namespace {

using draw::Point;
using Points = std::vector<Point>;

class RubberBand : public testing::Test {
protected:
    void SetUp() override { GetRubberBandState() = {}; }
    void TearDown() override { GetRubberBandState() = {}; }

    const PlanDrawOrigin origin{5, -3, 100};
};

std::vector<Points> Lines(const draw::RecordingDrawContext& dc) {
    std::vector<Points> lines;
    for (const draw::DrawRecord& r : dc.Records()) {
        lines.push_back(r.points);
    }
    return lines;
}

TEST_F(RubberBand, LineDrawsErasesAndSkipsTheCursorOnTheLastPoint) {
    draw::RecordingDrawContext dc;
    const CVector2D last(10, 20);
    // Plan (x, y) lands at (x - 5, -y + 3).
    DrawRubberBandLine(dc, &last, {30, 40}, 1, origin);
    EXPECT_EQ(Lines(dc), (std::vector<Points>{{{5, -17}, {25, -37}}}));
    const draw::DrawRecord& first = dc.Records()[0];
    EXPECT_EQ(first.state.rop2, draw::R2_XORPEN);
    EXPECT_EQ(first.state.pen, draw::Pen::Create(draw::PS_SOLID, 0, draw::Rgb(32, 64, 128)));
    EXPECT_EQ(first.state.brush, draw::Brush::Null());
    EXPECT_EQ(first.state.bkColor, 0u);
    EXPECT_EQ(dc.GetROP2(), draw::R2_COPYPEN);
    EXPECT_EQ(GetRubberBandState().lineCursor, CVector2D(30, 40));

    dc.ClearRecords();
    DrawRubberBandLine(dc, &last, {50.4, 60.6}, 3, origin);
    EXPECT_EQ(Lines(dc), (std::vector<Points>{{{5, -17}, {25, -37}}, {{5, -17}, {45, -58}}}));
    EXPECT_EQ(GetRubberBandState().lineCursor, CVector2D(50.4, 60.6));

    // The cursor on the last point: remembered, nothing drawn, not even with
    // the draw flag.
    dc.ClearRecords();
    DrawRubberBandLine(dc, &last, last, 3, origin);
    EXPECT_TRUE(dc.Records().empty());
    EXPECT_EQ(GetRubberBandState().lineCursor, last);

    // Erasing now draws towards the remembered last point.
    DrawRubberBandLine(dc, &last, {1, 1}, 2, origin);
    EXPECT_EQ(Lines(dc), (std::vector<Points>{{{5, -17}, {5, -17}}}));
    EXPECT_EQ(GetRubberBandState().lineCursor, last);

    dc.ClearRecords();
    DrawRubberBandLine(dc, nullptr, {1, 1}, 3, origin);
    EXPECT_TRUE(dc.Records().empty());
    EXPECT_EQ(GetRubberBandState().lineCursor, last);
}

TEST_F(RubberBand, RectHasNoEqualityShortcutAndItsOwnMemory) {
    draw::RecordingDrawContext dc;
    DrawRubberBandRect(dc, {0, 0}, {0, 0}, 3, origin);
    ASSERT_EQ(dc.Records().size(), 8u);
    EXPECT_EQ(dc.Records()[0].state.pen,
              draw::Pen::Create(draw::PS_DOT, 0, draw::Rgb(0, 255, 255)));
    EXPECT_EQ(dc.Records()[0].state.rop2, draw::R2_XORPEN);

    dc.ClearRecords();
    DrawRubberBandRect(dc, {0, 0}, {20, 10}, 1, origin);
    ASSERT_EQ(dc.Records().size(), 4u);
    EXPECT_EQ(dc.Records()[0].points, (Points{{-5, 3}, {15, 3}}));
    EXPECT_EQ(dc.Records()[1].points, (Points{{15, 3}, {15, -7}}));
    EXPECT_EQ(GetRubberBandState().rectCursor, CVector2D(20, 10));
    EXPECT_EQ(GetRubberBandState().lineCursor, CVector2D(0, 0));
}

TEST_F(RubberBand, DrawingTwiceRestoresThePixels) {
    draw::ImageDrawContext dc(64, 64);
    dc.FillRect({0, 0, 64, 64}, draw::Brush::Solid(draw::Rgb(200, 180, 20)));
    const std::vector<uint8_t> before(dc.Data(), dc.Data() + dc.Stride() * dc.Height());
    const PlanDrawOrigin screen{0, -64, 100};
    const CVector2D last(5, 5);

    DrawRubberBandLine(dc, &last, {50, 40}, 1, screen);
    DrawRubberBandRect(dc, {10, 10}, {40, 30}, 1, screen);
    EXPECT_NE(std::vector<uint8_t>(dc.Data(), dc.Data() + dc.Stride() * dc.Height()), before);

    DrawRubberBandLine(dc, &last, {50, 40}, 2, screen);
    DrawRubberBandRect(dc, {10, 10}, {40, 30}, 2, screen);
    EXPECT_EQ(std::vector<uint8_t>(dc.Data(), dc.Data() + dc.Stride() * dc.Height()), before);
}

}  // namespace
