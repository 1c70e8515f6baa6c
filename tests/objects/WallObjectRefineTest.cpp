#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <span>
#include <string>
#include <vector>

#include "FakeDocumentServices.h"
#include "TestWall.h"
#include "objects/HistoryRecord.h"
#include "platform/gfx/Mesh.h"
#include "support/RecordingProgress.h"

namespace {

constexpr const char* kTooLarge = "模型的點或面太多無法產生";
constexpr const char* kDone = "細化處理完成!";
constexpr int kSideFace = 3;

struct PlainState {
    std::vector<MeshVertex> vertices;
    std::vector<uint16_t> indices;
    std::vector<uint32_t> attributes;
};

PlainState Capture(const CWallObject& wall) {
    return {wall.GetMeshVertices(), wall.GetMeshIndices(), wall.GetMeshAttributes()};
}

bool SameVertex(const MeshVertex& a, const MeshVertex& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.u == b.u && a.v == b.v;
}

// The triangles of a part, as corner positions, in mesh order.
std::vector<MeshVertex> PartCorners(const CWallObject& wall, uint32_t part) {
    std::vector<MeshVertex> corners;
    const std::vector<uint32_t>& attributes = wall.GetMeshAttributes();
    for (std::size_t t = 0; t < attributes.size(); ++t) {
        if (attributes[t] == part) {
            for (std::size_t k = 0; k < 3; ++k) {
                corners.push_back(wall.GetMeshVertices()[wall.GetMeshIndices()[t * 3 + k]]);
            }
        }
    }
    return corners;
}

std::size_t CountPart(const CWallObject& wall, uint32_t part) {
    return PartCorners(wall, part).size() / 3;
}

// The Direct3D mesh holds exactly what the arrays hold.
void ExpectMeshEqualsArrays(const CWallObject& wall) {
    const gfx::Mesh* mesh = wall.GetMesh();
    ASSERT_NE(mesh, nullptr);
    const std::span<const MeshVertex> vertices = mesh->VerticesAs<MeshVertex>();
    ASSERT_EQ(vertices.size(), wall.GetMeshVertices().size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const MeshVertex& a = vertices[i];
        const MeshVertex& b = wall.GetMeshVertices()[i];
        ASSERT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << i;
        ASSERT_EQ(a.u, wall.GetVertexTextureRecords()[i].u) << i;
    }
    const std::span<const uint16_t> indices = mesh->Indices16();
    EXPECT_TRUE(std::equal(indices.begin(), indices.end(), wall.GetMeshIndices().begin(),
                           wall.GetMeshIndices().end()));
    const std::span<const uint32_t> attributes = mesh->Attributes();
    EXPECT_TRUE(std::equal(attributes.begin(), attributes.end(), wall.GetMeshAttributes().begin(),
                           wall.GetMeshAttributes().end()));
}

class WallObjectRefineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wall.Build(CTestWall::Square(100), 280.0f), 1);
        wall.SetName("牆-1");
        plain = Capture(wall);
    }

    FakeDocumentServices services;
    MessageRecorder recorder;
    CTestWall wall;
    PlainState plain;
};

}  // namespace

TEST_F(WallObjectRefineTest, EachPassSplitsEveryTriangleIntoFourAtUnsharedMidpoints) {
    struct Case {
        int level;
        int passes;
    };
    for (const Case c : {Case{-3, 1}, Case{0, 1}, Case{1, 1}, Case{2, 2}, Case{4, 4}}) {
        SCOPED_TRACE(c.level);
        CTestWall refined;
        ASSERT_EQ(refined.Build(CTestWall::Square(100), 280.0f), 1);
        refined.SetRefineLevel(kSideFace, c.level);
        ASSERT_EQ(refined.ToggleRefinement(kSideFace, 1, 0), 1);

        std::size_t triangles = 2;
        std::size_t added = 0;
        for (int p = 0; p < c.passes; ++p) {
            added += 3 * triangles;
            triangles *= 4;
        }
        EXPECT_EQ(CountPart(refined, kSideFace), triangles);
        // Side face of 2 triangles at level 4: 6 + 24 + 96 + 384 vertices.
        EXPECT_EQ(refined.GetMeshVertices().size(), plain.vertices.size() + added);
        EXPECT_EQ(refined.GetRefineRecords()[kSideFace].flag, 1);
        EXPECT_EQ(refined.m_refinementVertexRanges[kSideFace].first,
                  static_cast<int>(plain.vertices.size()));
        EXPECT_EQ(refined.m_refinementVertexRanges[kSideFace].last,
                  static_cast<int>(plain.vertices.size() + added) - 1);
        // The other parts keep their triangles, in order, ahead of the new ones.
        const std::size_t others = plain.attributes.size() - 2;
        for (std::size_t t = 0, k = 0; t < plain.attributes.size(); ++t) {
            if (plain.attributes[t] == kSideFace) {
                continue;
            }
            ASSERT_EQ(refined.GetMeshAttributes()[k], plain.attributes[t]);
            ASSERT_TRUE(std::equal(&plain.indices[t * 3], &plain.indices[t * 3 + 3],
                                   &refined.GetMeshIndices()[k * 3]));
            ++k;
        }
        EXPECT_EQ(refined.GetMeshAttributes().size(), others + triangles);
        for (std::size_t i = plain.vertices.size(); i < refined.GetMeshVertices().size(); ++i) {
            ASSERT_EQ(refined.GetVertexTextureRecords()[i].part, kSideFace);
        }
        ExpectMeshEqualsArrays(refined);
    }
}

TEST_F(WallObjectRefineTest, FirstPassPutsTheFourTrianglesOnTheEdgeMidpoints) {
    const std::vector<MeshVertex> before = PartCorners(wall, kSideFace);
    wall.SetRefineLevel(kSideFace, 1);
    ASSERT_EQ(wall.ToggleRefinement(kSideFace, 1, 0), 1);
    const std::vector<MeshVertex> after = PartCorners(wall, kSideFace);
    ASSERT_EQ(after.size(), 24u);
    for (std::size_t t = 0; t < 2; ++t) {
        const MeshVertex& a = before[t * 3];
        const MeshVertex& b = before[t * 3 + 1];
        const MeshVertex& c = before[t * 3 + 2];
        const MeshVertex ab = GetMidVertex(a, b);
        const MeshVertex bc = GetMidVertex(b, c);
        const MeshVertex ca = GetMidVertex(c, a);
        const std::vector<MeshVertex> expected = {a, ab, ca, b, bc, ab, c, ca, bc, ab, bc, ca};
        for (std::size_t k = 0; k < 12; ++k) {
            EXPECT_TRUE(SameVertex(after[t * 12 + k], expected[k])) << t << " " << k;
        }
    }
    // Midpoints are not shared: the common edge has its midpoint twice.
    EXPECT_EQ(wall.GetMeshVertices().size(), plain.vertices.size() + 6);
}

TEST_F(WallObjectRefineTest, UnrefiningRestoresThePlainTrianglesAtTheEndAndTheVertexCount) {
    wall.SetRefineLevel(kSideFace, 3);
    wall.SetRefineLevel(4, 2);
    ASSERT_EQ(wall.ToggleRefinement(kSideFace, 1, 0), 1);
    ASSERT_EQ(wall.ToggleRefinement(4, 1, 0), 1);
    // The first refinement's vertices go first, so the second's move down.
    ASSERT_EQ(wall.ToggleRefinement(kSideFace, 1, 0), 1);
    EXPECT_EQ(wall.GetRefineRecords()[kSideFace].flag, 0);
    EXPECT_EQ(wall.m_refinementVertexRanges[4].first, static_cast<int>(plain.vertices.size()));
    EXPECT_EQ(CountPart(wall, kSideFace), 2u);
    EXPECT_EQ(CountPart(wall, 4), 32u);
    ExpectMeshEqualsArrays(wall);
    ASSERT_EQ(wall.ToggleRefinement(4, 1, 0), 1);

    EXPECT_EQ(wall.GetMeshVertices().size(), plain.vertices.size());
    EXPECT_TRUE(std::equal(plain.vertices.begin(), plain.vertices.end(),
                           wall.GetMeshVertices().begin(), SameVertex));
    EXPECT_EQ(wall.GetVertexTextureRecords().size(), plain.vertices.size());
    // Face 3, then face 4, each in its old order, after the untouched faces.
    std::vector<uint16_t> expected;
    for (uint32_t part : {0u, 1u, 2u, 5u, 3u, 4u}) {
        for (std::size_t t = 0; t < plain.attributes.size(); ++t) {
            if (plain.attributes[t] == part) {
                expected.insert(expected.end(), &plain.indices[t * 3], &plain.indices[t * 3 + 3]);
            }
        }
    }
    EXPECT_EQ(wall.GetMeshIndices(), expected);
    EXPECT_EQ(wall.GetMeshAttributes(),
              (std::vector<uint32_t>{0, 0, 1, 1, 2, 2, 5, 5, 3, 3, 4, 4}));
    ExpectMeshEqualsArrays(wall);
}

// A refinement the mesh cannot hold leaves the part plain, its flag as it
// was, the arrays equal to the mesh, and reports no success.
TEST_F(WallObjectRefineTest, RefusedRefinementLeavesThePartPlainAndSaysSo) {
    struct Case {
        const char* name;
        int level;
        int extraVertices;
    };
    for (const Case c : {Case{"too many indices", 9, 0}, Case{"too many vertices", 1, 65510}}) {
        SCOPED_TRACE(c.name);
        CTestWall big;
        ASSERT_EQ(big.Build(CTestWall::Square(100), 280.0f), 1);
        for (int i = 0; i < c.extraVertices; ++i) {
            big.m_meshVertices.push_back(MakeVertex(0, 0, 0));
            big.m_vertexTextureRecords.push_back({0, 0, 0});
        }
        ASSERT_EQ(big.RebuildD3DMesh(), 1);
        const std::size_t vertices = big.GetMeshVertices().size();
        big.SetRefineLevel(kSideFace, c.level);
        recorder.messages.clear();
        services.undo.clear();
        RecordingProgress progress;

        EXPECT_EQ(big.FinishRefinement(1, 2 * kSideFace), 0);

        EXPECT_EQ(recorder.messages, std::vector<std::string>{kTooLarge});
        EXPECT_TRUE(services.undo.empty());
        EXPECT_EQ(big.GetRefineRecords()[kSideFace].flag, 0);
        EXPECT_EQ(big.GetRefineRecords()[kSideFace].level, c.level);
        EXPECT_EQ(big.GetMeshVertices().size(), vertices);
        EXPECT_EQ(CountPart(big, kSideFace), 2u);
        ExpectMeshEqualsArrays(big);
        bool undoneBehindWindow = false;
        for (const RecordingProgress::Window& window : progress.windows) {
            undoneBehindWindow |= window.request.text == "解除建構中, 請稍候 ...";
            EXPECT_TRUE(window.closed);
        }
        EXPECT_TRUE(undoneBehindWindow);
    }
}

TEST_F(WallObjectRefineTest, PickedFaceCommandTogglesRecordsAndReplaysExactly) {
    wall.SetRefineLevel(kSideFace, 2);
    const int triangle = 2 * kSideFace + 1;
    wall.SetSelected(1);
    ASSERT_EQ(wall.FinishRefinement(99, triangle), 1);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{kDone});
    EXPECT_EQ(wall.IsSelected(), 0);
    ASSERT_EQ(services.undo.size(), 1u);
    const HistoryRecord& record = *services.undo[0];
    EXPECT_EQ(record.operation, kHistoryFaceRefinement);
    EXPECT_EQ(record.objectType, 1);
    EXPECT_EQ(record.value, kSideFace);
    EXPECT_EQ(record.object, &wall);
    const auto before = std::get<RefinementRecord>(record.before);
    const auto after = std::get<RefinementRecord>(record.after);
    EXPECT_EQ(before.flag, 0);
    EXPECT_EQ(before.value, 2);
    EXPECT_EQ(after.flag, 1);
    EXPECT_EQ(after.value, 2);

    const PlainState refined = Capture(wall);
    wall.RestoreFaceRefinement(kSideFace, before);
    EXPECT_EQ(wall.GetRefineRecords()[kSideFace].flag, 0);
    EXPECT_EQ(wall.GetMeshVertices().size(), plain.vertices.size());
    EXPECT_EQ(CountPart(wall, kSideFace), 2u);
    wall.RestoreFaceRefinement(kSideFace, after);
    EXPECT_EQ(wall.GetRefineRecords()[kSideFace].flag, 1);
    EXPECT_EQ(wall.GetRefineRecords()[kSideFace].level, 2);
    EXPECT_EQ(wall.GetMeshIndices(), refined.indices);
    EXPECT_EQ(wall.GetMeshVertices().size(), refined.vertices.size());
    // Replays record nothing of their own.
    EXPECT_EQ(services.undo.size(), 1u);

    // A triangle that is not in the mesh does nothing.
    recorder.messages.clear();
    EXPECT_EQ(wall.FinishRefinement(1, 10000), 0);
    EXPECT_EQ(wall.FinishRefinement(1, -1), 0);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(WallObjectRefineTest, SwitchingTheFlagOnRefinesAndOffKeepsTheGeometry) {
    wall.SetFaceRefineFlag(kSideFace, 1, 1);
    EXPECT_EQ(CountPart(wall, kSideFace), 8u);
    // Setting it again changes nothing.
    wall.SetFaceRefineFlag(kSideFace, 1, 1);
    EXPECT_EQ(CountPart(wall, kSideFace), 8u);
    wall.SetFaceRefineFlag(kSideFace, 0, 1);
    EXPECT_EQ(wall.GetRefineRecords()[kSideFace].flag, 0);
    EXPECT_EQ(CountPart(wall, kSideFace), 8u);
    // Reading and restoring are no edits of their own.
    EXPECT_TRUE(services.undo.empty());
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(WallObjectRefineTest, HugeStoredLevelIsKeptButRefinesAtMostTenPasses) {
    // A part without triangles finds none on the first pass.
    const int empty = wall.AddPart({});
    RecordingProgress progress;
    const auto start = std::chrono::steady_clock::now();
    wall.SetFaceRefineFlag(empty, 1, INT_MAX);
    EXPECT_EQ(wall.GetRefineRecords()[empty].flag, 1);
    EXPECT_EQ(wall.GetRefineRecords()[empty].level, INT_MAX);
    ASSERT_FALSE(progress.windows.empty());
    EXPECT_EQ(progress.windows[0].request.text, "細化處理中,請稍待...牆-1");
    EXPECT_EQ(progress.windows[0].request.range, CWallObject::kMaxRefinePasses);

    // One triangle passes the index limit on its eighth pass: seven are
    // done, then the refinement is refused.
    const int single =
        wall.AddPart({MakeVertex(0, 0, 0), MakeVertex(0, 10, 0), MakeVertex(10, 10, 0)});
    ASSERT_EQ(wall.RebuildD3DMesh(), 1);
    wall.SetFaceRefineFlag(single, 1, INT_MAX);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(recorder.messages, std::vector<std::string>{kTooLarge});
    EXPECT_EQ(wall.GetRefineRecords()[single].level, INT_MAX);
    EXPECT_EQ(CountPart(wall, static_cast<uint32_t>(single)), 1u);
    ExpectMeshEqualsArrays(wall);
    std::vector<int> passes;
    for (const RecordingProgress::Window& window : progress.windows) {
        if (window.request.text.starts_with("細化處理中")) {
            passes.push_back(window.steps);
        }
    }
    EXPECT_EQ(passes, (std::vector<int>{0, 7}));
}
