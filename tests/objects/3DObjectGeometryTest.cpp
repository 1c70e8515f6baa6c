#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "FakeSceneServices.h"
#include "Test3DObject.h"
#include "foundation/GeometryMath.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr float kTurn = static_cast<float>(kTwoPi);

void ExpectNear(const gfx::Vector3& actual, const gfx::Vector3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A mesh of count parallel triangles crossing the z axis at z = 1 .. count,
// listed far to near, so that picking along +z meets all of them.
std::unique_ptr<gfx::Mesh> StackedTriangles(uint32_t count) {
    std::unique_ptr<gfx::Mesh> mesh;
    gfx::Mesh::Create(count, count * 3, 0, 0x112, nullptr, &mesh);
    auto vertices = mesh->EditVerticesAs<MeshVertex>();
    auto indices = mesh->EditIndices16();
    for (uint32_t i = 0; i < count; ++i) {
        const float z = static_cast<float>(count - i);
        vertices[i * 3] = {-1, -1, z, 0, 0, -1, 0, 0};
        vertices[i * 3 + 1] = {0, 1, z, 0, 0, -1, 0, 0};
        vertices[i * 3 + 2] = {1, -1, z, 0, 0, -1, 0, 0};
        for (uint32_t k = 0; k < 3; ++k) {
            indices[i * 3 + k] = static_cast<uint16_t>(i * 3 + k);
        }
    }
    return mesh;
}

}  // namespace

TEST(C3DObjectPlacementTest, RotationAnglesLoseOrGainOneTurnOnce) {
    struct Case {
        float in[3];
        float out[3];
    };
    const float pi = static_cast<float>(kPi);
    const Case cases[] = {
        {{kTurn + 0.1f, -0.1f, 0.0f}, {0.1f, kTurn - 0.1f, 0.0f}},
        {{5 * pi, 0.0f, kTurn}, {3 * pi, 0.0f, 0.0f}},
        {{-kTurn - 1.0f, 1.0f, -0.5f}, {-1.0f, 1.0f, kTurn - 0.5f}},
    };
    for (const Case& c : cases) {
        CTest3DObject object;
        object.SetRotation(c.in[0], c.in[1], c.in[2]);
        EXPECT_NEAR(object.GetHeading(), c.out[0], 1e-5);
        EXPECT_NEAR(object.GetElevation(), c.out[1], 1e-5);
        EXPECT_NEAR(object.GetRoll(), c.out[2], 1e-5);
    }
}

TEST(C3DObjectPlacementTest, WorldMatrixScalesToRealSizeTurnsAndMoves) {
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
    object.SetScale(2, 3, 4);
    EXPECT_EQ(object.GetRealSize(), (std::array<float, 3>{4, 8, 6}));  // x, z, y
    object.SetPosition(10, 20, 30);
    ExpectNear(object.LocalToWorld({1, 1, 1}), {12, 23, 34});

    // A quarter turn of heading takes the object's +x to the world's +z.
    object.SetRotation(static_cast<float>(kPi / 2), 0, 0);
    ExpectNear(object.LocalToWorld({1, 0, 0}), {10, 20, 32});
    ExpectNear(gfx::Vec3TransformCoord({1, 0, 0}, object.GetWorldMatrix()), {10, 20, 32});
    ExpectNear(object.ScaleRotatePoint({1, 0, 0}), {0, 0, 2});
    EXPECT_EQ(object.GetPlacement(),
              (std::array<float, 6>{10, 20, 30, 0, 0, static_cast<float>(kPi / 2)}));
}

TEST(C3DObjectPlacementTest, FlatMeshKeepsItsScaleOnTheFlatAxis) {
    CTest3DObject object;
    object.MakeBox({-1, 0, -1}, {1, 0, 1}, 1);
    object.SetScale(2, 5, 2);
    EXPECT_FLOAT_EQ(object.GetScale()[1], 1.0f);
    EXPECT_FLOAT_EQ(object.GetScale()[0], 2.0f);
    ExpectNear(object.LocalToWorld({1, 0, 1}), {2, 0, 2});
}

TEST(C3DObjectPlacementTest, RotateAroundPointTurnsThePositionWithTheObject) {
    FakeSceneServices scene;
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
    object.SetPosition(10, 650, 0);

    object.RotateAroundPoint({0, 0, 0}, {0, 0, 0, 0, 0, 0});
    ExpectNear(object.GetPosition(), {10, 650, 0});
    EXPECT_EQ(object.GetHeading(), 0.0);
    EXPECT_EQ(object.GetFloorIndex(), 2);

    object.RotateAroundPoint({0, 0, 0}, {1, 0, 0, static_cast<float>(-kPi / 2), 0, 0});
    ExpectNear(object.GetPosition(), {1, 650, 10});
    EXPECT_NEAR(object.GetHeading(), kPi / 2, 1e-6);

    // Turning back lands on exactly zero, not on a crumb of angle.
    object.RotateAroundPoint({0, 0, 0}, {0, 0, 0, static_cast<float>(kPi / 2) + 0.0005f, 0, 0});
    EXPECT_EQ(object.GetHeading(), 0.0);
}

TEST(C3DObjectPlacementTest, CentringMovesTheMeshAndTheObject) {
    CTest3DObject object;
    object.MakeBox({2, 4, 6}, {4, 8, 10}, 1);
    object.CentreMeshOnFloor();
    gfx::Vector3 min;
    gfx::Vector3 max;
    object.GetMesh()->ComputeBoundingBox(min, max);
    ExpectNear(min, {-1, 0, -2});
    ExpectNear(max, {1, 4, 2});
    object.CentreMesh();
    object.GetMesh()->ComputeBoundingBox(min, max);
    ExpectNear(min, {-1, -2, -2});

    object.ComputeExtents();
    object.SetRotation(static_cast<float>(kPi / 2), 0, 0);
    object.MoveAnchorTo({100, 0, 50}, 0.0f);
    // The bottom centre of the box now stands on the target.
    ExpectNear(object.LocalToWorld({0, -2, 0}), {100, 0, 50});
    object.MoveCentreTo({0, 0, 0});
    ExpectNear(object.LocalToWorld({0, 0, 0}), {0, 0, 0});
}

TEST(C3DObjectPlacementTest, BoxesAndDistances) {
    CTest3DObject object;
    object.MakeBox({-1, 0, -2}, {1, 2, 2}, 1);
    object.SetPosition(10, 0, 0);
    const CBoundingBox3D box = object.GetWorldBoundingBox();
    EXPECT_EQ(box.empty, 0);
    EXPECT_FLOAT_EQ(box.minX, 9);
    EXPECT_FLOAT_EQ(box.maxZ, 2);
    EXPECT_DOUBLE_EQ(object.GetLevelHeight(), 1.0);
    // The farthest corner from the origin is (11, 2, +-2).
    EXPECT_NEAR(object.GetMaxSquaredDistanceTo({0, 0, 0}), 121 + 4 + 4, 1e-3);

    const struct {
        float x, z;
        CIntBoundingBox2D expected;
    } cases[] = {{2.5f, -3.5f, {0, 3, 4, 3, 4}}, {-2.5f, 0.4f, {0, -3, 0, -3, 0}}};
    for (const auto& c : cases) {
        object.SetPosition(c.x, 0, c.z);
        EXPECT_EQ(object.GetBoundingBox(), c.expected);
    }
}

TEST(C3DObjectPlacementTest, MoveInPlanFollowsTheMoveAxisOfASelectedObject) {
    const struct {
        int selected, mode;
        std::array<float, 3> expected;
    } cases[] = {
        {0, 0, {1, 2, 3}},  {1, 0, {11, 2, -2}}, {1, 1, {11, 2, 3}},
        {1, 2, {1, 2, -2}}, {1, 3, {1, 2, 3}},
    };
    for (const auto& c : cases) {
        CTest3DObject object;
        object.SetPosition(1, 2, 3);
        object.SetSelected(c.selected);
        object.SetMoveAxisMode(c.mode);
        object.MoveInPlan(10, 5);
        const gfx::Vector3 p = object.GetPosition();
        EXPECT_EQ((std::array<float, 3>{p.x, p.y, p.z}), c.expected)
            << "selected " << c.selected << " mode " << c.mode;
    }
}

TEST(C3DObjectPlacementTest, DescriptionShowsPlanPointHeightAndDegrees) {
    CTest3DObject object;
    object.SetPosition(12.34f, 100, 50);
    object.SetRotation(static_cast<float>(kPi / 2), 0, static_cast<float>(kPi));
    EXPECT_EQ(object.GetDescription(),
              "位置(12.3, -50.0) 高度100.0公分 方向角90.0度 仰角0.0度 側角180.0度");
}

TEST(C3DObjectPickingTest, PickRayRunsThroughTheCursorInMeshCoordinates) {
    CTest3DObject object;
    object.MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
    object.SetPosition(5, 0, 0);
    const gfx::Matrix projection =
        gfx::MatrixPerspectiveFovLH(static_cast<float>(kPi / 2), 1, 1, 100);
    gfx::Vector3 direction;
    gfx::Vector3 origin;
    object.ComputePickRay(&direction, &origin, projection, gfx::MatrixIdentity(), 50, 50, 100, 100);
    ExpectNear(origin, {-5, 0, 0});
    ExpectNear(direction, {0, 0, 1});
    object.ComputePickRay(&direction, &origin, projection, gfx::MatrixIdentity(), 100, 0, 100, 100);
    ExpectNear(direction, {1, 1, 1});
}

TEST(C3DObjectPickingTest, NearestHitAndWallsSeenFromBehind) {
    for (const int type : {kModelObjectType, kWallObjectType}) {
        CTest3DObject object(type);
        object.MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
        PickHit hits[16];
        uint32_t count = 99;
        float nearest = 0;
        // From outside the box the front side faces the ray.
        EXPECT_EQ(object.IntersectRay(1, hits, &count, {0, 0, -5}, {0, 0, 1}, &nearest), 1);
        EXPECT_EQ(count, 1u);
        EXPECT_FLOAT_EQ(nearest, 4.0f);
        EXPECT_FLOAT_EQ(hits[0].distance, 4.0f);

        // From inside the ray meets a side from behind: a wall refuses it.
        count = 99;
        EXPECT_EQ(object.IntersectRay(1, hits, &count, {0, 0, 0}, {0, 0, 1}, &nearest), 1);
        EXPECT_EQ(count, type == kWallObjectType ? 0u : 1u);

        EXPECT_EQ(object.IntersectRay(1, hits, &count, {0, 5, -5}, {0, 0, 1}, &nearest), 0);
        EXPECT_EQ(count, 0u);
        EXPECT_FLOAT_EQ(nearest, 1e10f);
    }
    CTest3DObject empty;
    PickHit hit;
    uint32_t count = 0;
    float nearest = 0;
    EXPECT_EQ(empty.IntersectRay(1, &hit, &count, {}, {0, 0, 1}, &nearest), 0);
}

TEST(C3DObjectPickingTest, AllHitsKeepsSixteenWithTheNearestFirst) {
    CTest3DObject object;
    object.SetMesh(StackedTriangles(20));
    PickHit hits[16];
    uint32_t count = 0;
    float nearest = 0;
    EXPECT_EQ(object.IntersectRay(0, hits, &count, {0, 0, 0}, {0, 0, 1}, &nearest), 1);
    EXPECT_EQ(count, 16u);
    EXPECT_FLOAT_EQ(hits[0].distance, 5.0f);  // the nearest of the first sixteen faces
    EXPECT_FLOAT_EQ(nearest, 5.0f);
}

TEST(C3DObjectPlanTest, OutlineSegmentsFollowThePlacementAndHideWhenFacingDown) {
    CTest3DObject object;
    object.MakeBox({-1, 0, -1}, {1, 2, 1}, 1);
    object.SetPointRecords({{{-1, 0, 1}, {1, 0, 1}, {0, 0, 1}}});
    object.SetPlanOutlineShown(1);
    object.SetPosition(10, 0, 20);
    object.UpdatePlanOutline();
    ASSERT_EQ(object.GetPlanOutline().size(), 1u);
    const CSegment2F& segment = object.GetPlanOutline()[0];
    EXPECT_FLOAT_EQ(segment.start.x, 9);
    EXPECT_FLOAT_EQ(segment.start.y, -21);
    EXPECT_FLOAT_EQ(segment.end.x, 11);

    // Pitched so that the facing vector points down: the segment is hidden.
    object.SetRotation(0, -0.5f, 0);
    object.UpdatePlanOutline();
    EXPECT_FLOAT_EQ(object.GetPlanOutline()[0].start.x, 0);
    EXPECT_FLOAT_EQ(object.GetPlanOutline()[0].end.y, 0);

    object.SetPointRecords({});
    object.UpdatePlanOutline();
    EXPECT_EQ(object.GetPlanOutline().size(), 1u);
}

TEST(C3DObjectPlanTest, MirrorKeepsFacesFrontFacingAndTwiceRestores) {
    CTest3DObject object;
    object.MakeBox({0, 0, 0}, {4, 2, 1}, 1);
    object.SetPointRecords({{{1, 0, 2}, {3, 0, 2}, {0, 0, 1}}});
    const std::vector<uint8_t> vertices(object.GetMesh()->Vertices().begin(),
                                        object.GetMesh()->Vertices().end());
    const std::vector<uint16_t> indices(object.GetMesh()->Indices16().begin(),
                                        object.GetMesh()->Indices16().end());
    for (const int axis : {1, 2}) {
        object.Mirror(axis);
        const gfx::Mesh& mesh = *object.GetMesh();
        for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
            const auto corners = mesh.GetFace(face);
            const gfx::Vector3 a = mesh.GetPosition(corners[0]);
            const gfx::Vector3 winding =
                gfx::Vec3Cross(mesh.GetPosition(corners[1]) - a, mesh.GetPosition(corners[2]) - a);
            const MeshVertex& v = mesh.VerticesAs<MeshVertex>()[corners[0]];
            EXPECT_GT(gfx::Vec3Dot(winding, {v.nx, v.ny, v.nz}), 0.0f) << "axis " << axis;
        }
        const OutlineRecord& record = object.GetPointRecords()[0];
        EXPECT_FLOAT_EQ(axis == 1 ? record.pointA.x : record.pointA.z, axis == 1 ? -1.0f : -2.0f);
        object.Mirror(axis);
        EXPECT_TRUE(
            std::equal(vertices.begin(), vertices.end(), object.GetMesh()->Vertices().begin()));
        EXPECT_TRUE(
            std::equal(indices.begin(), indices.end(), object.GetMesh()->Indices16().begin()));
        EXPECT_FLOAT_EQ(object.GetPointRecords()[0].pointA.x, 1.0f);
    }
}

TEST(C3DObjectPlanTest, LibraryFolderDecidesLampsAndFloorPhotos) {
    const struct {
        int hostType;
        const char* photoPath;
        int canHost;
    } cases[] = {
        {kFloorObjectType, "Z:\\lib\\地毯\\rug.jpg", 1},
        {kFloorObjectType, "/home/u/lib/A02陰影圖/shade.bmp", 1},
        {kFloorObjectType, "Z:\\lib\\人物\\man.jpg", 0},
        {kWallObjectType, "Z:\\lib\\人物\\man.jpg", 1},
    };
    for (const auto& c : cases) {
        CTest3DObject host(c.hostType);
        CTest3DObject photo(kPhotoObjectType);
        photo.SetFilePath(c.photoPath);
        EXPECT_EQ(host.CanHostPhoto(photo), c.canHost) << c.photoPath;
    }
    CTest3DObject lamp;
    lamp.SetFilePath("/lib/家具/吊燈/lamp.qvp");
    EXPECT_EQ(lamp.GetLibraryFolderName(), "吊燈");
    EXPECT_EQ(lamp.IsNotLamp(), 0);
    lamp.SetFilePath("Z:\\lib\\桌子\\table.qvp");
    EXPECT_EQ(lamp.GetLibraryFolderName(), "桌子");
    EXPECT_EQ(lamp.IsNotLamp(), 1);
}

TEST(C3DObjectCopyTest, CopyTakesPlacementAndRecordsButNotItsPlaceInTheScene) {
    CTest3DObject light(kLightObjectType);
    CTest3DObject source;
    source.MakeBox({-1, -1, -1}, {1, 1, 1}, 2);
    source.SetPosition(1, 2, 3);
    source.SetRotation(0.5f, 0, 0);
    source.SetName("椅子");
    source.SetHidden(1);
    source.SetFloorIndex(3);
    source.SetBlend(1);
    source.SetMirrorImages(1);
    source.ShadowLights().push_back(&light);
    source.SetPointRecords({{{1, 0, 0}, {2, 0, 0}, {0, 0, 1}}});

    std::unique_ptr<CDesignObject> clone = source.Clone();
    auto& copy = static_cast<CTest3DObject&>(*clone);
    ExpectNear(copy.GetPosition(), {1, 2, 3});
    EXPECT_FLOAT_EQ(copy.GetHeading(), 0.5f);
    EXPECT_EQ(copy.GetName(), "椅子");
    EXPECT_EQ(copy.IsHidden(), 0);
    EXPECT_EQ(copy.GetFloorIndex(), 0);
    EXPECT_EQ(copy.GetBlend(), 0);
    EXPECT_EQ(copy.GetMirrorImages(), 1);
    EXPECT_EQ(copy.GetShadowLights(), source.GetShadowLights());
    EXPECT_EQ(copy.GetMaterialCount(), 2);
    ASSERT_NE(copy.GetMesh(), nullptr);
    EXPECT_NE(copy.GetMesh(), source.GetMesh());
    source.SetPointRecords({});
    EXPECT_EQ(copy.GetPointRecords().size(), 1u);
}
