#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "FakeDocumentServices.h"
#include "TestWall.h"
#include "objects/ObjectTypeCodes.h"

namespace {

// A straight wall 300 long and 20 thick, 280 high. Outline P0 (0, 0),
// P1 (0, -20), P2 (300, -20), P3 (300, 0): face 3 is the long side at
// y = -20 (local x from plan x 300 down to 0), face 5 the other long side at
// y = 0 (local x = plan x); faces 2 and 4 are the ends.
constexpr int kOuterFace = 3;
constexpr int kInnerFace = 5;

std::unique_ptr<CTestWall> MakeStraightWall() {
    auto wall = std::make_unique<CTestWall>();
    EXPECT_EQ(wall->Build({{0, 0}, {0, 20}, {300, 20}, {300, 0}}, 280.0f), 1);
    return wall;
}

WallFaceItem& AddItem(CWallObject& wall, int face, int kind, CVector2F first, CVector2F second,
                      std::vector<CVector2F> outline = {}) {
    auto item = std::make_unique<WallFaceItem>(face, 1, kind);
    item->SetCorners(first, second);
    item->outline = std::move(outline);
    WallFaceItem& added = *item;
    wall.AddFaceItem(std::move(item));
    return added;
}

std::vector<const WallFaceItem*> ItemsOn(const CWallObject& wall, int face) {
    std::vector<const WallFaceItem*> items;
    for (const auto& item : wall.GetFaceItems()) {
        if (item->face == face) {
            items.push_back(item.get());
        }
    }
    return items;
}

void ExpectPoint(const CVector2F& actual, const CVector2F& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3f);
    EXPECT_NEAR(actual.y, expected.y, 1e-3f);
}

}  // namespace

TEST(WallThroughHoleTest, TwinMirrorsTheHoleOntoTheFaceAcrossTheWall) {
    FakeDocumentServices document;
    const struct {
        const char* name;
        int face;
        int kind;
        CVector2F first;
        CVector2F second;
        std::vector<CVector2F> outline;
        int twinFace;
        CVector2F twinFirst;
        CVector2F twinSecond;
        std::vector<CVector2F> twinOutline;
    } cases[] = {
        {"window on the outer side",
         kOuterFace,
         WallFaceItem::kRectangle,
         {100, 90},
         {190, 200},
         {},
         kInnerFace,
         {200, 90},
         {110, 200},
         {}},
        {"window on the inner side",
         kInnerFace,
         WallFaceItem::kRectangle,
         {10, 0},
         {60, 210},
         {},
         kOuterFace,
         {290, 0},
         {240, 210},
         {}},
        {"round hole",
         kOuterFace,
         WallFaceItem::kCircle,
         {150, 140},
         {170, 140},
         {},
         kInnerFace,
         {150, 140},
         {130, 140},
         {}},
        {"polygon",
         kOuterFace,
         WallFaceItem::kPolygon,
         {},
         {},
         {{20, 20}, {80, 20}, {50, 70}},
         kInnerFace,
         {280, 20},
         {},
         {{280, 20}, {220, 20}, {250, 70}}},
        // The top cap's twin is on the bottom cap, mirrored across its
        // depth of 20.
        {"hole in the top",
         0,
         WallFaceItem::kRectangle,
         {40, 5},
         {60, 15},
         {},
         1,
         {40, 15},
         {60, 5},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CTestWall> wallOwner = MakeStraightWall();
        CTestWall& wall = *wallOwner;
        WallFaceItem& hole = AddItem(wall, c.face, c.kind, c.first, c.second, c.outline);

        EXPECT_EQ(wall.CreateTwinItems(c.face), std::vector<int>{c.twinFace});

        const std::vector<const WallFaceItem*> twins = ItemsOn(wall, c.twinFace);
        ASSERT_EQ(twins.size(), 1u);
        const WallFaceItem& twin = *twins.front();
        EXPECT_EQ(twin.cutOut, 1);
        EXPECT_EQ(twin.kind, c.kind);
        EXPECT_EQ(twin.twinFace, c.face);
        EXPECT_EQ(twin.twinCreated, 1);
        EXPECT_EQ(hole.twinFace, c.twinFace);
        EXPECT_EQ(hole.twinCreated, 0);
        ExpectPoint(twin.firstCorner, c.twinFirst);
        if (c.kind != WallFaceItem::kPolygon) {
            ExpectPoint(twin.secondCorner, c.twinSecond);
        }
        ASSERT_EQ(twin.outline.size(), c.twinOutline.size());
        for (std::size_t i = 0; i < twin.outline.size(); ++i) {
            ExpectPoint(twin.outline[i], c.twinOutline[i]);
        }
        // The anchors tie the pair: each names the other's first point.
        EXPECT_EQ(hole.anchor, twin.firstCorner);
        EXPECT_EQ(twin.anchor, hole.firstCorner);
        EXPECT_EQ(wall.FindTwinItem(hole), &twin);
        EXPECT_EQ(wall.FindTwinItem(twin), &hole);

        // The pair is made once.
        EXPECT_TRUE(wall.CreateTwinItems(c.face).empty());
        EXPECT_EQ(wall.GetFaceItems().size(), 2u);
    }
}

TEST(WallThroughHoleTest, HoleWithoutAWayThroughGetsNoTwin) {
    FakeDocumentServices document;
    const struct {
        const char* name;
        CVector2F first;
        CVector2F second;
    } cases[] = {
        {"past the face's end", {-10, 90}, {40, 200}},
        {"not a number", {std::numeric_limits<float>::quiet_NaN(), 90}, {40, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CTestWall> wall = MakeStraightWall();
        WallFaceItem& hole =
            AddItem(*wall, kOuterFace, WallFaceItem::kRectangle, c.first, c.second);
        EXPECT_TRUE(wall->CreateTwinItems(kOuterFace).empty());
        EXPECT_EQ(hole.twinFace, -1);
        EXPECT_EQ(wall->GetFaceItems().size(), 1u);
    }
}

TEST(WallThroughHoleTest, HoleWhosePointsMeetDifferentFacesGetsNoTwin) {
    FakeDocumentServices document;
    CTestWall wall;
    // The far end slants: outline (0, 0), (0, -20), (300, -20), (280, 0).
    ASSERT_EQ(wall.Build({{0, 0}, {0, 20}, {300, 20}, {280, 0}}, 280.0f), 1);
    // Local x 10 lies across from the slanted end, 50 across from face 5.
    WallFaceItem& added = AddItem(wall, kOuterFace, WallFaceItem::kRectangle, {10, 90}, {50, 200});

    EXPECT_TRUE(wall.CreateTwinItems(kOuterFace).empty());
    EXPECT_EQ(added.twinFace, -1);

    // Across from the slant alone, it goes through to the end face.
    CVector2F hit;
    int hitFace = -1;
    ASSERT_TRUE(wall.FindOppositeFace(kOuterFace, {290, -20}, {290, 280}, &hit, &hitFace));
    EXPECT_EQ(hitFace, 4);
    ExpectPoint(hit, {290, -10});
}

TEST(WallThroughHoleTest, FloorsAndCeilingsMakeNoTwins) {
    FakeDocumentServices document;
    for (const int type : {kFloorObjectType, kCeilingObjectType}) {
        SCOPED_TRACE(type);
        CTestWall surface(type);
        ASSERT_EQ(surface.Build(CTestWall::Square(200), 10.0f), 1);
        AddItem(surface, 0, WallFaceItem::kRectangle, {50, 50}, {80, 80});
        EXPECT_TRUE(surface.CreateTwinItems(0).empty());
        EXPECT_EQ(surface.GetFaceItems().size(), 1u);
    }
}

TEST(WallThroughHoleTest, DeletingAHoleDeletesItsTwinOnly) {
    FakeDocumentServices document;
    const std::unique_ptr<CTestWall> wallOwner = MakeStraightWall();
    CTestWall& wall = *wallOwner;
    WallFaceItem& first = AddItem(wall, kOuterFace, WallFaceItem::kRectangle, {20, 90}, {60, 200});
    WallFaceItem& second =
        AddItem(wall, kOuterFace, WallFaceItem::kRectangle, {200, 90}, {240, 200});
    // Both twins land on one face, which is named once.
    ASSERT_EQ(wall.CreateTwinItems(kOuterFace), std::vector<int>{kInnerFace});
    WallFaceItem* firstTwin = wall.FindTwinItem(first);
    WallFaceItem* secondTwin = wall.FindTwinItem(second);
    ASSERT_NE(firstTwin, nullptr);
    ASSERT_NE(secondTwin, nullptr);

    first.deleted = 1;
    EXPECT_EQ(wall.CreateTwinItems(kOuterFace), std::vector<int>{kInnerFace});
    EXPECT_EQ(firstTwin->deleted, 1);
    EXPECT_EQ(secondTwin->deleted, 0);

    // A twin is found by its exact anchor: a moved item has none.
    second.anchor.x += 0.001f;
    EXPECT_EQ(wall.FindTwinItem(second), nullptr);
}

TEST(WallThroughHoleTest, TunnelLinesTheHoleAcrossTheWall) {
    FakeDocumentServices document;
    const std::unique_ptr<CTestWall> wallOwner = MakeStraightWall();
    CTestWall& wall = *wallOwner;
    WallFaceItem& window =
        AddItem(wall, kOuterFace, WallFaceItem::kRectangle, {100, 90}, {190, 200});
    ASSERT_EQ(wall.CreateTwinItems(kOuterFace), std::vector<int>{kInnerFace});
    const std::size_t vertices = wall.GetMeshVertices().size();
    const std::size_t triangles = wall.GetMeshAttributes().size();

    wall.BuildHoleTunnels(kOuterFace);

    // One part per edge of the window, after the six faces.
    const std::vector<int> parts = {6, 7, 8, 9};
    EXPECT_EQ(window.recordKind, 1);
    EXPECT_EQ(window.parts, parts);
    ASSERT_EQ(wall.GetSplitRecords()[kOuterFace].size(), 1u);
    EXPECT_EQ(wall.GetSplitRecords()[kOuterFace][0].kind, 1);
    EXPECT_EQ(wall.GetSplitRecords()[kOuterFace][0].parts, parts);
    EXPECT_EQ(wall.GetMaterialCount(), 10);
    ASSERT_EQ(wall.GetMeshVertices().size(), vertices + 16);
    ASSERT_EQ(wall.GetMeshAttributes().size(), triangles + 8);
    for (std::size_t k = 0; k < parts.size(); ++k) {
        SCOPED_TRACE(k);
        const VertexRange& range = wall.m_cutVertexRanges[static_cast<std::size_t>(parts[k])];
        EXPECT_EQ(range.first, static_cast<int>(vertices + 4 * k));
        EXPECT_EQ(range.last, range.first + 3);
        // Near corners on the outer side at v 0, far ones on the inner side
        // at v 1, straight across.
        const auto& v = wall.GetMeshVertices();
        const auto& r = wall.GetVertexTextureRecords();
        for (int i = range.first; i <= range.last; ++i) {
            EXPECT_EQ(r[i].part, parts[k]);
            EXPECT_NEAR(v[i].z, r[i].v == 0.0f ? 20.0f : 0.0f, 1e-4f);
        }
        EXPECT_NEAR(v[range.first].x, v[range.first + 2].x, 1e-4f);
        EXPECT_NEAR(v[range.first].y, v[range.first + 2].y, 1e-4f);
        EXPECT_EQ(wall.GetMeshAttributes()[triangles + 2 * k], static_cast<uint32_t>(parts[k]));
    }
    EXPECT_NEAR(wall.GetHoleThickness(window), 20.0f, 1e-4f);

    // Built once: an applied hole gets no second lining.
    window.applied = 1;
    wall.BuildHoleTunnels(kOuterFace);
    EXPECT_EQ(wall.GetMaterialCount(), 10);
}

TEST(WallThroughHoleTest, TunnelPastSixteenBitVerticesStoresNoWrappedIndex) {
    FakeDocumentServices document;
    const std::unique_ptr<CTestWall> wallOwner = MakeStraightWall();
    CTestWall& wall = *wallOwner;
    AddItem(wall, kOuterFace, WallFaceItem::kRectangle, {100, 90}, {190, 200});
    wall.CreateTwinItems(kOuterFace);
    wall.m_meshVertices.resize(65530);
    wall.m_vertexTextureRecords.resize(65530);
    const std::size_t indices = wall.GetMeshIndices().size();

    wall.BuildHoleTunnels(kOuterFace);

    // The vertices go in, so the rebuild refuses the mesh; no index does.
    EXPECT_EQ(wall.GetMeshVertices().size(), 65530u + 16u);
    EXPECT_EQ(wall.GetMeshIndices().size(), indices);
    MessageRecorder messages;
    EXPECT_EQ(wall.RebuildD3DMesh(), 0);
    EXPECT_EQ(messages.messages, std::vector<std::string>{"模型的點或面太多無法產生"});
}
