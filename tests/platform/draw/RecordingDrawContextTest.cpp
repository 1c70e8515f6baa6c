#include <gtest/gtest.h>

#include "platform/draw/RecordingDrawContext.h"

namespace draw {
namespace {

TEST(RecordingDrawContextTest, RecordsEachCallWithTheStateAtTheTime) {
    RecordingDrawContext dc({800, 600}, 600, true);
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 600);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(2, 2);
    dc.SetViewportOrg(24, 24);

    const Pen dashed = Pen::Create(PS_DASH, 0, Rgb(1, 2, 3));
    dc.SelectPen(dashed);
    dc.SetROP2(R2_XORPEN);
    dc.MoveTo(1, 2);
    dc.LineTo(10, 20);
    dc.SetROP2(R2_COPYPEN);
    dc.SelectBrush(Brush::Hatched(HS_CROSS, Rgb(9, 9, 9)));
    dc.Arc(0, 0, 10, 10, 10, 5, 5, 0);
    Font font;
    font.faceName = "Arial";
    font.escapement = 900;
    dc.SelectFont(font);
    dc.SetTextColor(Rgb(0, 128, 0));
    dc.TextOut(3, 4, "公尺");
    dc.FillRect({0, 0, 5, 5}, Brush::Solid(Rgb(7, 7, 7)));
    dc.SetPixel(6, 7, Rgb(255, 0, 0));
    dc.SelectPen(Pen::Stock(BLACK_PEN));

    const std::vector<DrawRecord>& records = dc.Records();
    ASSERT_EQ(records.size(), 5u);

    EXPECT_EQ(records[0].op, DrawOp::Line);
    EXPECT_EQ(records[0].points, (std::vector<Point>{{1, 2}, {10, 20}}));
    EXPECT_EQ(records[0].devicePoints, (std::vector<Point>{{26, 28}, {44, 64}}));
    EXPECT_EQ(records[0].state.pen, dashed);
    EXPECT_EQ(records[0].state.rop2, R2_XORPEN);

    EXPECT_EQ(records[1].op, DrawOp::Arc);
    EXPECT_EQ(records[1].points, (std::vector<Point>{{0, 0}, {10, 10}, {10, 5}, {5, 0}}));
    EXPECT_EQ(records[1].state.rop2, R2_COPYPEN);
    EXPECT_EQ(records[1].state.brush, Brush::Hatched(HS_CROSS, Rgb(9, 9, 9)));
    EXPECT_EQ(records[1].state.arcDirection, AD_COUNTERCLOCKWISE);

    EXPECT_EQ(records[2].op, DrawOp::TextOut);
    EXPECT_EQ(records[2].text, "公尺");
    EXPECT_EQ(records[2].devicePoints, (std::vector<Point>{{30, 32}}));
    EXPECT_EQ(records[2].state.font, font);
    EXPECT_EQ(records[2].state.textColor, Rgb(0, 128, 0));

    EXPECT_EQ(records[3].op, DrawOp::FillRect);
    EXPECT_EQ(records[3].brush, Brush::Solid(Rgb(7, 7, 7)));
    EXPECT_EQ(records[3].devicePoints, (std::vector<Point>{{24, 24}, {34, 34}}));

    EXPECT_EQ(records[4].op, DrawOp::SetPixel);
    EXPECT_EQ(records[4].color, Rgb(255, 0, 0));
    EXPECT_EQ(records[4].state.pen, dashed) << "a later selection does not rewrite the record";
}

TEST(RecordingDrawContextTest, MalformedCallsRecordNothing) {
    RecordingDrawContext dc;
    const Point three[] = {{0, 0}, {1, 1}, {2, 2}};
    dc.PolyBezier(three);
    dc.Polyline(std::span(three, 1));
    dc.Polygon(std::span(three, 1));
    dc.TextOut(0, 0, "");
    EXPECT_EQ(dc.StretchDIBits(0, 0, 10, 10, 0, 0, 1, 1, DibPixels{}), 0);
    EXPECT_TRUE(dc.Records().empty());
}

}  // namespace
}  // namespace draw
