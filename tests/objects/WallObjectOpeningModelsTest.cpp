#include <gtest/gtest.h>

#include <memory>

#include "FakeDocumentServices.h"
#include "FakeSceneServices.h"
#include "TestWall.h"
#include "objects/ModelObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"

namespace {

// The straight wall of the through-hole tests: 300 long, 20 thick, 280
// high; face 3 the outer long side (3D z = 20, local x from plan x 300
// down), face 5 the inner one.
constexpr int kOuterFace = 3;

void ExpectNear(const gfx::Vector3& actual, const gfx::Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3f);
    EXPECT_NEAR(actual.y, expected.y, 1e-3f);
    EXPECT_NEAR(actual.z, expected.z, 1e-3f);
}

// A door model 100 wide, 200 high and 10 deep around its own centre.
void MakeDoor(CTest3DObject& door) {
    door.MakeBox({-50, 0, -5}, {50, 200, 5}, 1);
}

gfx::Vector3 CentreOf(const CTest3DObject& door) {
    return door.LocalToWorld({0, 100, 0});
}

}  // namespace

TEST(WallOpeningModelsTest, DoorFitsItsOpeningInTheMiddleOfTheWall) {
    FakeDocumentServices document;
    FakeSceneServices scene;
    CTest3DObject door;
    MakeDoor(door);
    scene.lists[kModelObjectType].push_back(&door);

    const struct {
        const char* name;
        bool through;
        gfx::Vector3 centre;
    } cases[] = {
        {"hole through the wall", true, {155, 105, 10}},
        {"opening on the face alone", false, {155, 105, 20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTestWall wall;
        ASSERT_EQ(wall.Build({{0, 0}, {0, 20}, {300, 20}, {300, 0}}, 280.0f), 1);
        auto item = std::make_unique<WallFaceItem>(kOuterFace, 1, WallFaceItem::kRectangle);
        item->SetCorners({100, 0}, {190, 210});
        // The model class is not needed here; the opening names it by address.
        item->model1 = reinterpret_cast<CModelObject*>(&door);
        WallFaceItem& opening = *item;
        wall.AddFaceItem(std::move(item));
        if (c.through) {
            wall.CreateTwinItems(kOuterFace);
            ASSERT_NE(wall.FindTwinItem(opening), nullptr);
            EXPECT_NEAR(wall.GetHoleThickness(opening), 20.0f, 1e-4f);
        }

        wall.PlaceOpeningModel(opening, door);

        // 100 x 200 into 90 x 210; the depth stays the model's own.
        EXPECT_NEAR(door.GetScale()[0], 0.9f, 1e-5f);
        EXPECT_NEAR(door.GetScale()[1], 1.05f, 1e-5f);
        EXPECT_NEAR(door.GetScale()[2], 1.0f, 1e-5f);
        ExpectNear(CentreOf(door), c.centre);
        const CWallObject::FaceRotation turn = wall.GetFaceRotation(kOuterFace);
        EXPECT_FLOAT_EQ(door.GetHeading(), turn.heading);
    }
}

TEST(WallOpeningModelsTest, ModelsFollowTheirWallAndThoseGoneAreLetGo) {
    FakeDocumentServices document;
    FakeSceneServices scene;
    CTestWall wall;
    ASSERT_EQ(wall.Build({{0, 0}, {0, 20}, {300, 20}, {300, 0}}, 280.0f), 1);
    CTest3DObject door;
    MakeDoor(door);
    CTest3DObject gone;
    MakeDoor(gone);
    scene.lists[kModelObjectType].push_back(&door);
    auto item = std::make_unique<WallFaceItem>(kOuterFace, 1, WallFaceItem::kRectangle);
    item->SetCorners({100, 0}, {190, 210});
    item->model1 = reinterpret_cast<CModelObject*>(&door);
    item->model2 = reinterpret_cast<CModelObject*>(&gone);
    WallFaceItem& opening = *item;
    wall.AddFaceItem(std::move(item));
    wall.CreateTwinItems(kOuterFace);

    const struct {
        gfx::Vector3 position;
        float heading;
    } placements[] = {{{0, 0, 0}, 0}, {{40, 0, -30}, 0.5f}, {{-10, 300, 5}, 4.0f}};
    for (const auto& placement : placements) {
        SCOPED_TRACE(placement.heading);
        wall.SetPositionVector(placement.position);
        wall.SetRotation(placement.heading, 0, 0);
        wall.UpdateOpeningModels();
        ExpectNear(CentreOf(door), wall.LocalToWorld({155, 105, 10}));
        EXPECT_EQ(opening.model1, reinterpret_cast<CModelObject*>(&door));
        // The scene no longer holds it: let go, never placed.
        EXPECT_EQ(opening.model2, nullptr);
        EXPECT_FLOAT_EQ(gone.GetScale()[0], 1.0f);
    }
}
