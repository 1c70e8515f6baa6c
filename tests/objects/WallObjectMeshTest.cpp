#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "FakeDocumentServices.h"
#include "TestWall.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/Mesh.h"
#include "support/RecordingProgress.h"

namespace {

constexpr const char* kTooLarge = "模型的點或面太多無法產生";
constexpr const char* kRebuildFailed = "模型重建失敗";

std::span<const MeshVertex> MeshVertices(const CWallObject& wall) {
    return wall.GetMesh()->VerticesAs<MeshVertex>();
}

// Ray casting on the outline (y up).
bool InsideOutline(const std::vector<CVector2F>& outline, float x, float y) {
    bool inside = false;
    for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
        const CVector2F& a = outline[i];
        const CVector2F& b = outline[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

// Every face of the mesh faces away from the solid: caps up and down, each
// side's normal leads from the edge's middle out of the outline.
void ExpectNormalsOutward(const CWallObject& wall, float height) {
    const std::span<const MeshVertex> vertices = MeshVertices(wall);
    const std::vector<VertexTextureRecord>& records = wall.GetVertexTextureRecords();
    const std::vector<CVector2F>& outline = wall.GetOutline();
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const MeshVertex& v = vertices[i];
        const int face = records[i].part;
        SCOPED_TRACE(testing::Message() << "vertex " << i << " of face " << face);
        EXPECT_NEAR(std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 1.0f, 1e-5f);
        if (face < 2) {
            EXPECT_FLOAT_EQ(v.ny, face == 0 ? 1.0f : -1.0f);
            continue;
        }
        EXPECT_FLOAT_EQ(v.ny, 0.0f);
        const CVector2F& from = outline[static_cast<std::size_t>(face - 2)];
        const CVector2F& to = outline[static_cast<std::size_t>(face - 1) % outline.size()];
        const CVector2F middle = (from + to) * 0.5f;
        // The normal's z runs against the outline's y.
        const CVector2F out = middle + CVector2F(v.nx, -v.nz);
        const CVector2F in = middle - CVector2F(v.nx, -v.nz);
        EXPECT_FALSE(InsideOutline(outline, out.x, out.y));
        EXPECT_TRUE(InsideOutline(outline, in.x, in.y));
        EXPECT_TRUE(v.y == 0.0f || v.y == height);
    }
}

std::size_t CountAttribute(const CWallObject& wall, uint32_t part) {
    std::size_t count = 0;
    for (uint32_t a : wall.GetMeshAttributes()) {
        count += a == part ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST(WallObjectMeshTest, SquareFullBuildHasCapsAndFourSides) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 280.0f), 1);

    EXPECT_EQ(wall.GetBasePartCount(), 6);
    EXPECT_EQ(wall.GetMaterialCount(), 6);
    EXPECT_EQ(wall.GetMeshVertices().size(), 24u);
    EXPECT_EQ(wall.GetMeshIndices().size(), 36u);
    EXPECT_EQ(wall.GetVertexTextureRecords().size(), 24u);
    ASSERT_NE(wall.GetMesh(), nullptr);
    EXPECT_EQ(wall.GetMesh()->GetNumVertices(), 24u);
    EXPECT_EQ(wall.GetMesh()->GetNumFaces(), 12u);
    EXPECT_EQ(wall.GetMesh()->GetFvf(), 0x112u);
    ASSERT_NE(wall.GetSecondMesh(), nullptr);
    EXPECT_EQ(wall.GetSecondMesh()->GetNumFaces(), 12u);
    for (uint32_t face = 0; face < 6; ++face) {
        EXPECT_EQ(CountAttribute(wall, face), 2u) << face;
    }
    EXPECT_EQ(wall.GetSplitRecords().size(), 6u);
    EXPECT_EQ(wall.GetCellParts().size(), 6u);
    ASSERT_EQ(wall.GetRefineRecords().size(), 6u);
    EXPECT_EQ(wall.GetRefineRecords()[5].flag, 0);
    EXPECT_EQ(wall.GetRefineRecords()[5].level, 4);
    EXPECT_EQ(wall.GetTextureNames(), std::vector<std::string>(6, "材質"));

    // The top cap's texture spans the outline's box, v growing towards -z.
    std::map<std::pair<float, float>, std::pair<float, float>> topUV;
    std::map<std::pair<float, float>, std::pair<float, float>> bottomUV;
    const std::span<const MeshVertex> vertices = MeshVertices(wall);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const VertexTextureRecord& record = wall.GetVertexTextureRecords()[i];
        EXPECT_EQ(vertices[i].u, record.u);
        EXPECT_EQ(vertices[i].v, record.v);
        if (record.part == 0) {
            EXPECT_EQ(vertices[i].y, 280.0f);
            topUV[{vertices[i].x, vertices[i].z}] = {record.u, record.v};
        } else if (record.part == 1) {
            EXPECT_EQ(vertices[i].y, 0.0f);
            bottomUV[{vertices[i].x, vertices[i].z}] = {record.u, record.v};
        }
    }
    ASSERT_EQ(topUV.size(), 4u);
    EXPECT_EQ(topUV[std::make_pair(0.0f, 0.0f)], std::make_pair(0.0f, 1.0f));
    EXPECT_EQ(topUV[std::make_pair(100.0f, 100.0f)], std::make_pair(1.0f, 0.0f));
    EXPECT_EQ(bottomUV[std::make_pair(0.0f, 0.0f)], std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(bottomUV[std::make_pair(100.0f, 100.0f)], std::make_pair(1.0f, 1.0f));
    ExpectNormalsOutward(wall, 280.0f);
}

TEST(WallObjectMeshTest, LShapeGivesNumberedSidesWithTheirOwnTextureRuns) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::LShape(), 250.0f), 1);

    EXPECT_EQ(wall.GetBasePartCount(), 8);
    // Shared cap corners: 6 + 6, then four per side.
    EXPECT_EQ(wall.GetMeshVertices().size(), 6u + 6u + 24u);
    EXPECT_EQ(CountAttribute(wall, 0), 4u);
    EXPECT_EQ(CountAttribute(wall, 1), 4u);
    const std::vector<CVector2F>& outline = wall.GetOutline();
    const std::span<const MeshVertex> vertices = MeshVertices(wall);
    for (int k = 0; k < 6; ++k) {
        const int face = 2 + k;
        SCOPED_TRACE(face);
        EXPECT_EQ(CountAttribute(wall, static_cast<uint32_t>(face)), 2u);
        const std::size_t first = 12 + static_cast<std::size_t>(k) * 4;
        const CVector2F& from = outline[static_cast<std::size_t>(k)];
        const CVector2F& to = outline[static_cast<std::size_t>(k + 1) % 6];
        const struct {
            float x, y, z, u, v;
        } expected[4] = {{from.x, 250, -from.y, 1, 0},
                         {from.x, 0, -from.y, 1, 1},
                         {to.x, 250, -to.y, 0, 0},
                         {to.x, 0, -to.y, 0, 1}};
        for (std::size_t c = 0; c < 4; ++c) {
            const MeshVertex& v = vertices[first + c];
            EXPECT_EQ(wall.GetVertexTextureRecords()[first + c].part, face);
            EXPECT_EQ(v.x, expected[c].x);
            EXPECT_EQ(v.y, expected[c].y);
            EXPECT_EQ(v.z, expected[c].z);
            EXPECT_EQ(v.u, expected[c].u);
            EXPECT_EQ(v.v, expected[c].v);
        }
    }
    ExpectNormalsOutward(wall, 250.0f);
}

TEST(WallObjectMeshTest, CeilingCapIsWoundToFaceDown) {
    CTestWall wall;
    CTestWall ceiling(kCeilingObjectType);
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 10.0f, 0), 1);
    ASSERT_EQ(ceiling.Build(CTestWall::Square(100), 10.0f, 0), 1);

    EXPECT_EQ(ceiling.GetBasePartCount(), 1);
    EXPECT_EQ(ceiling.GetMeshVertices().size(), 4u);
    ASSERT_EQ(ceiling.GetMeshIndices().size(), 6u);
    auto corner = [](const CWallObject& w, std::size_t i) {
        const MeshVertex& v = w.GetMeshVertices()[w.GetMeshIndices()[i]];
        return std::make_pair(v.x, v.z);
    };
    for (std::size_t t = 0; t < 2; ++t) {
        EXPECT_EQ(corner(ceiling, t * 3), corner(wall, t * 3));
        EXPECT_EQ(corner(ceiling, t * 3 + 1), corner(wall, t * 3 + 2));
        EXPECT_EQ(corner(ceiling, t * 3 + 2), corner(wall, t * 3 + 1));
    }
    for (const MeshVertex& v : MeshVertices(ceiling)) {
        EXPECT_FLOAT_EQ(v.ny, -1.0f);
    }
}

TEST(WallObjectMeshTest, DegenerateOutlinesGetFiniteTextureCoordinates) {
    const std::vector<std::vector<CVector2D>> outlines = {
        {{0, 0}, {0, 100}, {0, 200}},  // no width
        {{0, 0}, {100, 0}, {200, 0}},  // no depth
        {{5, 5}, {5, 5}, {5, 5}},      // one point
    };
    for (const std::vector<CVector2D>& points : outlines) {
        CTestWall wall;
        ASSERT_EQ(wall.Build(points, 100.0f), 1);
        for (const VertexTextureRecord& r : wall.GetVertexTextureRecords()) {
            EXPECT_TRUE(std::isfinite(r.u) && std::isfinite(r.v)) << points[1].x;
        }
        for (const MeshVertex& v : MeshVertices(wall)) {
            EXPECT_TRUE(std::isfinite(v.u) && std::isfinite(v.v));
            EXPECT_TRUE(std::isfinite(v.nx) && std::isfinite(v.ny) && std::isfinite(v.nz));
        }
    }
}

TEST(WallObjectMeshTest, IndexLimitIs65535) {
    MessageRecorder prompts;
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 100.0f), 1);
    auto fill = [&wall](std::size_t triangles) {
        wall.m_meshIndices.assign(triangles * 3, 0);
        for (std::size_t i = 0; i < wall.m_meshIndices.size(); ++i) {
            wall.m_meshIndices[i] = static_cast<uint16_t>(i % 24);
        }
        wall.m_meshAttributes.assign(triangles, 0);
    };

    fill(21845);
    ASSERT_EQ(wall.RebuildD3DMesh(), 1);
    EXPECT_EQ(wall.GetMesh()->GetNumFaces(), 21845u);
    EXPECT_TRUE(prompts.messages.empty());

    const gfx::Mesh* kept = wall.GetMesh();
    fill(21846);
    EXPECT_EQ(wall.RebuildD3DMesh(), 0);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kTooLarge});
    EXPECT_EQ(wall.GetMesh(), kept);
    EXPECT_EQ(wall.GetMesh()->GetNumFaces(), 21845u);
}

TEST(WallObjectMeshTest, MoreVerticesThan16BitIndicesReachAreRefused) {
    MessageRecorder prompts;
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 100.0f), 1);

    wall.m_meshVertices.resize(65535);
    wall.m_vertexTextureRecords.resize(65535);
    ASSERT_EQ(wall.RebuildD3DMesh(), 1);
    EXPECT_EQ(wall.GetMesh()->GetNumVertices(), 65535u);

    wall.m_meshVertices.resize(65536);
    wall.m_vertexTextureRecords.resize(65536);
    EXPECT_EQ(wall.RebuildD3DMesh(), 0);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kTooLarge});
    EXPECT_EQ(wall.GetMesh()->GetNumVertices(), 65535u);
}

TEST(WallObjectMeshTest, FailedMeshKeepsTheOldOneAndAFailedBuildMakesNoParts) {
    MessageRecorder prompts;
    CTestWall flat;
    // Two points have no cap triangle: no mesh can be made of nothing.
    EXPECT_EQ(flat.Build({{0, 0}, {100, 0}}, 100.0f, 0), 0);
    EXPECT_EQ(flat.GetMesh(), nullptr);
    EXPECT_EQ(flat.GetMaterialCount(), 0);
    EXPECT_TRUE(flat.GetSplitRecords().empty());
    EXPECT_TRUE(flat.GetRefineRecords().empty());
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kRebuildFailed});

    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 100.0f), 1);
    const gfx::Mesh* kept = wall.GetMesh();
    wall.m_meshIndices.clear();
    wall.m_meshAttributes.clear();
    EXPECT_EQ(wall.RebuildD3DMesh(), 0);
    EXPECT_EQ(wall.GetMesh(), kept);
    EXPECT_EQ(prompts.messages.back(), kRebuildFailed);
}

TEST(WallObjectMeshTest, RebuildTakesTheStoredCoordinatesUntilRestored) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 100.0f), 1);
    for (std::size_t i = 0; i < wall.m_vertexTextureRecords.size(); ++i) {
        wall.m_vertexTextureRecords[i].u = static_cast<float>(i);
        wall.m_vertexTextureRecords[i].v = -static_cast<float>(i);
    }
    ASSERT_EQ(wall.RebuildD3DMesh(), 1);
    EXPECT_EQ(MeshVertices(wall)[5].u, wall.GetMeshVertices()[5].u);

    // The restore shows its progress, one step a vertex, and closes it.
    wall.SetName("北牆");
    RecordingProgress progress;
    wall.RestoreTextureCoords();
    const std::span<const MeshVertex> vertices = MeshVertices(wall);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        EXPECT_EQ(vertices[i].u, static_cast<float>(i));
        EXPECT_EQ(vertices[i].v, -static_cast<float>(i));
    }
    ASSERT_EQ(progress.windows.size(), 1u);
    const RecordingProgress::Window& window = progress.windows[0];
    EXPECT_EQ(window.request.text, "設定貼圖座標 ...北牆");
    EXPECT_EQ(window.request.range, static_cast<int>(vertices.size()));
    EXPECT_EQ(window.steps, static_cast<int>(vertices.size()));
    EXPECT_FALSE(window.request.abortButton);
    EXPECT_TRUE(window.closed);
}

TEST(WallObjectMeshTest, InterpolatedCoordinatesContinueTheFace) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 280.0f), 1);
    // Face 2 runs from (0, 0) to (0, 100) in x and z.
    const struct {
        int part;
        float point[3];
        float u, v;
    } cases[] = {
        {2, {0, 140, 50}, 0.5f, 0.5f},  {2, {0, 0, 100}, 0.0f, 1.0f},
        {2, {0, 280, 0}, 1.0f, 0.0f},   {0, {50, 280, 50}, 0.5f, 0.5f},
        {0, {100, 280, 0}, 1.0f, 1.0f}, {1, {25, 0, 75}, 0.25f, 0.75f},
    };
    for (const auto& c : cases) {
        float u = -1.0f;
        float v = -1.0f;
        wall.InterpolateFaceUV(c.part, c.point, &u, &v);
        EXPECT_FLOAT_EQ(u, c.u) << c.part << " " << c.point[0] << " " << c.point[2];
        EXPECT_FLOAT_EQ(v, c.v) << c.part << " " << c.point[0] << " " << c.point[2];
    }

    // After a 50 x 50 tiling the face's middle lies at 1 tile across and
    // 2.8 tiles down.
    TextureMappingRecord tiled;
    tiled.tileFlag = 1;
    tiled.tileWidth = 50.0f;
    tiled.tileHeight = 50.0f;
    wall.ApplyTextureMapping(2, tiled, false);
    const float middle[3] = {0, 140, 50};
    float u = 0.0f;
    float v = 0.0f;
    wall.InterpolateFaceUV(2, middle, &u, &v);
    EXPECT_FLOAT_EQ(u, 1.0f);
    EXPECT_FLOAT_EQ(v, 2.8f);
}

TEST(WallObjectMeshTest, InterpolationOnCeilingAndZeroLengthEdgeStaysFinite) {
    CTestWall ceiling(kCeilingObjectType);
    ASSERT_EQ(ceiling.Build(CTestWall::Square(100), 10.0f, 0), 1);
    const float centre[3] = {50, 10, 50};
    float u = 0.0f;
    float v = 0.0f;
    ceiling.InterpolateFaceUV(0, centre, &u, &v);
    EXPECT_FLOAT_EQ(u, 0.5f);
    EXPECT_FLOAT_EQ(v, 0.5f);

    // The repeated point gives face 3 an edge of no length.
    CTestWall wall;
    ASSERT_EQ(wall.Build({{0, 0}, {0, 100}, {0, 100}, {100, 0}}, 50.0f), 1);
    const float point[3] = {0, 25, 100};
    wall.InterpolateFaceUV(3, point, &u, &v);
    EXPECT_FLOAT_EQ(u, 1.0f);
    EXPECT_FLOAT_EQ(v, 0.5f);
}

TEST(WallObjectMeshTest, PartKindsAndTextureSizes) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 280.0f), 1);
    const int piece =
        wall.AddPart({MakeVertex(0, 0, 0), MakeVertex(0, 10, 0), MakeVertex(0, 0, 10)});
    wall.m_splitRecords[2].push_back({0, {piece}});
    const int cell =
        wall.AddPart({MakeVertex(0, 0, 0), MakeVertex(0, 10, 0), MakeVertex(0, 0, 10)});
    wall.m_cellParts[3].push_back(cell);
    // An inner face: M, Q, O then Q, R, O, 20 deep at M and 25 at O.
    const MeshVertex m = MakeVertex(0, 0, 0);
    const MeshVertex q = MakeVertex(0, 0, 20);
    const MeshVertex o = MakeVertex(30, 0, 0);
    const MeshVertex r = MakeVertex(30, 0, 25);
    const int hole = wall.AddPart({m, q, o, q, r, o});
    const int round = wall.AddPart({m, q, o, q, r, o});
    wall.m_splitRecords[4].push_back({1, {hole, round}});
    auto circle = std::make_unique<WallFaceItem>(4, 1, WallFaceItem::kCircle);
    circle->SetCorners({50, 50}, {50, 60});
    circle->recordKind = 1;
    circle->parts = {round};
    wall.AddFaceItem(std::move(circle));
    const int loose = wall.AddPart({m, q, o});

    const struct {
        int part;
        int kind;
        float width, height;
    } cases[] = {
        {0, 0, 100, 100},     {2, 0, 100, 280},
        {piece, 1, 100, 280}, {cell, 1, 100, 280},
        {hole, 2, 30, 25},    {round, 2, static_cast<float>(2 * 3.141592653589793 * 10), 25},
        {loose, -1, 7, 9},    {-1, -1, 7, 9},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wall.GetPartKind(c.part), c.kind) << c.part;
        float width = 7.0f;
        float height = 9.0f;
        wall.GetPartTextureSize(c.part, &width, &height);
        EXPECT_FLOAT_EQ(width, c.width) << c.part;
        EXPECT_FLOAT_EQ(height, c.height) << c.part;
    }
}

TEST(WallObjectMeshTest, OutlineTurningTheOtherWayGetsNoCap) {
    // Counter-clockwise on the plan: the ear clipping finds no ear.
    const std::vector<CVector2D> points = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    MessageRecorder prompts;
    CTestWall wall;
    ASSERT_EQ(wall.Build(points, 100.0f), 1);
    EXPECT_EQ(wall.GetBasePartCount(), 6);
    EXPECT_EQ(CountAttribute(wall, 0), 0u);
    EXPECT_EQ(CountAttribute(wall, 1), 0u);
    EXPECT_EQ(wall.GetMesh()->GetNumFaces(), 8u);

    CTestWall floor;
    EXPECT_EQ(floor.Build(points, 0.0f, 0), 0);
    EXPECT_EQ(floor.GetMesh(), nullptr);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kRebuildFailed});
}
