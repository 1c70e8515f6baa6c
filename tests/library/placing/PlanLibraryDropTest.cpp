#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "PlacingFixture.h"
#include "RecordingBrowsers.h"
#include "document/DocumentFixture.h"
#include "document/LibraryBrowserLink.h"
#include "document/PlanFacingAngle.h"
#include "foundation/GeometryMath.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLibraryDrop.h"
#include "platform/gfx/MathTypes.h"

namespace {

using placing_test::RecordingBrowsers;

class PlanLibraryDropTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        doc->SetLibraryBrowsers(&browsers);
        doc->Settings().rulerShow = 1;
        doc->SetPlanZoomFactor(0.5);
        doc->GetPlacement().inProgress = 1;
    }
    void TearDown() override {
        doc->SetLibraryBrowsers(nullptr);
        scene->SetRenderTarget(nullptr);
        SceneTest::TearDown();
    }

    RecordingBrowsers browsers;
    placing_test::FakeRenderTarget target;
};

TEST_F(PlanLibraryDropTest, TheClientPointBecomesThePlanCornerOfTheDrop) {
    // Half a pixel per centimetre past the 24-pixel rulers.
    const struct {
        const char* name;
        POINT scroll;
        POINT client;
    } cases[] = {
        {"unscrolled", {0, 0}, {24 + 250, 24 + 150}},
        {"scrolled", {100, 40}, {24 + 250 - 100, 24 + 150 - 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        browsers.models.clear();
        doc->GetPlacement().inProgress = 1;
        doc->SetPlanViewOrigin(c.scroll);
        DropLibraryEntryOnPlan(*doc, c.client);
        EXPECT_EQ(doc->GetPlacement().inProgress, 0);
        ASSERT_EQ(browsers.models.size(), 1u);
        const LibraryDropPoint& drop = browsers.models[0];
        EXPECT_FLOAT_EQ(drop.x, 500.0f);
        EXPECT_FLOAT_EQ(drop.z, -300.0f);
        EXPECT_FLOAT_EQ(drop.y, 0.0f);
        EXPECT_EQ(drop.centre, 0);
        EXPECT_TRUE(drop.IsUsed());
        EXPECT_TRUE(browsers.photos.empty());
    }
}

TEST_F(PlanLibraryDropTest, TheDropStandsOnTheFloorOfTheCamerasStorey) {
    // Two storeys: floors at 0 and 300.7 with a ceiling between them.
    for (const auto& [type, height] :
         {std::pair{kFloorObjectType, 0.0f}, std::pair{kFloorObjectType, 300.7f},
          std::pair{kCeilingObjectType, 280.0f}}) {
        std::unique_ptr<CDesignObject> object = CreateDesignObject(type);
        static_cast<C3DObject&>(*object).SetPosition(0.0f, height, 0.0f);
        scene->AddObjectIfAbsent(type, object.release());
    }
    scene->RebuildFloorLevels();
    scene->SetRenderTarget(&target);
    const struct {
        float eye;
        float floor;
    } cases[] = {{150.0f, 0.0f}, {450.0f, 300.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.eye);
        browsers.models.clear();
        doc->GetPlacement().inProgress = 1;
        target.eyeHeight = c.eye;
        DropLibraryEntryOnPlan(*doc, POINT{24 + 250, 24 + 150});
        ASSERT_EQ(browsers.models.size(), 1u);
        EXPECT_FLOAT_EQ(browsers.models[0].y, c.floor);
    }
}

TEST_F(PlanLibraryDropTest, APhotoDragGoesToThePhotoBrowser) {
    doc->GetPlacement().kind = 4;
    DropLibraryEntryOnPlan(*doc, POINT{24 + 250, 24 + 150});
    EXPECT_TRUE(browsers.models.empty());
    ASSERT_EQ(browsers.photos.size(), 1u);
    EXPECT_FLOAT_EQ(browsers.photos[0].x, 500.0f);
}

TEST_F(PlanLibraryDropTest, ADropWhileBusyEndsTheDragAndPlacesNothing) {
    doc->SetBusy(1);
    DropLibraryEntryOnPlan(*doc, POINT{24 + 250, 24 + 150});
    EXPECT_EQ(doc->GetPlacement().inProgress, 0);
    EXPECT_TRUE(browsers.models.empty());
    EXPECT_TRUE(browsers.photos.empty());
}

TEST_F(PlanLibraryDropTest, NewObjectsGoAheadOfTheCameraOnItsFloor) {
    view3D.eye = {100.0f, 150.0f, 200.0f};
    const struct {
        double heading;
        float x;
        float z;
    } cases[] = {{0.0, 100.0f, 550.0f}, {kPi / 2.0, 450.0f, 200.0f}, {kPi, 100.0f, -150.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heading);
        view3D.heading = c.heading;
        const gfx::Vector3 point = doc->GetPlacementPoint();
        EXPECT_NEAR(point.x, c.x, 1e-3);
        EXPECT_NEAR(point.z, c.z, 1e-3);
        EXPECT_FLOAT_EQ(point.y, 0.0f);
    }
}

TEST(PlanFacingAngleTest, APictureTurnsToFaceTheCamera) {
    const gfx::Vector3 camera{100.0f, 150.0f, 200.0f};
    const struct {
        float dx;
        float dz;
        double heading;
    } cases[] = {
        {0.0f, 50.0f, 0.0},          {0.0f, -50.0f, kPi},         {50.0f, 0.0f, 1.5 * kPi},
        {-50.0f, 0.0f, 0.5 * kPi},   {0.0f, 0.0f, kPi},           {50.0f, 50.0f, 1.75 * kPi},
        {50.0f, -50.0f, 1.25 * kPi}, {-50.0f, 50.0f, 0.25 * kPi}, {-50.0f, -50.0f, 0.75 * kPi},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dz);
        const float heading =
            PlanFacingAngle(gfx::Vector3{camera.x + c.dx, 0.0f, camera.z + c.dz}, camera);
        EXPECT_NEAR(heading, c.heading, 1e-5);
        EXPECT_GE(heading, 0.0f);
        EXPECT_LT(heading, static_cast<float>(kTwoPi));
    }
}

}  // namespace
