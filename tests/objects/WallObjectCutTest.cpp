#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <span>
#include <vector>

#include "FakeDocumentServices.h"
#include "TestWall.h"
#include "platform/gfx/Mesh.h"

namespace {

constexpr const char* kUncuttable = "無法切割「牆」的開口或分割區域, 該面維持原狀.";
constexpr float kWidth = 400.0f;
constexpr float kHeight = 280.0f;

// A square wall of side 400 and height 280; face 2 is 400 x 280.
std::unique_ptr<CTestWall> MakeWall() {
    auto wall = std::make_unique<CTestWall>();
    wall->SetName("牆");
    EXPECT_EQ(wall->Build(CTestWall::Square(kWidth), kHeight), 1);
    return wall;
}

WallFaceItem& AddRect(CWallObject& wall, int face, int cutOut, CVector2F a, CVector2F b) {
    auto item = std::make_unique<WallFaceItem>(face, cutOut, WallFaceItem::kRectangle);
    item->SetCorners(a, b);
    WallFaceItem& added = *item;
    wall.AddFaceItem(std::move(item));
    return added;
}

WallFaceItem& AddLine(CWallObject& wall, int face, int kind, float at) {
    auto item = std::make_unique<WallFaceItem>(face, 0, kind);
    item->SetCorners({at, at}, {at, at});
    WallFaceItem& added = *item;
    wall.AddFaceItem(std::move(item));
    return added;
}

// Area of the mesh triangles of one part, from the arrays.
float PartArea(const CTestWall& wall, int part) {
    double area = 0.0;
    for (std::size_t t = 0; t < wall.m_meshAttributes.size(); ++t) {
        if (wall.m_meshAttributes[t] != static_cast<uint32_t>(part)) {
            continue;
        }
        const MeshVertex& a = wall.m_meshVertices[wall.m_meshIndices[3 * t]];
        const MeshVertex& b = wall.m_meshVertices[wall.m_meshIndices[3 * t + 1]];
        const MeshVertex& c = wall.m_meshVertices[wall.m_meshIndices[3 * t + 2]];
        const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        const double cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
        area += 0.5 * std::sqrt(cx * cx + cy * cy + cz * cz);
    }
    return static_cast<float>(area);
}

// The arrays and the device mesh hold the same geometry, and every index,
// attribute and texture record is in range.
void ExpectArraysMatchMesh(const CTestWall& wall) {
    const gfx::Mesh& mesh = *wall.GetMesh();
    const std::span<const MeshVertex> vertices = mesh.VerticesAs<MeshVertex>();
    ASSERT_EQ(vertices.size(), wall.m_meshVertices.size());
    ASSERT_EQ(mesh.Indices16().size(), wall.m_meshIndices.size());
    ASSERT_EQ(mesh.Attributes().size(), wall.m_meshAttributes.size());
    ASSERT_EQ(wall.m_vertexTextureRecords.size(), wall.m_meshVertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        EXPECT_EQ(vertices[i].x, wall.m_meshVertices[i].x);
        EXPECT_EQ(vertices[i].y, wall.m_meshVertices[i].y);
        EXPECT_EQ(vertices[i].z, wall.m_meshVertices[i].z);
        EXPECT_EQ(vertices[i].u, wall.m_vertexTextureRecords[i].u);
        EXPECT_EQ(vertices[i].v, wall.m_vertexTextureRecords[i].v);
    }
    for (std::size_t i = 0; i < wall.m_meshIndices.size(); ++i) {
        EXPECT_EQ(mesh.Indices16()[i], wall.m_meshIndices[i]);
        EXPECT_LT(wall.m_meshIndices[i], vertices.size());
    }
    for (std::size_t t = 0; t < wall.m_meshAttributes.size(); ++t) {
        EXPECT_EQ(mesh.Attributes()[t], wall.m_meshAttributes[t]);
        EXPECT_LT(wall.m_meshAttributes[t], static_cast<uint32_t>(wall.GetMaterialCount()));
    }
}

class WallObjectCutTest : public testing::Test {
protected:
    FakeDocumentServices document;
    MessageRecorder messages;
};

TEST(WallObjectClassifyTest, CodesFollowTheCrossedEdges) {
    const CVector2F v1{0, 0};
    const CVector2F v2{0, 100};
    const CVector2F v3{100, 100};
    struct Case {
        const char* what;
        std::vector<CVector2F> polygon;
        int code;
    };
    const Case cases[] = {
        {"across v1-v3 only", {{40, 10}, {60, 10}, {60, 50}, {40, 50}}, 1},
        {"across v2-v3 only", {{40, 90}, {60, 90}, {60, 110}, {40, 110}}, 2},
        {"across v1-v2 only", {{-10, 40}, {10, 40}, {10, 60}, {-10, 60}}, 4},
        {"across v1-v2 and v1-v3", {{-10, 1}, {20, 1}, {20, 5}, {-10, 5}}, 5},
        {"across v1-v2 and v2-v3", {{-10, 90}, {10, 90}, {10, 110}, {-10, 110}}, 6},
        {"across v2-v3 and v1-v3", {{90, 80}, {110, 80}, {110, 110}, {90, 110}}, 3},
        {"inside", {{20, 60}, {30, 60}, {30, 70}, {20, 70}}, 7},
        {"apart", {{60, 10}, {70, 10}, {70, 20}, {60, 20}}, 0},
        {"covering the triangle", {{-10, -10}, {110, -10}, {110, 110}, {-10, 110}}, 0},
        // The first point is scaled by 100 and rounded: 0.6 hundredths to
        // the left of the edge is outside, as truncation would not have it.
        {"rounded off the edge", {{-0.006f, 50}, {-5, 50}, {-5, 60}}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CWallObject::ClassifyTriangle(v1, v2, v3, c.polygon), c.code) << c.what;
    }
}

TEST(WallObjectCutLineTest, TrianglesSplitIntoPiecesOnTheLine) {
    struct Case {
        const char* what;
        int mode;
        float value;
        std::vector<CVector2F> corners;
        int pieces;
    };
    const Case cases[] = {
        {"below the line", 0, 50, {{0, 0}, {10, 40}, {20, 0}}, 1},
        {"a corner on the line, the rest below", 0, 40, {{0, 0}, {10, 40}, {20, 0}}, 1},
        {"through a corner", 1, 10, {{0, 0}, {10, 40}, {20, 0}}, 2},
        {"one corner alone", 0, 20, {{0, 0}, {10, 40}, {20, 0}}, 3},
    };
    for (const Case& c : cases) {
        CVector2F triangle[3] = {c.corners[0], c.corners[1], c.corners[2]};
        std::vector<CVector2F> out;
        EXPECT_EQ(CWallObject::CutTriangleByLine(c.mode, c.value, triangle, out), c.pieces)
            << c.what;
        ASSERT_EQ(out.size(), 3u * static_cast<std::size_t>(c.pieces - 1)) << c.what;
        // The pieces cover the triangle and keep its winding.
        auto signedArea = [](const CVector2F* p) {
            return ((p[1] - p[0]).Cross(p[2] - p[0])) * 0.5f;
        };
        float total = signedArea(triangle);
        for (std::size_t i = 0; i < out.size(); i += 3) {
            EXPECT_GT(signedArea(&out[i]) * signedArea(c.corners.data()), 0.0f) << c.what;
            total += signedArea(&out[i]);
        }
        EXPECT_NEAR(total, signedArea(c.corners.data()), 1e-3f) << c.what;
    }
}

TEST_F(WallObjectCutTest, OpeningsAreCutOutOfTheFace) {
    struct Case {
        const char* what;
        CVector2F a;
        CVector2F b;
    };
    const Case cases[] = {
        {"a window in the middle", {100, 80}, {300, 200}},
        {"a hole inside one face triangle", {20, 180}, {60, 240}},
        {"a door standing on the floor", {150, 0}, {240, 210}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::unique_ptr<CTestWall> wall = MakeWall();
        AddRect(*wall, 2, 1, c.a, c.b);
        ASSERT_EQ(wall->RebuildFace(2), 1);
        wall->MarkOpeningsApplied();
        const float hole = std::fabs((c.b.x - c.a.x) * (c.b.y - c.a.y));
        EXPECT_NEAR(PartArea(*wall, 2), kWidth * kHeight - hole, 0.5f);
        // The hole's four inner faces across the wall.
        EXPECT_EQ(wall->GetMaterialCount(), 6 + 4);
        EXPECT_EQ(wall->GetFaceItems().front()->applied, 1);
        EXPECT_TRUE(messages.messages.empty());
        ExpectArraysMatchMesh(*wall);
    }
}

TEST_F(WallObjectCutTest, SplitLinesMakeCellParts) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, float>> lines;
        int newParts;
    };
    const Case cases[] = {
        {"one horizontal line", {{WallFaceItem::kHorizontalSplitLine, 100}}, 1},
        {"a horizontal and a vertical line",
         {{WallFaceItem::kHorizontalSplitLine, 100}, {WallFaceItem::kVerticalSplitLine, 150}},
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::unique_ptr<CTestWall> wall = MakeWall();
        TextureMappingRecord mapping;
        mapping.offsetU = 0.25f;
        wall->ApplyTextureMapping(2, mapping, false);
        for (const auto& [kind, at] : c.lines) {
            AddLine(*wall, 2, kind, at);
        }
        ASSERT_EQ(wall->RebuildFace(2), 1);
        ASSERT_EQ(wall->GetMaterialCount(), 6 + c.newParts);
        ASSERT_EQ(wall->m_cellParts[2].size(), static_cast<std::size_t>(c.newParts));
        float total = PartArea(*wall, 2);
        for (const int part : wall->m_cellParts[2]) {
            EXPECT_EQ(wall->GetMappingRecord(part).offsetU, 0.25f);
            EXPECT_GT(PartArea(*wall, part), 0.0f);
            total += PartArea(*wall, part);
        }
        EXPECT_NEAR(total, kWidth * kHeight, 0.5f);
        // The face's own part is the cell at the bottom left.
        EXPECT_NEAR(PartArea(*wall, 2), 100.0f * (c.newParts == 1 ? kWidth : 150.0f), 0.5f);
        ExpectArraysMatchMesh(*wall);
        // Cutting again makes the same cells, not more.
        ASSERT_EQ(wall->RebuildFace(2), 1);
        EXPECT_EQ(wall->GetMaterialCount(), 6 + c.newParts);
        ExpectArraysMatchMesh(*wall);
    }
}

TEST_F(WallObjectCutTest, DeletingASplitAreaRemovesItsPartAndKeepsTheOthers) {
    const std::unique_ptr<CTestWall> wall = MakeWall();
    WallFaceItem& first = AddRect(*wall, 2, 0, {20, 20}, {120, 120});
    AddRect(*wall, 2, 0, {200, 20}, {300, 120});
    ASSERT_EQ(wall->RebuildFace(2), 1);
    wall->MarkOpeningsApplied();
    ASSERT_EQ(wall->GetMaterialCount(), 8);
    wall->TextureNames()[7] = "second.jpg";
    EXPECT_NEAR(PartArea(*wall, 2), kWidth * kHeight - 2 * 100 * 100, 0.5f);
    EXPECT_NEAR(PartArea(*wall, 6), 100 * 100, 0.5f);

    first.deleted = 1;
    ASSERT_EQ(wall->RebuildFace(2), 1);
    ASSERT_EQ(wall->GetMaterialCount(), 7);
    ASSERT_EQ(wall->GetFaceItems().size(), 1u);
    EXPECT_EQ(wall->GetFaceItems().front()->parts, std::vector<int>{6});
    EXPECT_EQ(wall->GetTextureNames()[6], "second.jpg");
    EXPECT_NEAR(PartArea(*wall, 2), kWidth * kHeight - 100 * 100, 0.5f);
    EXPECT_NEAR(PartArea(*wall, 6), 100 * 100, 0.5f);
    ExpectArraysMatchMesh(*wall);
}

TEST_F(WallObjectCutTest, AnUncuttableItemLeavesTheFaceAsItWas) {
    const std::unique_ptr<CTestWall> wall = MakeWall();
    const std::vector<uint16_t> indices = wall->m_meshIndices;
    // An outline with a point at infinity cannot be taken out of the face.
    auto broken = std::make_unique<WallFaceItem>(2, 1, WallFaceItem::kPolygon);
    broken->outline = {{100, 50}, {300, 200}, {INFINITY, 50}};
    wall->AddFaceItem(std::move(broken));
    EXPECT_EQ(wall->RebuildFace(2), 0);
    wall->MarkOpeningsApplied();
    EXPECT_EQ(messages.messages, std::vector<std::string>{kUncuttable});
    EXPECT_EQ(wall->m_meshIndices, indices);
    EXPECT_EQ(wall->GetFaceItems().front()->applied, 0);
    ExpectArraysMatchMesh(*wall);
}

TEST_F(WallObjectCutTest, ARefusedRebuildPutsTheArraysBack) {
    // 5461 outline points make 65,520 indices: a window's few more are
    // more than a 16-bit mesh takes.
    std::vector<CVector2D> points;
    constexpr int kPoints = 5461;
    for (int i = 0; i < kPoints; ++i) {
        const double angle = -2.0 * M_PI * i / kPoints;
        points.emplace_back(5000.0 * std::cos(angle), 5000.0 * std::sin(angle));
    }
    auto wall = std::make_unique<CTestWall>();
    ASSERT_EQ(wall->Build(points, kHeight), 1);
    ASSERT_EQ(wall->m_meshIndices.size(), 65520u);
    const std::vector<MeshVertex> vertices = wall->m_meshVertices;
    const std::vector<uint16_t> indices = wall->m_meshIndices;
    const std::vector<uint32_t> attributes = wall->m_meshAttributes;
    const float side = wall->GetFaceSize(2).x;
    AddRect(*wall, 2, 1, {side * 0.25f, 50}, {side * 0.75f, 100});
    EXPECT_EQ(wall->RebuildFace(2), 0);
    wall->MarkOpeningsApplied();
    EXPECT_EQ(messages.messages, std::vector<std::string>{"模型的點或面太多無法產生"});
    EXPECT_EQ(wall->m_meshIndices, indices);
    EXPECT_EQ(wall->m_meshAttributes, attributes);
    EXPECT_EQ(wall->m_meshVertices.size(), vertices.size());
    EXPECT_EQ(wall->GetFaceItems().front()->applied, 0);
    ExpectArraysMatchMesh(*wall);
}

}  // namespace
