#include <gtest/gtest.h>

#include <string>

#include "FrameFixture.h"
#include "foundation/GeometryMath.h"

namespace {

TEST_F(FrameTest, FirstSizeSetsUpTheDeviceOnlyWithAnArea) {
    renderer->OnSize(0, 300);
    EXPECT_TRUE(renderer->IsFirstSizePending());
    EXPECT_EQ(renderer->GetEngine().GetDevice(), nullptr);
    EXPECT_FALSE(renderer->RenderFrame());

    renderer->OnSize(kWindowWidth, kWindowHeight);
    EXPECT_FALSE(renderer->IsFirstSizePending());
    ASSERT_NE(renderer->GetEngine().GetDevice(), nullptr);
    EXPECT_EQ(g_pD3DDevice, renderer->GetEngine().GetDevice());
    EXPECT_EQ(renderer->GetEngine().GetGridLineCount(), 22);
    EXPECT_TRUE(renderer->RenderFrame());

    renderer->SetPaintingSuspended(true);
    EXPECT_FALSE(renderer->RenderFrame());

    renderer.reset();
    EXPECT_EQ(g_pD3DDevice, nullptr) << "the published device goes with the view";
}

TEST_F(FrameTest, ViewStartsWithTheBackgroundTheSettingsChose) {
    const struct {
        const char* bgColor;
        Rgb background;
    } cases[] = {
        {"0", {255, 255, 255}},
        {"1", {0, 0, 0}},
        {"2", {150, 150, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bgColor);
        renderer.reset();
        WriteBytes(SettingsPath(), std::string("[3DView]\r\nBG_COLOR=") + c.bgColor + "\r\n");
        doc = std::make_unique<CHousDoc>();
        renderer = MakeRenderer();
        renderer->OnSize(kWindowWidth, kWindowHeight);
        ASSERT_TRUE(renderer->RenderFrame());
        ReadBackBuffer();
        // The top corners show the sky, above the ground and its grid.
        EXPECT_LE(Distance(BackBufferAt(2, 2), c.background), 2);
        EXPECT_LE(Distance(BackBufferAt(1021, 2), c.background), 2);
    }
}

TEST_F(FrameTest, GridLinesAppearWhereTheirPointsProject) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    // Straight down on the middle of the grid from 30 above it.
    CHousViewCamera& camera = renderer->GetCamera();
    camera.SetCameraAngles(0.0, kPi / 2);
    camera.SetCameraPosition({10, 30, -10});
    camera.UpdateCamera();
    ASSERT_TRUE(renderer->RenderFrame());
    ReadBackBuffer();

    // Along every line, between the crossings. +x is to the right and +z up
    // in the picture.
    for (int k = 0; k <= 10; ++k) {
        const auto line = static_cast<float>(2 * k);
        for (float along : {1.0f, 7.0f, 13.0f, 19.0f}) {
            EXPECT_NEAR(LineCoverage({line, 0, -along}, true, 3), 1.0, 0.05) << "x = " << line;
            EXPECT_NEAR(LineCoverage({along, 0, -line}, false, 3), 1.0, 0.05) << "z = " << -line;
        }
    }
    const Rgb background = {150, 150, 200};
    // Nothing in the middle of a cell or outside the grid.
    for (float x : {1.0f, 9.0f, 19.0f}) {
        for (float z : {-1.0f, -11.0f, -19.0f}) {
            EXPECT_LE(FarthestAround({x, 0, z}, background, 6), 2) << x << ", " << z;
        }
    }
    EXPECT_LE(FarthestAround({-3, 0, -10}, background, 6), 2);
    EXPECT_LE(FarthestAround({23, 0, -10}, background, 6), 2);
    EXPECT_LE(FarthestAround({10, 0, 2}, background, 6), 2);
}

}  // namespace

TEST_F(FrameTest, ResetCameraScrollsThePlanBackToItsOrigin) {
    FakePlanView plan;
    doc->Attach2DView(&plan);
    renderer->ResetCamera();
    doc->Attach2DView(nullptr);
    EXPECT_EQ(plan.scrollResets, 1);
}
