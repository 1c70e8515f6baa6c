#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FrameFixture.h"
#include "platform/draw/DrawContext.h"
#include "platform/draw/RecordingDrawContext.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

constexpr Rgb kBlack = {0, 0, 0};
constexpr Rgb kRed = {255, 0, 0};
// The box stands below the middle of the view, so a picture turned upside
// down shows it in the upper half.
constexpr gfx::Vector3 kBoxCentre = {0, -25, 0};
constexpr gfx::Vector3 kBoxFront = {0, -25, -8};

class FrameCaptureTest : public SceneFrameTest {
protected:
    void SetUp() override {
        SceneFrameTest::SetUp();
        renderer->OnSize(kWindowWidth, kWindowHeight);
        AddBox(kBoxCentre, 8, kBoxColour);
        LookAtOriginFromTheFront();
    }

    static Rgb ImagePixel(const image::CImage& picture, int x, int y) {
        const image::Color c = picture.GetPixelColor(x, y);
        return {c.r, c.g, c.b};
    }

    // The pixel of the print image, counted from its top row.
    Rgb PrintPixel(int x, int yFromTop) const {
        const draw::DibPixels dib = renderer->GetPrintImage().GetPixelData();
        const int row = dib.height > 0 ? dib.Rows() - 1 - yFromTop : yFromTop;
        const uint8_t* p = dib.bits + static_cast<size_t>(row) * dib.Stride() +
                           static_cast<size_t>(x) * (dib.bitCount / 8);
        return {p[2], p[1], p[0]};
    }

    // Where the world point lands in the back buffer, which captures copy.
    POINT BackBufferPointOf(const gfx::Vector3& world) const {
        const POINT window = WindowPointOf(world);
        return {window.x * kScale, window.y * kScale};
    }
};

TEST_F(FrameCaptureTest, ThumbnailIsUprightAndFittedOnBlack) {
    const TempFolder folder;
    const POINT box = BackBufferPointOf(kBoxFront);
    const struct {
        bool small;
        int width;
        int height;
        // Back buffer to thumbnail: the scale and the black band above.
        double scale;
        int bandHeight;
    } cases[] = {
        {false, 256, 192, 0.25, 0},
        {true, 100, 80, 100.0 / 1024.0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.small);
        const std::string path = (folder.Path() / "design.bmp").string();
        ASSERT_TRUE(renderer->SaveThumbnail(path, c.small));
        image::CImage thumbnail;
        ASSERT_TRUE(thumbnail.Load(path, image::ImageFormat::Bmp));
        ASSERT_EQ(thumbnail.GetWidth(), c.width);
        ASSERT_EQ(thumbnail.GetHeight(), c.height);

        const int boxX = static_cast<int>(box.x * c.scale);
        const int boxY = static_cast<int>(box.y * c.scale) + c.bandHeight;
        EXPECT_LE(Distance(ImagePixel(thumbnail, boxX, boxY), kBoxColour), 6);
        // Where the box would be if the rows came out the wrong way round.
        EXPECT_LE(Distance(ImagePixel(thumbnail, boxX, c.height - 1 - boxY), kBackground), 6);
        EXPECT_LE(Distance(ImagePixel(thumbnail, c.width / 2, c.bandHeight + 3), kBackground), 6);
        if (c.bandHeight > 0) {
            EXPECT_EQ(Distance(ImagePixel(thumbnail, c.width / 2, 0), kBlack), 0);
            EXPECT_EQ(Distance(ImagePixel(thumbnail, c.width / 2, c.height - 1), kBlack), 0);
        }
    }

    // The window gets its frame with the axis glyph back.
    ReadBackBuffer();
    EXPECT_TRUE(ColourNear(AxisLineMiddle(), kRed, 3));
}

TEST_F(FrameCaptureTest, NoThumbnailWithoutAFrameOrAPlaceToWriteIt) {
    const TempFolder folder;
    const std::filesystem::path missingFolder = folder.Path() / "missing" / "design.bmp";
    EXPECT_FALSE(renderer->SaveThumbnail(missingFolder.string(), false));

    auto unsized = MakeRenderer();
    const std::filesystem::path path = folder.Path() / "design.bmp";
    EXPECT_FALSE(unsized->SaveThumbnail(path.string(), false));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(FrameCaptureTest, CaptureFrameMovesAndZoomsAfterTheProjectionWithoutTheGlyph) {
    const gfx::Vector3 front = kBoxFront;
    const POINT plain = WindowPointOf(front);
    const double ndcX = (plain.x - kWindowWidth / 2.0) / (kWindowWidth / 2.0);
    const double ndcY = (kWindowHeight / 2.0 - plain.y) / (kWindowHeight / 2.0);
    const struct {
        float zoom;
        float offsetX;
        float offsetY;
    } cases[] = {
        {1.0f, 0.0f, 0.0f},
        {1.5f, 0.0f, 0.0f},
        {1.0f, -0.5f, 0.5f},
        {0.5f, 0.3f, 0.4f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zoom << " " << c.offsetX << " " << c.offsetY);
        ASSERT_TRUE(renderer->RenderFrameNoPresent(c.zoom, c.offsetX, c.offsetY));
        ReadBackBuffer();
        const double movedX = c.zoom * ndcX + c.offsetX;
        const double movedY = c.zoom * ndcY + c.offsetY;
        const POINT moved = {static_cast<int>(kWindowWidth / 2.0 * (1.0 + movedX)),
                             static_cast<int>(kWindowHeight / 2.0 * (1.0 - movedY))};
        int farthest = 0;
        for (int dy = -3; dy <= 3; ++dy) {
            for (int dx = -3; dx <= 3; ++dx) {
                farthest = std::max(farthest, Distance(Pixel(moved, dx, dy), kBoxColour));
            }
        }
        EXPECT_LE(farthest, 2);
        EXPECT_FALSE(ColourNear(AxisLineMiddle(), kRed, 3));
    }

    // The capture ended its scene: the next frame draws as usual.
    ASSERT_TRUE(renderer->RenderFrame());
    ReadBackBuffer();
    EXPECT_LE(FarthestAround(front, kBoxColour, 6), 2);
    EXPECT_TRUE(ColourNear(AxisLineMiddle(), kRed, 3));
}

TEST_F(FrameCaptureTest, PrintScaleFollowsThePrinterResolution) {
    EXPECT_DOUBLE_EQ(renderer->GetPrintScale(), 4.72);
    const draw::RecordingDrawContext printer({4000, 3000}, 600, true);
    renderer->OnBeginPrinting(printer);
    EXPECT_NEAR(renderer->GetPrintScale(), 600 / 2.54 * 0.02, 1e-9);
}

TEST_F(FrameCaptureTest, PrintedFrameFillsThePageInTheWindowShape) {
    const struct {
        draw::Size page;
        draw::Point corner;
    } cases[] = {
        // Wider than the window's 4 : 3: as high as the page.
        {{6000, 3000}, {4000, 3000}},
        // Narrower: as wide as the page.
        {{3000, 6000}, {3000, 2250}},
        {{4000, 3000}, {4000, 3000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.page.cx << " x " << c.page.cy);
        renderer->OnUpdate(CHousViewRenderer::kPrintHint);
        draw::RecordingDrawContext printer(c.page, 600, true);
        renderer->OnDraw(printer);
        ASSERT_EQ(printer.Records().size(), 1u);
        const draw::DrawRecord& record = printer.Records()[0];
        EXPECT_EQ(record.op, draw::DrawOp::StretchDIBits);
        EXPECT_EQ(record.points[0].x, 0);
        EXPECT_EQ(record.points[0].y, 0);
        EXPECT_EQ(record.points[1].x, c.corner.x);
        EXPECT_EQ(record.points[1].y, c.corner.y);
        EXPECT_EQ(record.imageSize.cx, 1024);
        EXPECT_EQ(record.imageSize.cy, 768);
    }
}

TEST_F(FrameCaptureTest, EachPrintCapturesOneUprightFrame) {
    draw::RecordingDrawContext screen({1024, 768}, 96, false);
    renderer->OnUpdate(CHousViewRenderer::kPrintHint);
    renderer->OnDraw(screen);
    EXPECT_TRUE(screen.Records().empty());
    EXPECT_FALSE(renderer->GetPrintImage().HasImage()) << "only a printer takes a frame";

    draw::RecordingDrawContext printer({4000, 3000}, 600, true);
    renderer->OnDraw(printer);
    ASSERT_TRUE(renderer->GetPrintImage().HasImage());
    const POINT box = BackBufferPointOf(kBoxFront);
    EXPECT_LE(Distance(PrintPixel(box.x, box.y), kBoxColour), 2);
    EXPECT_LE(Distance(PrintPixel(box.x, 767 - box.y), kBackground), 2);
    EXPECT_LE(Distance(PrintPixel(2, 2), kBackground), 2);

    // Later pages of the same print show the same frame.
    renderer->GetEngine().SetClearColor(255, 0, 0);
    renderer->OnDraw(printer);
    EXPECT_LE(Distance(PrintPixel(2, 2), kBackground), 2);

    // The next print takes the view as it is then.
    renderer->OnUpdate(CHousViewRenderer::kPrintPreviewHint);
    renderer->OnDraw(printer);
    EXPECT_LE(Distance(PrintPixel(2, 2), kRed), 2);
}

}  // namespace
