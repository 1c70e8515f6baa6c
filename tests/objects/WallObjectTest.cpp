#include <gtest/gtest.h>

#include <cmath>

#include "FakeDocumentServices.h"
#include "TestWall.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/Mesh.h"

namespace {

class WallColourDocument : public FakeDocumentServices {
public:
    draw::COLORREF GetPlanColor(PlanColorSetting setting) const override {
        return setting == PlanColorSetting::Wall ? 0x123456 : 0x654321;
    }
};

constexpr float kHalfTurn = 3.14159265f;

}  // namespace

TEST(WallObjectTest, NewWallTakesThePlanColourOfWalls) {
    WallColourDocument document;
    CWallObject wall;
    EXPECT_EQ(wall.GetType(), kWallObjectType);
    EXPECT_EQ(wall.GetColor(), 0x123456u);
    EXPECT_EQ(wall.GetFillMode(), 0);
    EXPECT_EQ(wall.GetHatchStyle(), 1);
    EXPECT_EQ(wall.GetFillColour(), 0xFFFFFFu);
    EXPECT_EQ(wall.GetMaterialCount(), 0);
}

TEST(WallObjectTest, OutlineIsRelativeToTheFirstPointWithYNegated) {
    CTestWall wall;
    wall.SetOutline({{10.5, 20}, {110.5, 20}, {110.5, -30}});
    wall.SetOutline({{1, 1}, {2, 3}});
    const std::vector<CVector2F> expected = {{0, 0}, {100, 0}, {100, 50}, {0, 0}, {1, -2}};
    EXPECT_EQ(wall.GetOutline(), expected);
}

TEST(WallObjectTest, SquareFacesHaveTheirOwnFrames) {
    CTestWall wall;
    ASSERT_EQ(wall.Build({{0, 0}, {0, 100}, {300, 100}, {300, 0}}, 280.0f), 1);
    // Outline P0 (0, 0), P1 (0, -100), P2 (300, -100), P3 (300, 0).
    const struct {
        int face;
        CVector2F origin;
        CVector2F size;
        float heading;
    } cases[] = {
        {0, {0, 0}, {300, 100}, 0},
        {1, {0, 0}, {300, 100}, 0},
        {2, {0, -100}, {100, 280}, kHalfTurn / 2},
        {3, {300, -100}, {300, 280}, kHalfTurn},
        {4, {300, 0}, {100, 280}, 3 * kHalfTurn / 2},
        {5, {0, 0}, {300, 280}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        const CVector2F origin = wall.GetFaceOrigin(c.face);
        const CVector2F size = wall.GetFaceSize(c.face);
        EXPECT_FLOAT_EQ(origin.x, c.origin.x);
        EXPECT_FLOAT_EQ(origin.y, c.origin.y);
        EXPECT_FLOAT_EQ(size.x, c.size.x);
        EXPECT_FLOAT_EQ(size.y, c.size.y);
        EXPECT_NEAR(wall.GetFaceHeading(c.face), c.heading, 1e-5f);
    }
}

TEST(WallObjectTest, FaceQueriesWithoutOutlineAreZero) {
    CTestWall wall;
    EXPECT_EQ(wall.GetFaceOrigin(2), CVector2F());
    EXPECT_EQ(wall.GetFaceSize(3), CVector2F());
    EXPECT_EQ(wall.GetFaceHeading(4), 0.0f);
    EXPECT_EQ(wall.GetFaceMaterialIndex(0), -1);
}

TEST(WallObjectTest, CutPartsBelongToTheFaceThatListsThem) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 200.0f), 1);
    const MeshVertex a = MakeVertex(0, 0, 0);
    const int piece = wall.AddPart({a, a, a});
    const int cell = wall.AddPart({a, a, a});
    const int twice = wall.AddPart({a, a, a});
    const int loose = wall.AddPart({a, a, a});
    wall.m_splitRecords[3].push_back({0, {piece}});
    wall.m_cellParts[4].push_back(cell);
    wall.m_splitRecords[2].push_back({1, {twice}});
    wall.m_cellParts[5].push_back(twice);

    EXPECT_EQ(wall.GetOwningFace(1), 1);
    EXPECT_EQ(wall.GetOwningFace(piece), 3);
    EXPECT_EQ(wall.GetOwningFace(cell), 4);
    EXPECT_EQ(wall.GetOwningFace(twice), 5);
    EXPECT_EQ(wall.GetOwningFace(loose), loose);
    // A piece measures its whole face.
    EXPECT_EQ(wall.GetFaceOrigin(piece), wall.GetFaceOrigin(3));
    EXPECT_EQ(wall.GetFaceSize(cell), wall.GetFaceSize(4));
    EXPECT_EQ(wall.GetFaceHeading(piece), wall.GetFaceHeading(3));
}

TEST(WallObjectTest, TrianglesNameTheirParts) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 200.0f), 1);
    const int part = wall.AddPart({MakeVertex(0, 0, 0), MakeVertex(0, 1, 0), MakeVertex(0, 0, 1)});
    EXPECT_EQ(wall.GetFaceMaterialIndex(0), 0);
    EXPECT_EQ(wall.GetFaceMaterialIndex(2), 1);
    EXPECT_EQ(wall.GetFaceMaterialIndex(11), 5);
    EXPECT_EQ(wall.GetFaceMaterialIndex(12), part);
    EXPECT_EQ(wall.GetFaceMaterialIndex(13), -1);
    EXPECT_EQ(wall.GetFaceMaterialIndex(-1), -1);
}

TEST(WallObjectTest, PartsAreFoundByTheCentreOfTheirTriangles) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 200.0f), 1);
    const int first =
        wall.AddPart({MakeVertex(0, 10, 20), MakeVertex(0, 30, 20), MakeVertex(0, 10, 60)});
    const int second =
        wall.AddPart({MakeVertex(0, 0, 0), MakeVertex(0, 2, 0), MakeVertex(0, 0, 2),
                      MakeVertex(0, 10, 10), MakeVertex(0, 12, 10), MakeVertex(0, 10, 12)});

    EXPECT_EQ(wall.GetPartCentre(first), (std::array<float, 3>{0, 20, 40}));
    EXPECT_EQ(wall.GetPartCentre(second), (std::array<float, 3>{0, 6, 6}));
    EXPECT_EQ(wall.GetPartCentre(2), (std::array<float, 3>{0, 100, 50}));

    EXPECT_EQ(wall.FindPartByCentre(0.0f, 20.0f, 40.0f), first);
    EXPECT_EQ(wall.FindPartByCentre(0.009f, 6.0f, 5.991f), second);
    EXPECT_EQ(wall.FindPartByCentre(0.0f, 6.02f, 6.0f), -1);
    // Faces are never candidates.
    EXPECT_EQ(wall.FindPartByCentre(0.0f, 100.0f, 50.0f), -1);
}

TEST(WallObjectTest, OpeningsChooseTheMeshThatIsMirrored) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 200.0f), 1);
    wall.AddFaceItem(std::make_unique<WallFaceItem>(2, 0, WallFaceItem::kRectangle));
    EXPECT_EQ(wall.HasCutOutItems(), 0);
    EXPECT_EQ(wall.GetMirrorSurfaceMesh(), wall.GetSecondMesh());

    wall.AddFaceItem(std::make_unique<WallFaceItem>(3, 1, WallFaceItem::kCircle));
    EXPECT_EQ(wall.HasCutOutItems(), 1);
    EXPECT_EQ(wall.GetMirrorSurfaceMesh(), wall.GetMesh());
}

TEST(WallObjectTest, CopyHasItsOwnMeshesPartsAndItems) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 200.0f), 1);
    const MeshVertex a = MakeVertex(0, 0, 0);
    const int piece = wall.AddPart({a, a, a});
    wall.m_splitRecords[2].push_back({0, {piece}});
    wall.m_refineRecords[piece] = {1, 2};
    wall.m_refinementTriangles[piece] = {1, 2, 3};
    wall.m_cutVertexRanges[piece] = {24, 26};
    auto item = std::make_unique<WallFaceItem>(2, 1, WallFaceItem::kRectangle);
    item->applied = 1;
    item->deleted = 1;
    item->parts = {piece};
    item->model1 = reinterpret_cast<CModelObject*>(&wall);
    wall.AddFaceItem(std::move(item));
    wall.SetFillMode(2);

    const std::unique_ptr<CDesignObject> clone = wall.Clone();
    EXPECT_EQ(clone->GetType(), kWallObjectType);
    EXPECT_NE(dynamic_cast<CWallObject*>(clone.get()), nullptr);

    const CTestWall copy(wall);
    ASSERT_NE(copy.GetMesh(), nullptr);
    EXPECT_NE(copy.GetMesh(), wall.GetMesh());
    EXPECT_EQ(copy.GetMesh()->GetNumFaces(), wall.GetMesh()->GetNumFaces());
    ASSERT_NE(copy.GetSecondMesh(), nullptr);
    EXPECT_NE(copy.GetSecondMesh(), wall.GetSecondMesh());
    EXPECT_EQ(copy.GetOutline(), wall.GetOutline());
    EXPECT_EQ(copy.GetMeshIndices(), wall.GetMeshIndices());
    EXPECT_EQ(copy.GetMeshAttributes(), wall.GetMeshAttributes());
    EXPECT_EQ(copy.GetVertexTextureRecords().size(), wall.GetVertexTextureRecords().size());
    EXPECT_EQ(copy.GetMaterialCount(), 7);
    EXPECT_EQ(copy.GetFillMode(), 2);
    EXPECT_EQ(copy.GetPartKind(piece), 1);
    EXPECT_EQ(copy.GetRefineRecords()[piece].flag, 1);
    EXPECT_EQ(copy.GetRefineRecords()[piece].level, 2);
    ASSERT_EQ(copy.GetFaceItems().size(), 1u);
    const WallFaceItem& copied = *copy.GetFaceItems().front();
    EXPECT_NE(&copied, wall.GetFaceItems().front().get());
    EXPECT_EQ(copied.applied, 0);
    EXPECT_EQ(copied.deleted, 0);
    EXPECT_EQ(copied.model1, nullptr);
    EXPECT_EQ(copied.parts, std::vector<int>{piece});

    // The copy's refinement and cut records still describe its mesh.
    EXPECT_EQ(copy.m_refinementTriangles[piece], (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(copy.m_cutVertexRanges[piece].first, 24);
    EXPECT_EQ(copy.m_cutVertexRanges[piece].last, 26);
}
