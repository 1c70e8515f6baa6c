#include <gtest/gtest.h>

#include <cmath>

#include "ViewTestSupport.h"
#include "document/EditMode.h"
#include "foundation/GeometryMath.h"
#include "view3d/3DCamera.h"
#include "view3d/AxisOverlay.h"
#include "view3d/HousViewCamera.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr float kAxisLength = 1.4285714f;

class AxisOverlayTest : public ViewDocumentTest {
protected:
    void SetUp() override {
        ViewDocumentTest::SetUp();
        camera = std::make_unique<CHousViewCamera>(engineCamera, *doc);
        camera->SetWindowSize(kWidth, kHeight);
    }

    void Place(const gfx::Vector3& eye, double heading, double pitch, int viewAngle) {
        doc->Settings().viewAngle = viewAngle;
        camera->SetCameraAngles(heading, pitch);
        camera->SetCameraPosition(eye);
        camera->UpdateCamera();
        camera->UpdateProjection(doc->Settings());
    }

    C3DCamera engineCamera;
    std::unique_ptr<CHousViewCamera> camera;
};

TEST_F(AxisOverlayTest, GlyphStandsFiftyAheadNearTheLowerLeftCorner) {
    const struct {
        int viewAngle;
        float halfAngleDegrees;
    } cases[] = {
        {60, 30.0f},
        // Half of 45 in whole degrees.
        {45, 22.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.viewAngle);
        Place({10, 20, 30}, 0.0, 0.0, c.viewAngle);
        const AxisOverlayPoints points =
            ComputeAxisOverlayPoints(engineCamera, c.viewAngle, kWidth, kHeight);
        const float halfHeight =
            50.0f * static_cast<float>(std::tan(c.halfAngleDegrees * kPi / 180.0));
        const float halfWidth = halfHeight * kWidth / kHeight;
        EXPECT_NEAR(points.origin.x, 10 - 0.95f * halfWidth, 1e-3f);
        EXPECT_NEAR(points.origin.y, 20 - 0.95f * halfHeight, 1e-3f);
        EXPECT_NEAR(points.origin.z, 80, 1e-3f);
        EXPECT_NEAR(points.xEnd.x - points.origin.x, kAxisLength, 1e-5f);
        EXPECT_NEAR(points.upEnd.y - points.origin.y, kAxisLength, 1e-5f);
        EXPECT_NEAR(points.depthEnd.z - points.origin.z, -kAxisLength, 1e-5f);
        EXPECT_EQ(points.xEnd.y, points.origin.y);
        EXPECT_EQ(points.upEnd.z, points.origin.z);
        EXPECT_EQ(points.depthEnd.x, points.origin.x);
    }
}

TEST_F(AxisOverlayTest, GlyphKeepsToTheCornerHoweverTheCameraTurns) {
    const struct {
        gfx::Vector3 eye;
        double heading;
        double pitch;
    } cases[] = {
        {{400, 150, -800}, 0.0, 0.0},
        {{0, 300, 0}, 1.0, 0.3},
        {{-50, 10, 75}, 4.0, -0.5},
        {{0, 1000, 0}, 0.0, kPi / 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heading);
        Place(c.eye, c.heading, c.pitch, 60);
        const AxisOverlayPoints points =
            ComputeAxisOverlayPoints(engineCamera, 60, kWidth, kHeight);
        const POINT window =
            camera->ProjectToWindow(points.origin.x, points.origin.y, points.origin.z);
        EXPECT_NEAR(window.x, 0.025 * kWidth, 1.0);
        EXPECT_NEAR(window.y, 0.975 * kHeight, 1.0);
    }
}

TEST_F(AxisOverlayTest, HiddenInShowModeAndWhilePrinting) {
    const struct {
        int editMode;
        int showMode;
        bool shown;
    } cases[] = {
        {EditMode::kNone, 0, true},
        {EditMode::kWall, 0, true},
        {EditMode::kPlanBitmapExport, 0, true},
        {EditMode::kPlanPrint, 0, false},
        {EditMode::kPrintPreview, 0, false},
        {EditMode::kNone, 1, false},
        {EditMode::kShow, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.editMode);
        doc->SetEditMode(c.editMode);
        doc->SetShowMode(c.showMode);
        EXPECT_EQ(IsAxisOverlayShown(*doc), c.shown);
    }
}

}  // namespace
