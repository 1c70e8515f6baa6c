#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "FakeDocumentServices.h"
#include "FakeSceneServices.h"
#include "TestWall.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/Mesh.h"

namespace {

// The first vertex of a part and its coordinates in the vertex buffer.
std::pair<float, float> FirstUV(const CWallObject& wall, int part) {
    const std::span<const MeshVertex> vertices = wall.GetMesh()->VerticesAs<MeshVertex>();
    const std::vector<VertexTextureRecord>& records = wall.GetVertexTextureRecords();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].part == part) {
            return {vertices[i].u, vertices[i].v};
        }
    }
    return {NAN, NAN};
}

std::vector<std::pair<float, float>> BufferUV(const CWallObject& wall) {
    std::vector<std::pair<float, float>> uv;
    for (const MeshVertex& v : wall.GetMesh()->VerticesAs<MeshVertex>()) {
        uv.emplace_back(v.u, v.v);
    }
    return uv;
}

TextureMappingRecord Tiled(float width, float height) {
    TextureMappingRecord record;
    record.tileFlag = 1;
    record.tileWidth = width;
    record.tileHeight = height;
    return record;
}

TextureMappingRecord Seamed(float seamWidth) {
    TextureMappingRecord record = Tiled(50.0f, 50.0f);
    record.seam.seamFlag = 1;
    record.seam.seamWidth = seamWidth;
    record.seam.seamHeight = 0.5f;
    record.seam.seamColor = 0x808080;
    return record;
}

}  // namespace

TEST(WallObjectMappingTest, TilesCountAcrossTheRealFaceSize) {
    CTestWall wall;
    // Face 2 is 300 wide and 250 high.
    ASSERT_EQ(wall.Build(CTestWall::Square(300), 250.0f), 1);
    wall.ApplyTextureMapping(2, Tiled(50.0f, 50.0f), false);

    std::set<std::pair<float, float>> corners;
    const std::span<const MeshVertex> vertices = wall.GetMesh()->VerticesAs<MeshVertex>();
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const VertexTextureRecord& record = wall.GetVertexTextureRecords()[i];
        if (record.part == 2) {
            EXPECT_EQ(vertices[i].u, record.u);
            EXPECT_EQ(vertices[i].v, record.v);
            corners.insert({record.u, record.v});
        }
    }
    EXPECT_EQ(corners, (std::set<std::pair<float, float>>{{0, 0}, {0, 5}, {6, 0}, {6, 5}}));
    // Other faces keep their coordinates.
    EXPECT_EQ(FirstUV(wall, 3), std::make_pair(1.0f, 0.0f));
}

TEST(WallObjectMappingTest, RotationKeepsTilesSquareThroughTheAspect) {
    // The first vertex of face 2 is built at (1, 0); the face is 100 x 50, so
    // 100 x 50 tiles leave it at (1, 0) before the turn.
    const struct {
        const char* name;
        TextureMappingRecord mapping;
        float u, v;
    } cases[] = {
        {"untiled", {}, 0.0f, -1.0f},
        {"tiles of aspect 2", Tiled(100.0f, 50.0f), 0.0f, -2.0f},
    };
    for (const auto& c : cases) {
        CTestWall wall;
        ASSERT_EQ(wall.Build(CTestWall::Square(100), 50.0f), 1);
        TextureMappingRecord mapping = c.mapping;
        mapping.rotation = 90.0f;
        wall.ApplyTextureMapping(2, mapping, false);
        const auto [u, v] = FirstUV(wall, 2);
        EXPECT_NEAR(u, c.u, 1e-5f) << c.name;
        EXPECT_NEAR(v, c.v, 1e-5f) << c.name;
    }
}

TEST(WallObjectMappingTest, ZeroRecordBringsBackTheBuiltCoordinates) {
    TextureMappingRecord shifted;
    shifted.offsetU = 0.25f;
    shifted.offsetV = -1.5f;
    TextureMappingRecord flipped;
    flipped.flipU = 1;
    flipped.flipV = 1;
    flipped.rotation = 30.0f;
    TextureMappingRecord everything = Seamed(1.0f);
    everything.rotation = -45.0f;
    everything.offsetU = 0.5f;
    everything.flipV = 1;
    const TextureMappingRecord mappings[] = {shifted, flipped, Tiled(40.0f, 60.0f), everything};

    for (const TextureMappingRecord& mapping : mappings) {
        for (int part : {0, 1, 2, 5}) {
            CTestWall wall;
            ASSERT_EQ(wall.Build(CTestWall::Square(120), 240.0f), 1);
            const std::vector<std::pair<float, float>> built = BufferUV(wall);
            wall.ApplyTextureMapping(part, mapping, false);
            EXPECT_NE(BufferUV(wall), built);
            wall.ApplyTextureMapping(part, TextureMappingRecord{}, false);
            const std::vector<std::pair<float, float>> restored = BufferUV(wall);
            for (std::size_t i = 0; i < built.size(); ++i) {
                EXPECT_NEAR(restored[i].first, built[i].first, 1e-4f) << part << " " << i;
                EXPECT_NEAR(restored[i].second, built[i].second, 1e-4f) << part << " " << i;
                EXPECT_EQ(wall.GetVertexTextureRecords()[i].u, restored[i].first);
                EXPECT_EQ(wall.GetVertexTextureRecords()[i].v, restored[i].second);
            }
        }
    }
}

TEST(WallObjectMappingTest, TileFlagIsKeptOnlyWithTileSizes) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 50.0f), 1);
    wall.ApplyTextureMapping(2, Tiled(0.0f, 50.0f), false);
    EXPECT_EQ(wall.GetMappingRecord(2).tileFlag, 0);
    EXPECT_EQ(wall.GetMappingRecord(2).tileHeight, 50.0f);
    EXPECT_EQ(FirstUV(wall, 2), std::make_pair(1.0f, 0.0f));

    wall.ApplyTextureMapping(2, Tiled(25.0f, 50.0f), false);
    EXPECT_EQ(wall.GetMappingRecord(2).tileFlag, 1);
    EXPECT_EQ(FirstUV(wall, 2), std::make_pair(4.0f, 0.0f));
}

TEST(WallObjectMappingTest, PartOfNoKnownSizeGetsNoNaN) {
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 50.0f), 1);
    const int loose = wall.AddPart(
        {MakeVertex(0, 0, 0, 0.5f, 0.5f), MakeVertex(0, 10, 0, 1, 0), MakeVertex(0, 0, 10, 0, 1)});
    ASSERT_EQ(wall.RebuildD3DMesh(), 1);
    wall.RestoreTextureCoords();

    wall.ApplyTextureMapping(loose, Tiled(50.0f, 50.0f), false);
    wall.ApplyTextureMapping(loose, TextureMappingRecord{}, false);
    for (const VertexTextureRecord& r : wall.GetVertexTextureRecords()) {
        EXPECT_TRUE(std::isfinite(r.u) && std::isfinite(r.v));
    }
    for (const auto& [u, v] : BufferUV(wall)) {
        EXPECT_TRUE(std::isfinite(u) && std::isfinite(v));
    }
}

TEST(WallObjectMappingTest, OnlyTileOrSeamChangesRemakeASeamedTexture) {
    FakeSceneServices scene;
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 50.0f), 1);
    wall.TextureNames()[2] = "/textures/brick.jpg";

    TextureMappingRecord moved = Seamed(0.5f);
    moved.offsetU = 0.3f;
    TextureMappingRecord wider = moved;
    wider.seam.seamWidth = 1.0f;
    TextureMappingRecord untiled = wider;
    untiled.tileFlag = 0;
    const struct {
        const char* name;
        TextureMappingRecord mapping;
        std::size_t requests;  // after this step
    } steps[] = {
        {"seam set", Seamed(0.5f), 1},
        {"offsets only", moved, 1},
        {"seam wider", wider, 2},
        {"tiles off", untiled, 3},
        {"tiles off again", untiled, 4},
        {"seam gone", TextureMappingRecord{}, 5},
        {"no seam either side", Tiled(20.0f, 20.0f), 5},
    };
    for (const auto& step : steps) {
        wall.ApplyTextureMapping(2, step.mapping, false);
        EXPECT_EQ(scene.requestedTextures.size(), step.requests) << step.name;
    }
    EXPECT_EQ(scene.requestedTextures.front(), "/textures/brick.jpg");

    // An untextured part has nothing to remake.
    wall.ApplyTextureMapping(3, Seamed(0.5f), false);
    EXPECT_EQ(scene.requestedTextures.size(), 5u);
}

TEST(WallObjectMappingTest, MappingWithHistoryRecordsBothStates) {
    FakeDocumentServices document;
    CTestWall wall;
    ASSERT_EQ(wall.Build(CTestWall::Square(100), 50.0f), 1);
    TextureMappingRecord mapping = Tiled(10.0f, 10.0f);
    mapping.offsetU = 0.5f;

    wall.ApplyTextureMapping(4, mapping, false);
    EXPECT_TRUE(document.undo.empty());
    wall.ApplyTextureMapping(4, TextureMappingRecord{}, true);
    ASSERT_EQ(document.undo.size(), 1u);
    const HistoryRecord& record = *document.undo.front();
    EXPECT_EQ(record.operation, kHistoryMaterial);
    EXPECT_EQ(record.objectType, kWallObjectType);
    EXPECT_EQ(record.value, 4);
    EXPECT_EQ(record.object, &wall);
    const auto* before = std::get_if<MaterialSnapshot>(&record.before);
    const auto* after = std::get_if<MaterialSnapshot>(&record.after);
    ASSERT_TRUE(before != nullptr && after != nullptr);
    EXPECT_EQ(before->mapping.offsetU, 0.5f);
    EXPECT_EQ(after->mapping.offsetU, 0.0f);
}
