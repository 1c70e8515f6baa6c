#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ViewTestSupport.h"
#include "foundation/GeometryMath.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"
#include "view3d/3DCamera.h"
#include "view3d/HousViewCamera.h"

namespace {

constexpr float kPiF = 3.14159265f;

void ExpectVector(const gfx::Vector3& actual, const gfx::Vector3& expected, float tolerance,
                  const char* what) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

TEST(C3DCamera, EyeAtOriginLookingAlongZGivesIdentityViewAndSideMinusX) {
    C3DCamera camera;
    camera.SetView({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_FLOAT_EQ(camera.GetView().m[row][column], row == column ? 1.0f : 0.0f)
                << row << ", " << column;
        }
    }
    ExpectVector(camera.GetSide(), {-1, 0, 0}, 0.0f, "side");
    ExpectVector(camera.GetDirection(), {0, 0, 1}, 0.0f, "direction");
}

TEST(C3DCamera, InverseViewKeepsOnlyTheRotation) {
    C3DCamera camera;
    camera.SetView({100, 50, -30}, {101, 50, -30}, {0, 1, 0});
    const gfx::Matrix& inverse = camera.GetInverseView();
    EXPECT_EQ(inverse.m[3][0], 0.0f);
    EXPECT_EQ(inverse.m[3][1], 0.0f);
    EXPECT_EQ(inverse.m[3][2], 0.0f);
    // Camera +z is the world's +x for this camera.
    EXPECT_NEAR(inverse.m[2][0], 1.0f, 1e-6f);
}

TEST(C3DCamera, OrthographicWidthIsSizeOverFov) {
    C3DCamera camera;
    camera.SetProjectionKind(1);
    // VIEW_ANGLE 45 and size 100: the width is 100 / 0.785 = 127.3 whatever
    // the aspect.
    camera.SetProjection(45 * 0.017453292f, 4.0f / 3.0f, 1.0f, 15000.0f, 100.0f);
    EXPECT_NEAR(2.0f / camera.GetProjection().m[0][0], 127.32f, 0.01f);
    EXPECT_NEAR(2.0f / camera.GetProjection().m[1][1], 100.0f, 1e-3f);
}

class HousViewCameraTest : public ViewDocumentTest {
protected:
    void SetUp() override {
        ViewDocumentTest::SetUp();
        view = std::make_unique<CHousViewCamera>(camera, *doc);
        view->SetWindowSize(640, 480);
        view->ResetCamera();
        view->UpdateCamera();
        view->UpdateProjection(doc->Settings());
    }

    C3DCamera camera;
    std::unique_ptr<CHousViewCamera> view;
    FakeScene scene;
};

TEST_F(HousViewCameraTest, PerspectiveMapsKnownPointsOfA640By480View) {
    doc->Settings().viewAngle = 45;
    doc->Settings().farShow3DDistance = 15000.0f;
    view->UpdateProjection(doc->Settings());
    // The reset eye looks along +z with y up, so view space is the world
    // less the eye. With tan 22.5 = 0.41421356, at distance z the frame
    // reaches 0.41421356 z up and 4/3 of that across; the depth is
    // 15000 / 14999 (1 - 1 / z): 0 on the near plane, 1 on the far one.
    struct Case {
        const char* what;
        gfx::Vector3 viewPoint;
        gfx::Vector3 ndc;
        POINT pixel;
    };
    const Case cases[] = {
        {"near plane centre", {0, 0, 1}, {0, 0, 0}, {320, 240}},
        {"far plane centre", {0, 0, 15000}, {0, 0, 1}, {320, 240}},
        {"right edge at 10", {5.5228475f, 0, 10}, {1, 0, 0.9000600f}, {640, 240}},
        {"top edge at 10", {0, 4.1421356f, 10}, {0, 1, 0.9000600f}, {320, 0}},
        {"half right, half down at 2",
         {0.5522847f, -0.4142136f, 2},
         {0.5f, -0.5f, 0.5000333f},
         {480, 360}},
    };
    const gfx::Matrix viewProjection = camera.GetView() * camera.GetProjection();
    for (const Case& c : cases) {
        const gfx::Vector3 world = CHousViewCamera::kResetEye + c.viewPoint;
        const gfx::Vector4 clip = gfx::Vec3Transform(world, viewProjection);
        EXPECT_NEAR(clip.w, c.viewPoint.z, 1e-3f) << c.what;
        ExpectVector({clip.x / clip.w, clip.y / clip.w, clip.z / clip.w}, c.ndc, 1e-4f, c.what);
        const POINT pixel = view->ProjectToWindow(world.x, world.y, world.z);
        EXPECT_NEAR(pixel.x, c.pixel.x, 1) << c.what;
        EXPECT_NEAR(pixel.y, c.pixel.y, 1) << c.what;
    }
}

TEST_F(HousViewCameraTest, SetCameraAnglesNormalisesHeadingAndPitch) {
    struct Case {
        double heading, pitch;
        float storedHeading, storedPitch;
    };
    const double pi = kPi;
    const Case cases[] = {
        {0.0, 0.0, 0.0f, 0.0f},
        {-0.1, 0.0, static_cast<float>(2 * pi - 0.1), 0.0f},
        {2 * pi + 0.0005, 0.0, 0.0f, 0.0f},  // the 0.0008 snap
        {7.0, 0.0, static_cast<float>(7.0 - 2 * pi), 0.0f},
        {0.0, 1.5 * pi, 0.0f, static_cast<float>(-0.5 * pi)},
        {0.0, pi, 0.0f, static_cast<float>(pi)},
        {0.0, -0.3, 0.0f, -0.3f},
        {0.25 * pi, 0.25 * pi, static_cast<float>(0.25 * pi), static_cast<float>(0.25 * pi)},
    };
    for (const Case& c : cases) {
        view->SetCameraAngles(c.heading, c.pitch);
        EXPECT_NEAR(view->GetCameraHeading(), c.storedHeading, 1e-6f) << c.heading;
        EXPECT_NEAR(view->GetCameraPitch(), c.storedPitch, 1e-6f) << c.pitch;
        const gfx::Vector3 expected = {static_cast<float>(std::sin(c.heading) * std::cos(c.pitch)),
                                       static_cast<float>(-std::sin(c.pitch)),
                                       static_cast<float>(std::cos(c.heading) * std::cos(c.pitch))};
        ExpectVector(view->GetDirection(), expected, 1e-6f, "direction");
    }
}

TEST_F(HousViewCameraTest, ProjectionClampsViewAngleAndFarDistance) {
    struct Case {
        int viewAngle;
        float far;
        int usedAngle;
        float usedFar;
    };
    const Case cases[] = {
        {45, 15000.0f, 45, 15000.0f},
        {10, 500.0f, 30, 1000.0f},
        {120, std::numeric_limits<float>::quiet_NaN(), 90, 1000.0f},
        {0, std::numeric_limits<float>::infinity(), 30, 1000.0f},
    };
    for (const Case& c : cases) {
        doc->Settings().viewAngle = c.viewAngle;
        doc->Settings().farShow3DDistance = c.far;
        view->UpdateProjection(doc->Settings());
        EXPECT_FLOAT_EQ(camera.GetFieldOfView(), c.usedAngle * 0.017453292f) << c.viewAngle;
        EXPECT_FLOAT_EQ(camera.GetFar(), c.usedFar) << c.far;
        EXPECT_FLOAT_EQ(camera.GetAspect(), 640.0f / 480.0f);
        for (const auto& row : camera.GetProjection().m) {
            for (float value : row) {
                EXPECT_TRUE(std::isfinite(value));
            }
        }
    }
}

TEST_F(HousViewCameraTest, PresetsFrameTheBoxFromEachSide) {
    // Centre (100, 50, 25); half extents 100, 50, 25.
    scene.scene = Box{{0, 0, 0}, {200, 100, 50}};
    view->SetSceneLink(&scene);
    // Step-4 size: round(100^0.96 * 5.5).
    const int diagonalSize = RoundToInt(std::pow(100.0, 0.96) * 5.5);
    ASSERT_EQ(diagonalSize, 457);
    struct Case {
        int preset;
        gfx::Vector3 eye;
        float heading, pitch;  // units of pi
        int size;
    };
    const Case cases[] = {
        {1, {100, 50, -25}, 0.0f, 0.0f, 200},
        {2, {100, 50, 75}, 1.0f, 0.0f, 200},
        {3, {-100, 50, 25}, 0.5f, 0.0f, 110},
        {4, {300, 50, 25}, 1.5f, 0.0f, 110},
        {5, {100, 160, 25}, 0.0f, 0.5f, 200},
        {6, {100, -60, 25}, 0.0f, -0.5f, 200},
        {7, {-100, 250, -175}, 0.25f, 0.25f, diagonalSize},
        {8, {300, 250, -175}, 1.75f, 0.25f, diagonalSize},
        {9, {-100, 250, 225}, 0.75f, 0.25f, diagonalSize},
        {10, {300, 250, 225}, 1.25f, 0.25f, diagonalSize},
    };
    for (const Case& c : cases) {
        view->SetOrthoView(c.preset);
        ExpectVector(view->GetCameraPosition(), c.eye, 1e-3f, "eye");
        EXPECT_NEAR(view->GetCameraHeading(), c.heading * kPiF, 1e-5f) << c.preset;
        EXPECT_NEAR(view->GetCameraPitch(), c.pitch * kPiF, 1e-5f) << c.preset;
        EXPECT_EQ(view->GetOrthoSize(), c.size) << c.preset;
        EXPECT_EQ(view->GetPreset(), c.preset);
        EXPECT_EQ(view->IsOrthoOn(), 1);
        EXPECT_EQ(camera.GetProjectionKind(), 1);
        EXPECT_NEAR(scene.lastPitch, c.pitch * kPiF, 1e-5f) << "the scene heard of the move";
    }

    // Preset 0 keeps the pose and takes the step-4 size.
    view->SetOrthoView(0);
    ExpectVector(view->GetCameraPosition(), {300, 250, 225}, 1e-3f, "eye");
    EXPECT_EQ(view->GetOrthoSize(), diagonalSize);

    // Only the first preset saved the perspective camera.
    view->RestorePerspective();
    ExpectVector(camera.GetEye(), {400, 150, -800}, 0.0f, "restored eye");
    EXPECT_EQ(view->GetCameraHeading(), 0.0f);
    EXPECT_EQ(view->GetCameraPitch(), 0.0f);
}

TEST_F(HousViewCameraTest, PresetsPreferTheSelectionToTheScene) {
    scene.scene = Box{{0, 0, 0}, {200, 100, 50}};
    scene.selection = Box{{10, 0, 10}, {30, 20, 50}};
    view->SetSceneLink(&scene);
    view->SetOrthoView(5);
    ExpectVector(view->GetCameraPosition(), {20, 10 + 20 + 10, 30}, 1e-4f, "eye above selection");
}

TEST_F(HousViewCameraTest, TopPresetOnAPointIsTenAboveItWithAUsableSize) {
    scene.scene = Box{{5, 7, 9}, {5, 7, 9}};
    view->SetSceneLink(&scene);
    for (int preset : {5, 0, 1, 7}) {
        view->SetOrthoView(preset);
        EXPECT_EQ(view->GetOrthoSize(), CHousViewCamera::kDefaultOrthoSize) << preset;
        view->UpdateProjection(doc->Settings());
        for (const auto& row : camera.GetProjection().m) {
            for (float value : row) {
                EXPECT_TRUE(std::isfinite(value)) << preset;
            }
        }
    }
    view->SetOrthoView(5);
    ExpectVector(view->GetCameraPosition(), {5, 17, 9}, 0.0f, "eye");
}

TEST_F(HousViewCameraTest, EmptySceneFramesTheGround) {
    // Without a scene store, and with one whose scene is empty.
    for (bool linked : {false, true}) {
        view->SetSceneLink(linked ? &scene : nullptr);
        view->SetOrthoView(5);
        // Ground 3000 x 3000: centre (1500, 0, -1500).
        ExpectVector(view->GetCameraPosition(), {1500, 10, -1500}, 0.0f, "eye");
        EXPECT_EQ(view->GetOrthoSize(), 3300);
    }
}

TEST_F(HousViewCameraTest, PanOrthoMovesAcrossAndUpFromThePanOrigin) {
    view->BeginOrthoPan();
    view->PanOrtho(10.0f, 5.0f);
    // direction x up = (-1, 0, 0) for the reset camera.
    ExpectVector(camera.GetEye(), {390, 155, -800}, 1e-4f, "eye");
    view->PanOrtho(-10.0f, 0.0f);
    ExpectVector(camera.GetEye(), {410, 150, -800}, 1e-4f, "eye from the same origin");
}

TEST_F(HousViewCameraTest, UnprojectingAProjectedGroundPointFindsItAgain) {
    view->SetCameraAngles(0.3, 0.4);
    view->UpdateCamera();
    view->UpdateProjection(doc->Settings());
    for (const gfx::Vector3& ground :
         {gfx::Vector3{505, 0, -462}, gfx::Vector3{450, 0, -350}, gfx::Vector3{560, 0, -550}}) {
        const POINT pixel = view->ProjectToWindow(ground.x, ground.y, ground.z);
        ASSERT_GT(pixel.x, 0);
        ASSERT_LT(pixel.x, 640);
        ASSERT_GT(pixel.y, 0);
        ASSERT_LT(pixel.y, 480);
        const gfx::Vector3 hit = view->UnprojectToPlane(pixel, 1, 0);
        // One pixel spans a few centimetres at this distance.
        ExpectVector(hit, ground, 6.0f, "hit");
        EXPECT_NEAR(hit.y, 0.0f, 1e-3f);
    }
}

TEST_F(HousViewCameraTest, RayAlongThePlaneMeetsItNowhere) {
    // Level camera at (400, 150, -800): the centre ray runs along y = 150.
    const POINT centre = {320, 240};
    gfx::Vector3 hit = view->UnprojectToPlane(centre, 1, 150);
    ExpectVector(hit, {400, 150, -800}, 1e-3f, "parallel ray gives the eye");
    EXPECT_TRUE(std::isfinite(hit.x) && std::isfinite(hit.y) && std::isfinite(hit.z));

    // A ray above the horizon meets the floor behind the camera.
    const POINT above = {320, 100};
    hit = view->UnprojectToPlane(above, 1, 0);
    EXPECT_NEAR(hit.y, 0.0f, 1e-3f);
    EXPECT_LT(hit.z, -800.0f);

    // While a library entry is being placed, neither is a drop point.
    doc->GetPlacement().inProgress = 1;
    EXPECT_EQ(view->UnprojectToPlane(centre, 1, 150).x, -100.0f);
    EXPECT_EQ(view->UnprojectToPlane(above, 1, 0).x, -100.0f);
    const POINT below = {320, 400};
    EXPECT_NE(view->UnprojectToPlane(below, 1, 0).x, -100.0f);
}

}  // namespace
