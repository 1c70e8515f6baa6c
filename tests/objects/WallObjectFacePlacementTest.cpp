#include <gtest/gtest.h>

#include <cmath>

#include "FakeDocumentServices.h"
#include "TestWall.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr float kHalfTurn = 3.14159265f;

// Angles equal up to whole turns.
void ExpectSameAngle(float actual, float expected) {
    const float difference = std::remainder(actual - expected, 2.0f * kHalfTurn);
    EXPECT_NEAR(difference, 0.0f, 1e-4f) << "actual " << actual << ", expected " << expected;
}

void ExpectNear(const gfx::Vector3& actual, const gfx::Vector3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The wall 300 long and 20 thick of the through-hole tests, 280 high.
void BuildStraightWall(CTestWall& wall) {
    ASSERT_EQ(wall.Build({{0, 0}, {0, 20}, {300, 20}, {300, 0}}, 280.0f), 1);
}

}  // namespace

TEST(WallFacePlacementTest, FaceRotationTurnsAnObjectToTheFacesDirections) {
    FakeDocumentServices document;
    const struct {
        float heading;
        float elevation;
        float roll;
    } placements[] = {{0, 0, 0}, {kHalfTurn / 2, 0, 0}, {1.0f, 0.3f, 0.2f}, {4.0f, 5.9f, 2.5f}};
    for (const auto& placement : placements) {
        CTestWall wall;
        BuildStraightWall(wall);
        wall.SetRotation(placement.heading, placement.elevation, placement.roll);
        for (int face = 0; face < wall.GetBasePartCount(); ++face) {
            SCOPED_TRACE(testing::Message() << "heading " << placement.heading << " face " << face);
            // The face's own forward and up, in the wall's turn.
            const float faceElevation =
                face == 0 ? -kHalfTurn / 2 : (face == 1 ? kHalfTurn / 2 : 0.0f);
            const gfx::Matrix faceTurn =
                gfx::MatrixRotationY(wall.GetFaceHeading(face)) *
                gfx::MatrixRotationX(-faceElevation) *
                gfx::MatrixRotationYawPitchRoll(-placement.heading, -placement.elevation,
                                                placement.roll);

            const CWallObject::FaceRotation r = wall.GetFaceRotation(face);
            ASSERT_TRUE(std::isfinite(r.heading) && std::isfinite(r.elevation) &&
                        std::isfinite(r.roll));
            // An object turned by the result looks and stands as the face.
            const gfx::Matrix objectTurn =
                gfx::MatrixRotationYawPitchRoll(-r.heading, -r.elevation, r.roll);
            for (const gfx::Vector3 axis : {gfx::Vector3{0, 0, 1}, gfx::Vector3{0, 1, 0}}) {
                ExpectNear(gfx::Vec3TransformNormal(axis, objectTurn),
                           gfx::Vec3TransformNormal(axis, faceTurn), 1e-4f);
            }
        }
    }
}

TEST(WallFacePlacementTest, FaceRotationOfAnUnturnedWall) {
    FakeDocumentServices document;
    CTestWall wall;
    BuildStraightWall(wall);
    const struct {
        int face;
        float elevation;
        float heading;
        float roll;
    } cases[] = {
        // An object stands with its back to a side face, turned against
        // the face's heading.
        {2, 0, 3 * kHalfTurn / 2, 0},
        {3, 0, kHalfTurn, 0},
        {4, 0, kHalfTurn / 2, 0},
        {5, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        const CWallObject::FaceRotation r = wall.GetFaceRotation(c.face);
        EXPECT_GE(r.heading, 0.0f);
        EXPECT_LT(r.heading, 2 * kHalfTurn);
        ExpectSameAngle(r.elevation, c.elevation);
        ExpectSameAngle(r.heading, c.heading);
        ExpectSameAngle(r.roll, c.roll);
    }
}

TEST(WallFacePlacementTest, FacePointGoesToWorldAndHalfTheThicknessIn) {
    FakeDocumentServices document;
    CTestWall wall;
    BuildStraightWall(wall);
    wall.SetPosition(100, 0, 50);
    const struct {
        const char* name;
        int face;
        float x;
        float y;
        float thickness;
        gfx::Vector3 expected;
    } cases[] = {
        // Local x runs from plan x 300 on the outer side, from 0 inside.
        {"outer side", 3, 100, 90, 0, {300, 90, 70}},
        {"outer side, middle of the wall", 3, 100, 90, 20, {300, 90, 60}},
        {"inner side, middle of the wall", 5, 100, 90, 20, {200, 90, 60}},
        {"top", 0, 100, 5, 0, {200, 280, 55}},
        {"bottom", 1, 100, 5, 0, {200, 0, 65}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectNear(wall.FacePointToWorld(c.face, c.x, c.y, c.thickness), c.expected, 1e-3f);
    }

    // The wall's turn carries the point round its position.
    wall.SetRotation(kHalfTurn / 2, 0, 0);
    const gfx::Vector3 turned = wall.FacePointToWorld(3, 100, 90, 20);
    const gfx::Vector3 offset = gfx::Vec3TransformNormal(
        {200, 90, 10}, gfx::MatrixRotationYawPitchRoll(-kHalfTurn / 2, 0, 0));
    ExpectNear(turned, gfx::Vector3{100, 0, 50} + offset, 1e-3f);
}
