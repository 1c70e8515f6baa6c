#include "plan2d/PlanPainter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "../document/DocumentFixture.h"
#include "document/EditMode.h"
#include "platform/draw/ImageDrawContext.h"
#include "platform/draw/RecordingDrawContext.h"

namespace {

constexpr draw::COLORREF kWhite = draw::Rgb(255, 255, 255);
constexpr draw::COLORREF kBlack = draw::Rgb(0, 0, 0);
constexpr draw::COLORREF kRulerGrey = draw::Rgb(192, 192, 192);
constexpr draw::COLORREF kGridColor = draw::Rgb(0, 128, 255);

class PlanPainterTest : public PlanTest {
protected:
    void SetUp() override {
        PlanTest::SetUp();
        doc->Settings().gridColor = kGridColor;
    }

    // Grid lines drawn in the grid colour, as their logical x or y.
    static std::vector<int> GridColumns(const draw::RecordingDrawContext& dc) {
        std::vector<int> columns;
        for (const draw::DrawRecord& record : dc.Records()) {
            if (record.op == draw::DrawOp::Line && record.state.pen.color == kGridColor &&
                record.points[0].x == record.points[1].x) {
                columns.push_back(record.points[0].x);
            }
        }
        return columns;
    }
};

TEST_F(PlanPainterTest, StoredPointLandsPastTheRulersAtTheZoom) {
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext dc({800, 600});
    painter.OnPrepareDC(dc);
    EXPECT_EQ(painter.PlanToClient(CVector2D(100.0, -100.0), dc).x, 74);
    EXPECT_EQ(painter.PlanToClient(CVector2D(100.0, -100.0), dc).y, 74);
    EXPECT_EQ(doc->GetPlanScrollSize().x, 1524);

    doc->SetPlanViewOrigin(POINT{100, 0});
    EXPECT_EQ(painter.PlanToClient(CVector2D(100.0, -100.0), dc).x, -26);
    // Drawings subtract the plan origin, 200 cm at this scroll position.
    EXPECT_EQ(doc->GetPlanOrigin(&dc).x, 200);

    doc->Settings().rulerShow = 0;
    painter.OnPrepareDC(dc);
    doc->SetPlanViewOrigin(POINT{0, 0});
    EXPECT_EQ(painter.PlanToClient(CVector2D(100.0, -100.0), dc).x, 50);
}

TEST_F(PlanPainterTest, NothingIsDrawnOverTheRulersOnScreen) {
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext dc({800, 600});
    painter.OnPrepareDC(dc);
    ASSERT_TRUE(dc.GetState().clip.has_value());
    EXPECT_EQ(dc.GetState().clip->left, 24);
    EXPECT_EQ(dc.GetState().clip->top, 24);

    draw::RecordingDrawContext printer({4000, 4000}, 600, true);
    painter.OnPrepareDC(printer);
    EXPECT_FALSE(printer.GetState().clip.has_value());
}

TEST_F(PlanPainterTest, GridLinesStopShortOfTheFarEdges) {
    doc->Settings().length = 200;
    doc->Settings().width = 100;
    doc->Settings().gridGap = 50;
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext dc({800, 600});
    painter.OnPrepareDC(dc);
    painter.DrawGrid(dc);
    EXPECT_EQ(GridColumns(dc), (std::vector<int>{0, 50, 100, 150}));
    // Two rows (0 and 50) besides the four columns.
    EXPECT_EQ(dc.Records().size(), 6u);

    for (int length : {0, -10}) {
        doc->Settings().length = length;
        dc.ClearRecords();
        painter.DrawGrid(dc);
        EXPECT_TRUE(dc.Records().empty()) << length;
    }
    doc->Settings().length = 200;
    doc->Settings().gridGap = 0;  // would never end
    dc.ClearRecords();
    painter.DrawGrid(dc);
    EXPECT_TRUE(dc.Records().empty());
}

TEST_F(PlanPainterTest, GridFollowsTheScrollPosition) {
    doc->Settings().gridGap = 100;
    doc->SetPlanViewOrigin(POINT{50, 0});  // 100 cm at 100 %
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext dc({800, 600});
    painter.OnPrepareDC(dc);
    painter.DrawGrid(dc);
    const std::vector<int> columns = GridColumns(dc);
    ASSERT_GE(columns.size(), 2u);
    EXPECT_EQ(columns[0], -100);
    EXPECT_EQ(columns[1], 0);
}

TEST_F(PlanPainterTest, PlanShowsWhiteGroundGreyRulersAndGridLines) {
    doc->Settings().gridGap = 50;
    CPlanPainter painter(*doc);
    draw::ImageDrawContext image(400, 300);
    painter.DrawPlan(image, PlanSketch{});
    // Columns every 50 cm are every 25 pixels from the ruler's edge.
    EXPECT_EQ(image.GetPixel(24, 100), kGridColor);
    EXPECT_EQ(image.GetPixel(49, 100), kGridColor);
    EXPECT_EQ(image.GetPixel(50, 101), kWhite);
    EXPECT_EQ(image.GetPixel(100, 74), kGridColor);
    EXPECT_EQ(image.GetPixel(62, 87), kWhite);
    EXPECT_EQ(image.GetPixel(200, 5), kRulerGrey);
    EXPECT_EQ(image.GetPixel(5, 200), kRulerGrey);
    EXPECT_EQ(image.GetPixel(10, 10), kWhite);  // the corner square

    doc->Settings().gridShow = 0;
    doc->Settings().rulerShow = 0;
    draw::ImageDrawContext plain(400, 300);
    painter.DrawPlan(plain, PlanSketch{});
    EXPECT_EQ(plain.GetPixel(24, 100), kWhite);
    EXPECT_EQ(plain.GetPixel(200, 5), kWhite);
}

TEST_F(PlanPainterTest, GroundBorderLinesMeetAtTheFarCorner) {
    doc->Settings().length = 200;
    doc->Settings().width = 100;
    doc->Settings().gridShow = 0;
    CPlanPainter painter(*doc);
    draw::ImageDrawContext image(400, 300);
    painter.DrawPlan(image, PlanSketch{});
    // 200 x 100 cm at 2 cm a pixel ends at (124, 74).
    EXPECT_EQ(image.GetPixel(124, 60), kBlack);
    EXPECT_EQ(image.GetPixel(124, 74), kBlack);
    EXPECT_EQ(image.GetPixel(100, 74), kBlack);
    EXPECT_EQ(image.GetPixel(124, 75), kWhite);
    EXPECT_EQ(image.GetPixel(125, 74), kWhite);
}

TEST_F(PlanPainterTest, RulerTicksThinOutWithTheZoom) {
    doc->Settings().gridShow = 0;
    CPlanPainter painter(*doc);
    draw::ImageDrawContext image(400, 300);
    auto tickAt = [&image](double scale, int centimetres) {
        return image.GetPixel(static_cast<int>(centimetres * scale + 24.5), 20) == kBlack;
    };

    painter.DrawPlan(image, PlanSketch{});  // 100 %
    EXPECT_FALSE(tickAt(0.5, 5));
    EXPECT_TRUE(tickAt(0.5, 10));
    EXPECT_TRUE(tickAt(0.5, 50));

    doc->SetPlanZoomFactor(1.0);  // 200 %
    painter.DrawPlan(image, PlanSketch{});
    EXPECT_TRUE(tickAt(1.0, 5));

    doc->SetPlanZoomFactor(0.15);  // 30 %
    painter.DrawPlan(image, PlanSketch{});
    EXPECT_FALSE(tickAt(0.15, 10));
    EXPECT_FALSE(tickAt(0.15, 20));
    EXPECT_TRUE(tickAt(0.15, 50));
    EXPECT_TRUE(tickAt(0.15, 100));
}

TEST_F(PlanPainterTest, PrintingDrawsRulersAndGridOnlyByThePrintFlags) {
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext printer({4000, 4000}, 600, true);
    painter.DrawPlan(printer, PlanSketch{});
    auto countText = [&printer]() {
        return std::count_if(
            printer.Records().begin(), printer.Records().end(),
            [](const draw::DrawRecord& r) { return r.op == draw::DrawOp::TextOut; });
    };
    EXPECT_EQ(countText(), 0);
    EXPECT_TRUE(GridColumns(printer).empty());

    doc->SetPrintRulers(1);
    doc->SetPrintGrid(1);
    printer.ClearRecords();
    painter.DrawPlan(printer, PlanSketch{});
    EXPECT_GT(countText(), 0);
    EXPECT_FALSE(GridColumns(printer).empty());
}

TEST_F(PlanPainterTest, BitmapExportFillsOnlyTheGround) {
    doc->SetEditMode(EditMode::kPlanBitmapExport);
    doc->Settings().rulerShow = 0;
    doc->Settings().gridShow = 0;
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext dc({800, 600});
    painter.DrawPlan(dc, PlanSketch{});
    // Only the ground is filled; the selection rectangle restarts with no size.
    ASSERT_FALSE(dc.Records().empty());
    EXPECT_EQ(dc.Records()[0].op, draw::DrawOp::FillRect);
    EXPECT_EQ(dc.Records()[0].points[1].x, 3000);
    for (size_t i = 1; i < dc.Records().size(); ++i) {
        const draw::DrawRecord& record = dc.Records()[i];
        EXPECT_EQ(record.op, draw::DrawOp::Line);
        EXPECT_EQ(record.points[0], record.points[1]);
    }
}

TEST_F(PlanPainterTest, BitmapExportRulersEndAtHalfTheGroundPastTheRuler) {
    doc->SetEditMode(EditMode::kPlanBitmapExport);
    doc->Settings().length = 800;
    doc->Settings().width = 600;
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext dc({2000, 2000});
    painter.OnPrepareDC(dc);
    painter.DrawRulers(dc);
    std::vector<draw::Point> bandEnds;
    for (const draw::DrawRecord& record : dc.Records()) {
        if (record.op == draw::DrawOp::Rectangle) {
            bandEnds.push_back(record.points[1]);
        }
    }
    EXPECT_EQ(bandEnds, (std::vector<draw::Point>{{424, 24}, {24, 324}}));
}

TEST_F(PlanPainterTest, APaintedPrintPreviewReturnsToModeZeroAndRedrawsOnce) {
    doc->SetEditMode(EditMode::kPrintPreview);
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext printer({4000, 4000}, 600, true);
    painter.DrawPlan(printer, PlanSketch{});
    EXPECT_EQ(doc->GetEditMode(), EditMode::kPrintPreview);
    EXPECT_TRUE(planView.hints.empty());

    draw::RecordingDrawContext screen({800, 600});
    painter.DrawPlan(screen, PlanSketch{});
    EXPECT_EQ(doc->GetEditMode(), EditMode::kNone);
    EXPECT_EQ(planView.hints, std::vector<int>{995});
}

}  // namespace
