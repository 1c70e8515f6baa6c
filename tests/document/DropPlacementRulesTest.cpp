#include "document/DropPlacementRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "document/DocumentRecords.h"
#include "foundation/GeometryMath.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"

using namespace drop_placement;

namespace {

constexpr float kHalfPi = static_cast<float>(kPi / 2.0);

LibraryPlacement Model(float width, float depth, float height, std::string folder = "") {
    LibraryPlacement placed;
    placed.kind = 0;
    placed.width = width;
    placed.depth = depth;
    placed.height = height;
    placed.folder = std::move(folder);
    return placed;
}

LibraryPlacement Photo(float width, float height) {
    LibraryPlacement placed;
    placed.kind = 4;
    placed.width = width;
    placed.depth = 0.1f;
    placed.height = height;
    return placed;
}

void ExpectNear(const gfx::Vector3& got, const gfx::Vector3& want, float tolerance = 1e-3f) {
    EXPECT_NEAR(got.x, want.x, tolerance);
    EXPECT_NEAR(got.y, want.y, tolerance);
    EXPECT_NEAR(got.z, want.z, tolerance);
}

TEST(DropPlacementRulesTest, DropPointIsTheWorldHitPushedOutAlongTheFace) {
    // The local point must land where the object's world matrix puts it.
    TargetFrame target;
    target.position = {300.0f, 10.0f, -200.0f};
    target.heading = 0.6f;
    const gfx::Vector3 local = {40.0f, 25.0f, -15.0f};
    const gfx::Matrix turn = gfx::MatrixRotationYawPitchRoll(-target.heading, 0.0f, 0.0f);
    const gfx::Vector3 turned = gfx::Vec3TransformNormal(local, turn);
    const gfx::Vector3 worldHit = target.position + turned;
    const gfx::Vector3 normal = {0.0f, 0.0f, -1.0f};
    const gfx::Vector3 out = gfx::Vec3TransformNormal(normal, turn);

    struct Case {
        LibraryPlacement placed;
        float push;
    };
    for (const Case& c : {Case{Model(60, 0, 80), 0.0f}, Case{Model(60, 50, 80), 25.0f},
                          Case{Photo(100, 75), 0.1f}}) {
        SCOPED_TRACE(c.push);
        const gfx::Vector3 drop = DropPointToWorld(target, local, normal, c.placed);
        ExpectNear(drop, {worldHit.x + out.x * c.push, target.position.y + local.y,
                          worldHit.z + out.z * c.push});
    }
}

TEST(DropPlacementRulesTest, LocalHitPointIsScaledExceptOnPhotos) {
    const std::array<float, 3> scale = {2.0f, 3.0f, 4.0f};
    const gfx::Vector3 p = {0, 0, 0};
    const gfx::Vector3 q = {10, 0, 0};
    const gfx::Vector3 r = {0, 10, 10};
    ExpectNear(LocalHitPoint(p, q, r, 0.5f, 0.25f, &scale), {10.0f, 7.5f, 10.0f});
    ExpectNear(LocalHitPoint(p, q, r, 0.5f, 0.25f, nullptr), {5.0f, 2.5f, 2.5f});
}

TEST(DropPlacementRulesTest, WallFacesTurnTheEntryOutAndDeepModelsStandOnTheFloorBelow) {
    struct Case {
        const char* name;
        gfx::Vector3 normal;
        LibraryPlacement placed;
        float heading;
        float y;
    };
    const float floorBelow = 20.0f;
    const Case cases[] = {
        // The plan vector of a face towards -z points up the plan (angle pi/2).
        {"deep model", {0, 0, -1}, Model(100, 60, 80, "01沙發"), 2.0f * kHalfPi, floorBelow},
        {"facing +x", {1, 0, 0}, Model(100, 60, 80), kHalfPi, floorBelow},
        // -0 in the plan vector gives the turn below zero; the same direction.
        {"facing -x", {-1, 0, 0}, Model(100, 60, 80), -kHalfPi, floorBelow},
        {"facing +z", {0, 0, 1}, Model(100, 60, 80), 0.0f, floorBelow},
        {"wall lamp", {0, 0, -1}, Model(20, 40, 30, "05壁燈"), 2.0f * kHalfPi, 150.0f},
        {"shallow model", {0, 0, -1}, Model(80, 30, 60, "04層架"), 2.0f * kHalfPi, 150.0f},
        {"photo", {0, 0, -1}, Photo(100, 75), 2.0f * kHalfPi, 150.0f},
        {"floor", {0, 1, 0}, Model(100, 60, 80), 0.0f, 150.0f},
        {"ceiling underside", {0, -1, 0}, Model(100, 60, 80), 0.0f, 70.0f},
        {"slanted face", {0.5f, 0.5f, -0.7f}, Model(100, 60, 80), 0.0f, 150.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gfx::Vector3 point = {5.0f, 150.0f, -7.0f};
        const float heading = AdjustDropOnSurface(c.normal, point, c.placed, floorBelow);
        EXPECT_NEAR(heading, c.heading, 1e-5f);
        EXPECT_FLOAT_EQ(point.y, c.y);
        EXPECT_FLOAT_EQ(point.x, 5.0f);
        EXPECT_FLOAT_EQ(point.z, -7.0f);
    }
}

TEST(DropPlacementRulesTest, ADropBelowEveryFloorLevelKeepsItsHeight) {
    // No level lies at or below the point: snapping would lift the model.
    gfx::Vector3 point = {0.0f, 10.0f, 0.0f};
    AdjustDropOnSurface({0, 0, -1}, point, Model(100, 60, 80), 300.0f);
    EXPECT_FLOAT_EQ(point.y, 10.0f);
}

TEST(DropPlacementRulesTest, PhotosLieFlatOnFloorsAndHangUnderCeilings) {
    struct Case {
        const char* name;
        gfx::Vector3 normal;
        std::optional<FlatPhoto> flat;
    };
    const Case cases[] = {
        {"floor", {0, 1, 0}, FlatPhoto{2.0f + 50.0f + 0.1f, 4.71238898f}},
        {"ceiling underside", {0, -1, 0}, FlatPhoto{50.0f - 0.1f, kHalfPi}},
        {"wall", {0, 0, -1}, std::nullopt},
        {"almost flat", {0.001f, 1, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<FlatPhoto> flat = LayPhotoFlat(c.normal, 50.0f, 2.0f);
        ASSERT_EQ(flat.has_value(), c.flat.has_value());
        if (flat) {
            EXPECT_FLOAT_EQ(flat->y, c.flat->y);
            EXPECT_FLOAT_EQ(flat->elevation, c.flat->elevation);
        }
    }
}

TEST(DropPlacementRulesTest, StackingGoesOnTopOfTheTargetOrUnderACeiling) {
    TargetFrame target;
    target.position = {100.0f, 0.0f, -50.0f};
    target.height = 75.0f;
    const CIntBoundingBox2D box = {0, 101, 20, 200, 61};
    const LibraryPlacement placed = Model(40, 40, 30);
    struct Case {
        int type;
        gfx::Vector3 point;
    };
    const Case cases[] = {
        {kModelObjectType, {100.0f, 75.0f, -50.0f}},
        // Whole halves of the plan box: (101 + 200) / 2 = 150, (20 + 61) / -2 = -40.
        {kWallObjectType, {150.0f, 10.0f + 75.0f, -40.0f}},
        {kFloorObjectType, {150.0f, 10.0f + 75.0f, -40.0f}},
        {kCeilingObjectType, {150.0f, 10.0f - 30.0f, -40.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ExpectNear(DropOnTopOfTarget(c.type, target, box, 10.0f, placed), c.point);
    }
}

TEST(DropPlacementRulesTest, SnappingSetsTheEntryBesideTheTargetOnTheSideOfTheHit) {
    TargetFrame target;
    target.position = {200.0f, 5.0f, -300.0f};
    target.width = 120.0f;
    target.depth = 60.0f;
    const LibraryPlacement placed = Model(40, 30, 50);
    // across = 20 + 60 + 10 = 90, along = 30 - 15 = 15
    struct Case {
        float heading;
        float localX;
        gfx::Vector3 point;
    };
    const Case cases[] = {
        {0.0f, 10.0f, {290.0f, 5.0f, -285.0f}},
        {0.0f, -10.0f, {110.0f, 5.0f, -285.0f}},
        {kHalfPi, 10.0f, {200.0f - 15.0f, 5.0f, -300.0f + 90.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading + c.localX);
        target.heading = c.heading;
        ExpectNear(DropBesideTarget(target, c.localX, placed, 10.0f), c.point);
    }
    EXPECT_TRUE(IsInsidePlanQuadrant({0.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(IsInsidePlanQuadrant({-0.5f, 0.0f, -10.0f}));
    EXPECT_FALSE(IsInsidePlanQuadrant({10.0f, 0.0f, 0.5f}));
}

TEST(DropPlacementRulesTest, CatalogueTextsNameHangingPicturesAndWallLamps) {
    struct Case {
        const char* text;
        bool hanging;
        bool wallLamp;
    };
    const Case cases[] = {
        {"08海報", true, false},   {"字畫", true, false},   {"掛畫-1", true, false},
        {"浴室掛鏡", true, false}, {"05壁燈", false, true}, {"吊燈", false, false},
        {"01沙發", false, false},  {"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsHangingPicture(c.text), c.hanging);
        EXPECT_EQ(IsWallLamp(c.text), c.wallLamp);
    }
}

TEST(DropPlacementRulesTest, HangingModelsGetAnUprightShadowAndOthersAFlatOne) {
    ModelShape model;
    model.position = {100.0f, 120.0f, -50.0f};
    model.heading = kHalfPi;
    model.roll = 0.3f;
    model.width = 80.0f;
    model.depth = 4.0f;
    model.height = 60.0f;

    const ShadowPictureLayout hanging = LayoutShadowPicture(model, true);
    EXPECT_FLOAT_EQ(hanging.width, 80.0f * 1.4f);
    EXPECT_FLOAT_EQ(hanging.height, 60.0f * 1.4f);
    EXPECT_FLOAT_EQ(hanging.drop.y, static_cast<float>(120.0 - 60.0 * 0.19999999999999996));
    // Inset 39.9 along the wall, turned a quarter: x -= 39.9, z unchanged.
    EXPECT_NEAR(hanging.drop.x, 100.0f - 39.9f, 1e-4f);
    EXPECT_NEAR(hanging.drop.z, -50.0f, 1e-4f);
    ExpectNear(hanging.modelPosition, {100.2f, 120.0f, -50.0f}, 1e-5f);
    EXPECT_FLOAT_EQ(hanging.heading, kHalfPi);
    EXPECT_FLOAT_EQ(hanging.elevation, 0.0f);
    EXPECT_FLOAT_EQ(hanging.roll, 0.3f);

    model.heading = 0.0f;
    model.position = {100.0f, 0.0f, -50.0f};
    model.depth = 50.0f;
    const ShadowPictureLayout lying = LayoutShadowPicture(model, false);
    EXPECT_FLOAT_EQ(lying.width, 80.0f * 1.4f);
    EXPECT_FLOAT_EQ(lying.height, 50.0f * 1.4f);
    ExpectNear(lying.drop, {100.0f, 0.1f, -50.0f - 35.0f}, 1e-5f);
    ExpectNear(lying.modelPosition, {100.0f, 0.2f, -50.0f}, 1e-5f);
    EXPECT_FLOAT_EQ(lying.elevation, static_cast<float>(-kPi / 2.0));
    EXPECT_FLOAT_EQ(lying.roll, 0.0f);
}

TEST(DropPlacementRulesTest, AMeshWithoutExtentKeepsScaleOne) {
    EXPECT_FLOAT_EQ(ScaleForSize(140.0f, 2.0f), 70.0f);
    EXPECT_FLOAT_EQ(ScaleForSize(140.0f, 0.0f), 1.0f);
}

}  // namespace

TEST(DropPlacementRulesTest, PlacingCursorTellsWhereADraggedEntryWouldGo) {
    const struct {
        int type;
        bool lamp;
        int cursor;
    } cases[] = {
        {-1, false, kPlaceOnGroundCursor},
        {kModelObjectType, false, kPlaceOnObjectCursor},
        {kWallObjectType, false, kPlaceOnObjectCursor},
        {kModelObjectType, true, kNotTakenCursor},
        {kText3DObjectType, false, kNotTakenCursor},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetPlacingCursor(c.type, c.lamp), c.cursor) << c.type << " " << c.lamp;
    }
}
