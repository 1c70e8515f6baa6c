#include <gtest/gtest.h>

#include "FrameFixture.h"
#include "document/EditMode.h"

namespace {

class AxisLabelsTest : public SceneFrameTest {
protected:
    std::array<AxisLabelSpot, 3> Spots() const {
        const AxisOverlayPoints points = ComputeAxisOverlayPoints(
            renderer->GetEngine().GetCamera(), CHousViewCamera::GetViewAngle(doc->Settings()),
            kWindowWidth, kWindowHeight);
        return ComputeAxisLabelSpots(renderer->GetCamera(), points, 1024, 768);
    }

    // Pixels of the letter's cell within 60 of the colour.
    int PixelsOfColour(const AxisLabelSpot& spot, const Rgb& colour) const {
        int count = 0;
        for (int y = spot.top; y < spot.top + CAxisLabelAtlas::kCellSize; ++y) {
            for (int x = spot.left; x < spot.left + CAxisLabelAtlas::kCellSize; ++x) {
                if (x >= 0 && y >= 0 && x < 1024 && y < 768 &&
                    Distance(BackBufferAt(x, y), colour) <= 60) {
                    ++count;
                }
            }
        }
        return count;
    }
};

TEST_F(AxisLabelsTest, LabelsStandAboveTheAxisEndsInTheirAxisColours) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    LookAtOriginFromTheFront();
    ASSERT_TRUE(renderer->RenderFrame());
    ReadBackBuffer();
    const std::array<AxisLabelSpot, 3> spots = Spots();
    const struct {
        char letter;
        Rgb colour;
    } expected[] = {{'x', {255, 0, 0}}, {'z', {0, 0, 255}}, {'y', {0, 255, 0}}};
    for (std::size_t i = 0; i < spots.size(); ++i) {
        SCOPED_TRACE(expected[i].letter);
        EXPECT_EQ(spots[i].letter, expected[i].letter);
        // A bold letter of height 30 covers well over 40 pixels, and not
        // its whole cell.
        const int covered = PixelsOfColour(spots[i], expected[i].colour);
        EXPECT_GT(covered, 40);
        EXPECT_LT(covered, CAxisLabelAtlas::kCellSize * CAxisLabelAtlas::kCellSize / 2);
    }
    // 20 window pixels above the end of the x axis, twice that in the back
    // buffer.
    const AxisOverlayPoints points = ComputeAxisOverlayPoints(
        renderer->GetEngine().GetCamera(), CHousViewCamera::GetViewAngle(doc->Settings()),
        kWindowWidth, kWindowHeight);
    const POINT end = WindowPointOf(points.xEnd);
    EXPECT_EQ(spots[0].left, end.x * kScale);
    EXPECT_EQ(spots[0].top, (end.y - 20) * kScale);
}

TEST_F(AxisLabelsTest, PrintingHidesTheLabels) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    LookAtOriginFromTheFront();
    doc->SetEditMode(EditMode::kPlanPrint);
    ASSERT_TRUE(renderer->RenderFrame());
    ReadBackBuffer();
    EXPECT_EQ(PixelsOfColour(Spots()[0], {255, 0, 0}), 0);
}

}  // namespace
