#include <gtest/gtest.h>

#include <numbers>

#include "document/DesignScene.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "platform/gfx/MatrixMath.h"

namespace {

// A 200 x 200 window with the camera at eye looking at the origin.
ScenePickQuery CentreQuery(const gfx::Vector3& eye, const gfx::Vector3& at = {0, 0, 0}) {
    ScenePickQuery query;
    query.x = 100;
    query.y = 100;
    query.width = 200;
    query.height = 200;
    query.view = gfx::MatrixLookAtLH(eye, at, {0, 1, 0});
    query.projection =
        gfx::MatrixPerspectiveFovLH(std::numbers::pi_v<float> / 4.0f, 1.0f, 1.0f, 10000.0f);
    query.eye = eye;
    return query;
}

CTest3DObject* AddBox(CDesignScene& scene, int type, const gfx::Vector3& min,
                      const gfx::Vector3& max) {
    auto* object = new CTest3DObject(type);
    object->MakeBox(min, max, 1);
    object->UpdateWorldMatrix();
    scene.AddObjectIfAbsent(type, object);
    return object;
}

TEST(ScenePick, TheNearerObjectWinsAndNothingUnderTheCursorPicksNothing) {
    CDesignScene scene;
    CTest3DObject* wall = AddBox(scene, kWallObjectType, {-500, -500, 300}, {500, 500, 320});
    CTest3DObject* model = AddBox(scene, kModelObjectType, {-50, -50, -50}, {50, 50, 50});

    ScenePick pick = scene.PickNearestObject(CentreQuery({0, 0, -500}));
    EXPECT_EQ(pick.object, model);
    EXPECT_EQ(pick.type, kModelObjectType);
    EXPECT_NEAR(pick.distance, 450.0f, 0.5f);
    EXPECT_GE(pick.face, 0);

    model->SetHidden(1);
    pick = scene.PickNearestObject(CentreQuery({0, 0, -500}));
    EXPECT_EQ(pick.object, wall);
    EXPECT_EQ(pick.type, kWallObjectType);

    // Looking away from everything.
    pick = scene.PickNearestObject(CentreQuery({0, 0, -500}, {0, 0, -1000}));
    EXPECT_EQ(pick.object, nullptr);
    EXPECT_EQ(pick.type, -1);
}

TEST(ScenePick, AnEquallyNearLaterTypeDoesNotWinButANearerOneDoes) {
    CDesignScene scene;
    // The same box as a floor (tried after walls) and as a wall.
    AddBox(scene, kFloorObjectType, {-50, -50, -50}, {50, 50, 50});
    CTest3DObject* wall = AddBox(scene, kWallObjectType, {-50, -50, -50}, {50, 50, 50});
    EXPECT_EQ(scene.PickNearestObject(CentreQuery({0, 100, -500})).object, wall);

    // A 3D text in front of a model of the same place wins.
    CDesignScene nearer;
    AddBox(nearer, kModelObjectType, {-50, -50, -50}, {50, 50, 50});
    CTest3DObject* text = AddBox(nearer, kText3DObjectType, {-50, -50, -60}, {50, 50, -55});
    EXPECT_EQ(nearer.PickNearestObject(CentreQuery({0, 0, -500})).object, text);
}

// Objects are tried nearest box first and the pick stops at boxes beyond
// its best hit, so a box the ray enters early but hits late must not hide
// a nearer object behind its front, and of two equally near objects the one
// listed first still wins.
TEST(ScenePick, TheNearestHitWinsWhateverOrderTheBoxesAreEnteredIn) {
    CDesignScene scene;
    // A box from z 0 to 200 whose front side is moved far off the ray: its
    // box is entered at z 0, its back side is hit at z 200.
    CTest3DObject* hollow = AddBox(scene, kModelObjectType, {-50, -50, 0}, {50, 50, 200});
    auto vertices = hollow->GetMesh()->EditVerticesAs<MeshVertex>();
    for (size_t front = 20; front < 24; ++front) {
        vertices[front].x += 1000.0f;
    }
    CTest3DObject* inside = AddBox(scene, kModelObjectType, {-10, -10, 90}, {10, 10, 110});
    CTest3DObject* twin = AddBox(scene, kModelObjectType, {-10, -10, 90}, {10, 10, 110});

    const ScenePick pick = scene.PickNearestObject(CentreQuery({0, 0, -500}));
    EXPECT_EQ(pick.object, inside);
    EXPECT_NEAR(pick.distance, 590.0f, 0.5f);

    inside->SetHidden(1);
    EXPECT_EQ(scene.PickNearestObject(CentreQuery({0, 0, -500})).object, twin);
    twin->SetHidden(1);
    const ScenePick behind = scene.PickNearestObject(CentreQuery({0, 0, -500}));
    EXPECT_EQ(behind.object, hollow);
    EXPECT_NEAR(behind.distance, 700.0f, 0.5f);
}

TEST(ScenePick, FloorsAreSeenFromAboveAndCeilingsFromBelow) {
    struct Case {
        int type;
        float eyeY;
        bool picked;
    };
    const Case cases[] = {
        {kFloorObjectType, 100.0f, true},    {kFloorObjectType, -100.0f, false},
        {kCeilingObjectType, 100.0f, false}, {kCeilingObjectType, -100.0f, true},
        {kModelObjectType, -100.0f, true},
    };
    for (const Case& c : cases) {
        CDesignScene scene;
        // A slab whose level is 0.
        AddBox(scene, c.type, {-1000, -1, -1000}, {1000, 1, 1000});
        const ScenePick pick = scene.PickNearestObject(CentreQuery({0, c.eyeY, -300}));
        EXPECT_EQ(pick.object != nullptr, c.picked) << c.type << " " << c.eyeY;
    }
    EXPECT_FALSE(pick_rules::IsSeenFromEye(kFloorObjectType, 0.0f, 0.0f));
    EXPECT_FALSE(pick_rules::IsSeenFromEye(kCeilingObjectType, 0.0f, 0.0f));
}

TEST(ScenePick, LightsOnlyWhileTheirShapesAreShownAndPhotosOnlyFromTheFront) {
    CDesignScene scene;
    CTest3DObject* light = AddBox(scene, kLightObjectType, {-10, -10, -10}, {10, 10, 10});
    ScenePickQuery query = CentreQuery({0, 0, -500});
    EXPECT_EQ(scene.PickNearestObject(query).object, light);
    query.showLights = false;
    EXPECT_EQ(scene.PickNearestObject(query).object, nullptr);

    // The pick ray in the photo's own coordinates.
    EXPECT_TRUE(pick_rules::AcceptsRay(kPhotoObjectType, {0, 0, 1}));
    EXPECT_FALSE(pick_rules::AcceptsRay(kPhotoObjectType, {0, 0, -1}));
    EXPECT_FALSE(pick_rules::AcceptsRay(kPhotoObjectType, {1, 0, 0}));
    EXPECT_TRUE(pick_rules::AcceptsRay(kModelObjectType, {0, 0, -1}));
}

}  // namespace
