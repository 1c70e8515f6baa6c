#include "platform/gfx/MeshAdjacency.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "MeshBuilders.h"

namespace gfx::test {
namespace {

std::vector<uint32_t> Adjacency(const Mesh& mesh, float epsilon) {
    std::vector<uint32_t> adjacency;
    EXPECT_EQ(kOk, GenerateAdjacency(mesh, epsilon, &adjacency));
    EXPECT_EQ(size_t{mesh.GetNumFaces()} * 3, adjacency.size());
    return adjacency;
}

// The two corner positions of edge e of a face.
std::pair<Vector3, Vector3> EdgeEnds(const Mesh& mesh, uint32_t face, uint32_t edge) {
    const Face corners = mesh.GetFace(face);
    return {mesh.GetPosition(corners[edge]), mesh.GetPosition(corners[(edge + 1) % 3])};
}

// Every neighbour names this face back across an edge with the same two
// corners, run the other way.
void ExpectConsistent(const Mesh& mesh, const std::vector<uint32_t>& adjacency) {
    for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
        for (uint32_t edge = 0; edge < 3; ++edge) {
            const uint32_t other = adjacency[face * 3 + edge];
            if (other == kNoNeighbour) {
                continue;
            }
            const auto [a, b] = EdgeEnds(mesh, face, edge);
            bool named = false;
            for (uint32_t back = 0; back < 3; ++back) {
                const auto [c, d] = EdgeEnds(mesh, other, back);
                named = named || (adjacency[other * 3 + back] == face && c == b && d == a);
            }
            EXPECT_TRUE(named) << "face " << face << " edge " << edge << " -> face " << other;
        }
    }
}

TEST(MeshAdjacencyTest, BoxWithSplitVerticesIsClosed) {
    const std::unique_ptr<Mesh> box = MakeBox({-1, -1, -1}, {1, 1, 1});
    const std::vector<uint32_t> adjacency = Adjacency(*box, 0.0f);
    EXPECT_EQ(0, std::ranges::count(adjacency, kNoNeighbour));
    ExpectConsistent(*box, adjacency);
    // The diagonal of the -z side joins its two faces; its first edge
    // (c0, c1) borders the -x side.
    EXPECT_EQ(9u, adjacency[8 * 3 + 2]);
    EXPECT_EQ(0u, adjacency[8 * 3] / 2);
}

TEST(MeshAdjacencyTest, EpsilonDecidesWhetherNearCornersMeet) {
    // The -z side pushed out by 1e-4: its four rims no longer meet the
    // sides around it exactly.
    const std::unique_ptr<Mesh> box = MakeBox({-1, -1, -1}, {1, 1, 1});
    for (TestVertex& vertex : box->EditVerticesAs<TestVertex>().subspan(16, 4)) {
        vertex.position.z -= 1e-4f;
    }
    struct Case {
        float epsilon;
        long open;
    };
    for (const Case& c : {Case{0.0f, 8}, Case{1e-5f, 8}, Case{1e-3f, 0}}) {
        SCOPED_TRACE(c.epsilon);
        const std::vector<uint32_t> adjacency = Adjacency(*box, c.epsilon);
        EXPECT_EQ(c.open, std::ranges::count(adjacency, kNoNeighbour));
        EXPECT_EQ(9u, adjacency[8 * 3 + 2]);
    }
}

TEST(MeshAdjacencyTest, QuadHasOnlyItsDiagonalInside) {
    const std::unique_ptr<Mesh> quad = MakeMesh(
        {Point(0, 0, 0), Point(0, 1, 0), Point(1, 1, 0), Point(1, 0, 0)}, {{0, 1, 2}, {0, 2, 3}});
    EXPECT_EQ((std::vector<uint32_t>{kNoNeighbour, kNoNeighbour, 1, 0, kNoNeighbour, kNoNeighbour}),
              Adjacency(*quad, 0.0f));
}

TEST(MeshAdjacencyTest, EdgeOfThreeFacesPairsTheOneRunningItBackwards) {
    // Faces 0 and 1 run the edge p0 -> p1, face 2 runs it p1 -> p0.
    const std::unique_ptr<Mesh> fan =
        MakeMesh({Point(0, 0, 0), Point(1, 0, 0), Point(0, 1, 0), Point(0, 0, 1), Point(0, -1, 0)},
                 {{0, 1, 2}, {0, 1, 3}, {1, 0, 4}});
    const std::vector<uint32_t> adjacency = Adjacency(*fan, 0.0f);
    EXPECT_EQ(2u, adjacency[0]);
    EXPECT_EQ(kNoNeighbour, adjacency[3]);
    EXPECT_EQ(0u, adjacency[6]);
}

TEST(MeshAdjacencyTest, NegativeEpsilonIsRefused) {
    const std::unique_ptr<Mesh> box = MakeBox({-1, -1, -1}, {1, 1, 1});
    std::vector<uint32_t> adjacency;
    EXPECT_EQ(kErrInvalidCall, GenerateAdjacency(*box, -1.0f, &adjacency));
}

}  // namespace
}  // namespace gfx::test
