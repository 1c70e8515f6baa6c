#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "../document/DocumentFixture.h"
#include "document/ActiveDocumentServices.h"
#include "document/ActiveDocumentValues.h"
#include "document/EditMode.h"
#include "foundation/ActiveDocument.h"
#include "foundation/RubberBand.h"
#include "objects/FloorObject.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanPainter.h"
#include "platform/draw/FontConfiguration.h"
#include "platform/draw/ImageDrawContext.h"
#include "platform/draw/RecordingDrawContext.h"

namespace {

constexpr draw::COLORREF kWallLine = draw::Rgb(200, 0, 0);
constexpr draw::COLORREF kFloorLine = draw::Rgb(0, 150, 0);
constexpr draw::COLORREF kCeilingLine = draw::Rgb(0, 0, 200);

// An L-shaped room in stored points (x, -y).
std::vector<CVector2D> LRoom() {
    return {{100, -100}, {100, -300}, {300, -300}, {300, -200}, {500, -200}, {500, -100}};
}

// A printer whose paper is 150 x 100 mm.
class FakePrinter : public IPrinterQueries {
public:
    POINT GetDefaultPaperSize() override { return POINT{1500, 1000}; }
    POINT GetPrinterPhysicalOffset() override { return POINT{}; }
};

std::vector<uint8_t> Pixels(const draw::ImageDrawContext& image) {
    const uint8_t* data = image.Data();
    return std::vector<uint8_t>(data, data + size_t(image.Stride()) * size_t(image.Height()));
}

// A small design on a 600 x 400 cm ground: walls, a floor and a ceiling of
// one L-shaped room, drawn by the plan's painter with the objects reaching
// the document as they do in the program.
class PlanDrawingTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        // The paper frame needs a printer to know the paper.
        doc = std::make_unique<CHousDoc>(nullptr, &m_printer);
        doc->Attach2DView(&planView);
        doc->Attach3DView(&view3D);
        scene->SetDocument(doc.get());
        draw::UseProgramFontConfiguration();
        m_previousServices = SetDocumentServices(&m_services);
        SetActiveHousDocAccessor([this] { return doc.get(); });
        HousSettings& settings = doc->Settings();
        settings.length = 600;
        settings.width = 400;
        settings.gridGap = 100;
        settings.wallColor = kWallLine;
        settings.floorColor = kFloorLine;
        settings.ceilingColor = kCeilingLine;
        planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, "260");
        planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, "0");
        planView.frame.SetWallBarText(IPlanFrame::kWallThicknessEdit, "0");
        CPlanOverlay::RememberedCrosshair() = CVector2D();
        GetRubberBandState() = RubberBandState();
    }
    void TearDown() override {
        scene.reset();
        SetActiveHousDocAccessor({});
        SetDocumentServices(m_previousServices);
        SceneTest::TearDown();
    }

    void BuildRoom() {
        CFloorObject* floor = scene->AddFloorFromOutline(LRoom());
        ASSERT_NE(floor, nullptr);
        floor->SetFillMode(1);
        ASSERT_NE(scene->AddCeilingFromOutline(LRoom()), nullptr);
        ASSERT_NE(scene->AddWallFromOutline(LRoom()), nullptr);
    }

    // The first drawing call in each line colour, in the order drawn.
    static std::vector<draw::COLORREF> LineColourOrder(const draw::RecordingDrawContext& dc) {
        std::vector<draw::COLORREF> order;
        for (const draw::DrawRecord& record : dc.Records()) {
            const draw::COLORREF colour = record.state.pen.color;
            if ((colour == kWallLine || colour == kFloorLine || colour == kCeilingLine) &&
                std::find(order.begin(), order.end(), colour) == order.end()) {
                order.push_back(colour);
            }
        }
        return order;
    }

private:
    FakePrinter m_printer;
    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = nullptr;
};

// Pixels whose channels differ by more than the text's smoothing may.
int CountDifferingPixels(const draw::ImageDrawContext& image, cairo_surface_t* golden) {
    const int width = image.Width();
    const int height = image.Height();
    const uint8_t* expected = cairo_image_surface_get_data(golden);
    const int expectedStride = cairo_image_surface_get_stride(golden);
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t want = 0;
            std::memcpy(&want, expected + size_t(y) * size_t(expectedStride) + size_t(x) * 4, 4);
            const draw::COLORREF got = image.GetPixel(x, y);
            const int dr = int((want >> 16) & 0xFF) - int(draw::RedOf(got));
            const int dg = int((want >> 8) & 0xFF) - int(draw::GreenOf(got));
            const int db = int(want & 0xFF) - int(draw::BlueOf(got));
            if (std::max({std::abs(dr), std::abs(dg), std::abs(db)}) > 64) {
                ++differing;
            }
        }
    }
    return differing;
}

TEST_F(PlanDrawingTest, LRoomPlanMatchesTheGoldenImage) {
    BuildRoom();
    doc->SetFramePaperShown(1);
    doc->SetPrintScale(2.5);  // 1 : 20, a tenth of a millimetre is a tenth of a pixel
    doc->SetPaperPosition(POINT{300, 300});
    doc->SetFrameOffset(POINT{100, 100});
    CPlanPainter painter(*doc);
    draw::ImageDrawContext image(340, 240);
    painter.DrawPlan(image, PlanSketch{});

    const std::filesystem::path golden =
        std::filesystem::path(VELMORA_TEST_DATA_DIR) / "plan2d/l-room-plan.png";
    if (std::getenv("VELMORA_UPDATE_GOLDEN") != nullptr) {
        ASSERT_EQ(cairo_surface_write_to_png(image.Surface(), golden.c_str()),
                  CAIRO_STATUS_SUCCESS);
    }
    cairo_surface_t* expected = cairo_image_surface_create_from_png(golden.c_str());
    ASSERT_EQ(cairo_surface_status(expected), CAIRO_STATUS_SUCCESS) << golden;
    ASSERT_EQ(cairo_image_surface_get_width(expected), image.Width());
    ASSERT_EQ(cairo_image_surface_get_height(expected), image.Height());
    const int differing = CountDifferingPixels(image, expected);
    cairo_surface_destroy(expected);
    // Glyph edges may fall differently with another FreeType; the lines may not.
    EXPECT_LE(differing, image.Width() * image.Height() / 200);
    if (differing > 0) {
        const auto actual = std::filesystem::temp_directory_path() / "l-room-plan-actual.png";
        cairo_surface_write_to_png(image.Surface(), actual.c_str());
        std::cerr << differing << " pixels differ; the drawing is in " << actual << "\n";
    }
}

TEST_F(PlanDrawingTest, FloorsCeilingsAndWallsDrawInLayerOrderUnderTheDisplayMask) {
    BuildRoom();
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext dc({400, 300});
    painter.DrawPlan(dc, PlanSketch{});
    EXPECT_EQ(LineColourOrder(dc),
              (std::vector<draw::COLORREF>{kFloorLine, kCeilingLine, kWallLine}));

    struct Case {
        int32_t mask;
        std::vector<draw::COLORREF> shown;
    };
    for (const Case& c : std::vector<Case>{
             {0x2, {kWallLine}}, {0x20 | 0x40, {kFloorLine, kCeilingLine}}, {0x0, {}}}) {
        doc->Settings().show2DState = c.mask;
        dc.ClearRecords();
        painter.DrawPlan(dc, PlanSketch{});
        EXPECT_EQ(LineColourOrder(dc), c.shown) << c.mask;
    }
}

TEST_F(PlanDrawingTest, PrintingTheSelectionOnlyLeavesTheRestOut) {
    BuildRoom();
    scene->SelectObject(kWallObjectType, scene->Objects(kWallObjectType).front());
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext printer({4000, 4000}, 600, true);
    PlanSketch sketch;
    sketch.printSelectionOnly = true;
    painter.DrawPlan(printer, sketch);
    EXPECT_EQ(LineColourOrder(printer), (std::vector<draw::COLORREF>{kWallLine}));

    // On the screen the flag changes nothing.
    draw::RecordingDrawContext screen({400, 300});
    painter.DrawPlan(screen, sketch);
    EXPECT_EQ(LineColourOrder(screen), (std::vector<draw::COLORREF>{kFloorLine, kCeilingLine}));
}

TEST_F(PlanDrawingTest, ObjectsOfAnotherStoreyAreNotDrawn) {
    BuildRoom();
    // A floor above the room's ceiling starts a second storey; the plan
    // shows the storey of the camera's eye, the ground one.
    constexpr draw::COLORREF kUpperFloorLine = draw::Rgb(90, 60, 30);
    doc->Settings().floorColor = kUpperFloorLine;
    planView.frame.SetWallBarText(IPlanFrame::kWallTopEdit, "560");
    planView.frame.SetWallBarText(IPlanFrame::kWallBottomEdit, "300");
    ASSERT_NE(scene->AddFloorFromOutline(LRoom()), nullptr);
    ASSERT_EQ(scene->GetStoreyIndex(), 1);

    CPlanPainter painter(*doc);
    draw::RecordingDrawContext dc({400, 300});
    painter.DrawPlan(dc, PlanSketch{});
    const bool upperDrawn = std::any_of(
        dc.Records().begin(), dc.Records().end(),
        [&](const draw::DrawRecord& r) { return r.state.pen.color == kUpperFloorLine; });
    EXPECT_FALSE(upperDrawn);
    EXPECT_EQ(LineColourOrder(dc),
              (std::vector<draw::COLORREF>{kFloorLine, kCeilingLine, kWallLine}));
}

// The outline tool in the middle of a wall, its pieces drawn over the plan.
class PlanPreviewTest : public PlanDrawingTest {
protected:
    void SetUp() override {
        PlanDrawingTest::SetUp();
        BuildRoom();
        doc->SetEditMode(EditMode::kWallDrawing);
        m_outline = {{100, -350}, {250, -350}};
        sketch.outline = m_outline;
        sketch.cursor = CVector2D(400, -380);
        painter = std::make_unique<CPlanPainter>(*doc);
    }

    // What a mouse move does: each XOR piece goes from where it was to the
    // cursor.
    void MoveTo(draw::DrawContext& dc, const CVector2D& cursor) {
        painter->Overlay().DrawCrosshair(dc, cursor,
                                         CPlanOverlay::kDrawRemembered | CPlanOverlay::kDrawNew);
        DrawRubberBandLine(dc, &m_outline.back(), cursor, kRubberBandErase | kRubberBandDraw,
                           GetPlanDrawOrigin(&dc));
    }

    // A repaint with the XOR pieces remembered at the point.
    std::vector<uint8_t> RepaintRemembering(const CVector2D& remembered) {
        CPlanOverlay::RememberedCrosshair() = remembered;
        GetRubberBandState().lineCursor = remembered;
        image = std::make_unique<draw::ImageDrawContext>(340, 240);
        painter->DrawPlan(*image, sketch);
        return Pixels(*image);
    }

    std::unique_ptr<CPlanPainter> painter;
    PlanSketch sketch;
    std::unique_ptr<draw::ImageDrawContext> image;

private:
    std::vector<CVector2D> m_outline;
};

TEST_F(PlanPreviewTest, APreviewDrawnAndUndrawnLeavesTheBufferByteForByte) {
    const std::vector<uint8_t> before = RepaintRemembering(CVector2D(400, -380));
    MoveTo(*image, CVector2D(520, -90));
    EXPECT_NE(Pixels(*image), before);
    MoveTo(*image, CVector2D(400, -380));
    EXPECT_EQ(Pixels(*image), before);
}

TEST_F(PlanPreviewTest, ARepaintPutsThePiecesBackForTheNextMoveToErase) {
    const std::vector<uint8_t> atTarget = RepaintRemembering(CVector2D(520, -90));
    RepaintRemembering(CVector2D(400, -380));
    MoveTo(*image, CVector2D(520, -90));
    // No trace of the pieces at their old place, and none missing at the new.
    EXPECT_EQ(Pixels(*image), atTarget);
}

TEST_F(PlanPreviewTest, TheOutlineSoFarIsRedWithBlueVerticesAndALengthLabel) {
    draw::RecordingDrawContext dc({400, 300});
    painter->DrawPlan(dc, sketch);
    bool redSegment = false;
    bool label = false;
    int vertices = 0;
    for (const draw::DrawRecord& record : dc.Records()) {
        redSegment |= record.op == draw::DrawOp::Line &&
                      record.state.pen.color == draw::Rgb(255, 0, 0) &&
                      record.points[1] == draw::Point{250, 350};
        vertices +=
            record.op == draw::DrawOp::FillRect && record.brush.color == draw::Rgb(0, 0, 255);
        if (record.op == draw::DrawOp::TextOut && record.text == "1.53m") {
            label = true;
            EXPECT_EQ(record.state.font.faceName, "Comic San Ms");
            EXPECT_EQ(record.state.font.height, 30);  // 15 / 0.5
            EXPECT_EQ(record.points[0], (draw::Point{405, 350}));
        }
    }
    EXPECT_TRUE(redSegment);
    EXPECT_TRUE(label);
    EXPECT_EQ(vertices, 2);
}

TEST_F(PlanDrawingTest, GridStepsThatWouldHangOrFloodDrawNothing) {
    doc->Settings().length = 3000;
    doc->Settings().width = 3000;
    doc->Settings().gridColor = draw::Rgb(1, 2, 3);
    CPlanPainter painter(*doc);
    draw::RecordingDrawContext dc({800, 600});
    painter.OnPrepareDC(dc);
    struct Case {
        int gap;
        size_t lines;
    };
    // 1 cm would draw 6000 lines over a 30 m ground.
    for (const Case& c : {Case{0, 0}, Case{-50, 0}, Case{1, 0}, Case{2, 3000}, Case{3000, 2}}) {
        doc->Settings().gridGap = c.gap;
        dc.ClearRecords();
        painter.DrawGrid(dc);
        EXPECT_EQ(dc.Records().size(), c.lines) << c.gap;
    }
}

}  // namespace
