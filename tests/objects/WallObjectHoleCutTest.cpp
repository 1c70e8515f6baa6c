#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "FakeDocumentServices.h"
#include "FakeSceneServices.h"
#include "TestWall.h"
#include "objects/ModelObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "platform/gfx/Mesh.h"

namespace {

// The straight wall of the through-hole tests: 300 long, 20 thick, 280
// high; face 3 is the outer long side (3D z = 20, local x from plan x 300
// down), face 5 the inner one (z = 0, local x = plan x).
constexpr int kOuterFace = 3;
constexpr int kInnerFace = 5;

class HoleCutTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wall.Build({{0, 0}, {0, 20}, {300, 20}, {300, 0}}, 280.0f), 1);
    }

    WallFaceItem& AddHole(int kind, CVector2F first, CVector2F second) {
        auto item = std::make_unique<WallFaceItem>(kOuterFace, 1, kind);
        item->SetCorners(first, second);
        WallFaceItem& added = *item;
        wall.AddFaceItem(std::move(item));
        return added;
    }

    // The face editor's cut of the face: rebuilt, then everything applied.
    void Cut(int face) {
        ASSERT_EQ(wall.RebuildFace(face), 1);
        wall.MarkOpeningsApplied();
    }

    // Whether a triangle of the part covers the point of the face's plane.
    bool Covers(int part, float x, float y, float z) const {
        const std::vector<MeshVertex>& v = wall.GetMeshVertices();
        const std::vector<uint16_t>& index = wall.GetMeshIndices();
        for (std::size_t t = 0; t < wall.GetMeshAttributes().size(); ++t) {
            if (wall.GetMeshAttributes()[t] != static_cast<uint32_t>(part)) {
                continue;
            }
            // Side faces of this wall run along x: test in (x, y).
            const MeshVertex& a = v[index[3 * t]];
            const MeshVertex& b = v[index[3 * t + 1]];
            const MeshVertex& c = v[index[3 * t + 2]];
            if (std::fabs(a.z - z) > 1e-3f) {
                continue;
            }
            const auto side = [&](const MeshVertex& p, const MeshVertex& q) {
                return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
            };
            const float s1 = side(a, b);
            const float s2 = side(b, c);
            const float s3 = side(c, a);
            if ((s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0)) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::size_t> TrianglesOf(int part) const {
        std::vector<std::size_t> triangles;
        for (std::size_t t = 0; t < wall.GetMeshAttributes().size(); ++t) {
            if (wall.GetMeshAttributes()[t] == static_cast<uint32_t>(part)) {
                triangles.push_back(t);
            }
        }
        return triangles;
    }

    FakeDocumentServices document;
    CTestWall wall;
};

}  // namespace

TEST_F(HoleCutTest, WindowThroughTheWallCutsBothFacesAndLinesTheHole) {
    WallFaceItem& window = AddHole(WallFaceItem::kRectangle, {100, 90}, {190, 200});
    Cut(kOuterFace);

    // Plan x of the window's middle is 300 - 145 on both sides.
    EXPECT_FALSE(Covers(kOuterFace, 155, 145, 20));
    EXPECT_FALSE(Covers(kInnerFace, 155, 145, 0));
    EXPECT_TRUE(Covers(kOuterFace, 50, 145, 20));
    EXPECT_TRUE(Covers(kInnerFace, 50, 145, 0));

    ASSERT_EQ(wall.GetSplitRecords()[kOuterFace].size(), 1u);
    const SplitRecord& record = wall.GetSplitRecords()[kOuterFace][0];
    EXPECT_EQ(record.kind, 1);
    ASSERT_EQ(record.parts.size(), 4u);
    const WallFaceItem* hole = nullptr;
    for (const auto& item : wall.GetFaceItems()) {
        if (item->face == kOuterFace) {
            hole = item.get();
        }
    }
    ASSERT_NE(hole, nullptr);
    EXPECT_EQ(hole->recordKind, 1);
    EXPECT_EQ(hole->parts, record.parts);
    EXPECT_EQ(wall.GetMaterialCount(), 6 + 4);
    for (const int part : record.parts) {
        SCOPED_TRACE(part);
        EXPECT_EQ(wall.GetPartKind(part), 2);
        EXPECT_EQ(wall.GetOwningFace(part), kOuterFace);
        const std::vector<std::size_t> triangles = TrianglesOf(part);
        ASSERT_EQ(triangles.size(), 2u);
        // Each band runs straight across the wall, v from 0 to 1.
        for (const std::size_t t : triangles) {
            for (int k = 0; k < 3; ++k) {
                const uint16_t i = wall.GetMeshIndices()[3 * t + k];
                const MeshVertex& v = wall.GetMeshVertices()[i];
                const VertexTextureRecord& r = wall.GetVertexTextureRecords()[i];
                EXPECT_EQ(r.part, part);
                EXPECT_NEAR(v.z, r.v == 0.0f ? 20.0f : 0.0f, 1e-4f);
            }
        }
    }
    EXPECT_NEAR(wall.GetHoleThickness(window), 20.0f, 1e-4f);
    // The mesh holds what the arrays hold.
    ASSERT_NE(wall.GetMesh(), nullptr);
    EXPECT_EQ(wall.GetMesh()->GetNumFaces(), wall.GetMeshAttributes().size());
    EXPECT_EQ(wall.GetMesh()->GetNumVertices(), wall.GetMeshVertices().size());
}

TEST_F(HoleCutTest, RoundHoleHasOneInnerPartRunningOnceRound) {
    AddHole(WallFaceItem::kCircle, {150, 140}, {180, 140});
    Cut(kOuterFace);

    const SplitRecord& record = wall.GetSplitRecords()[kOuterFace].at(0);
    ASSERT_EQ(record.parts.size(), 1u);
    const std::vector<std::size_t> triangles = TrianglesOf(record.parts[0]);
    ASSERT_EQ(triangles.size(), 72u);
    float lowest = 1.0f;
    float highest = 0.0f;
    for (const std::size_t t : triangles) {
        for (int k = 0; k < 3; ++k) {
            const float u = wall.GetVertexTextureRecords()[wall.GetMeshIndices()[3 * t + k]].u;
            lowest = std::min(lowest, u);
            highest = std::max(highest, u);
        }
    }
    EXPECT_EQ(lowest, 0.0f);
    EXPECT_EQ(highest, 1.0f);
}

TEST_F(HoleCutTest, DeletedHoleClosesBothFacesAndTakesItsInnerFaces) {
    WallFaceItem& window = AddHole(WallFaceItem::kRectangle, {100, 90}, {190, 200});
    Cut(kOuterFace);
    ASSERT_EQ(wall.GetMaterialCount(), 10);

    for (const auto& item : wall.EditFaceItems()) {
        if (item->face == kOuterFace) {
            item->deleted = 1;
        }
    }
    (void)window;
    Cut(kOuterFace);

    EXPECT_TRUE(wall.GetFaceItems().empty());
    EXPECT_EQ(wall.GetMaterialCount(), 6);
    EXPECT_TRUE(wall.GetSplitRecords()[kOuterFace].empty());
    EXPECT_TRUE(Covers(kOuterFace, 155, 145, 20));
    EXPECT_TRUE(Covers(kInnerFace, 155, 145, 0));
}

TEST_F(HoleCutTest, DoorFitsItsOpeningAndFollowsTheWall) {
    FakeSceneServices scene;
    CTest3DObject door;
    door.MakeBox({-50, 0, -5}, {50, 200, 5}, 1);
    CTest3DObject gone;
    gone.MakeBox({-50, 0, -5}, {50, 200, 5}, 1);
    scene.lists[kModelObjectType].push_back(&door);

    // Clear of the face's edges, so that the cut is the through-hole's own.
    WallFaceItem& opening = AddHole(WallFaceItem::kRectangle, {100, 5}, {190, 215});
    // The model class is not needed here; the opening names them by address.
    opening.model1 = reinterpret_cast<CModelObject*>(&door);
    opening.model2 = reinterpret_cast<CModelObject*>(&gone);
    Cut(kOuterFace);
    wall.UpdateOpeningModels();

    const auto expectCentreAt = [&](const gfx::Vector3& expected) {
        const gfx::Vector3 centre = door.LocalToWorld({0, 100, 0});
        EXPECT_NEAR(centre.x, expected.x, 1e-3f);
        EXPECT_NEAR(centre.y, expected.y, 1e-3f);
        EXPECT_NEAR(centre.z, expected.z, 1e-3f);
    };
    // 100 x 200 into 90 x 210, its depth as it is, in the wall's middle.
    EXPECT_NEAR(door.GetScale()[0], 0.9f, 1e-5f);
    EXPECT_NEAR(door.GetScale()[1], 1.05f, 1e-5f);
    EXPECT_NEAR(door.GetScale()[2], 1.0f, 1e-5f);
    expectCentreAt({155, 110, 10});
    const CWallObject::FaceRotation turn = wall.GetFaceRotation(kOuterFace);
    EXPECT_FLOAT_EQ(door.GetHeading(), turn.heading);
    // A model the scene no longer holds is let go, not placed.
    for (const auto& item : wall.GetFaceItems()) {
        if (item->face == kOuterFace) {
            EXPECT_EQ(item->model2, nullptr);
            EXPECT_EQ(item->model1, reinterpret_cast<CModelObject*>(&door));
        }
    }
    EXPECT_FLOAT_EQ(gone.GetScale()[0], 1.0f);

    // The wall moves and turns; re-placed, the door stays in its opening.
    wall.SetPosition(40, 0, -30);
    wall.SetRotation(0.5f, 0, 0);
    wall.UpdateOpeningModels();
    expectCentreAt(wall.LocalToWorld({155, 110, 10}));

    // A rebuilt face keeps the door where its opening is.
    Cut(kOuterFace);
    wall.UpdateOpeningModels();
    expectCentreAt(wall.LocalToWorld({155, 110, 10}));
}
