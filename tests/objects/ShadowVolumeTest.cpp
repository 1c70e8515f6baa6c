#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "ShadowMeshes.h"
#include "objects/ShadowEdgeList.h"
#include "objects/ShadowVolume.h"
#include "platform/gfx/VectorMath.h"

namespace {

using Edge = std::pair<uint32_t, uint32_t>;

// The edges of a volume, one per quad: its first two vertices.
std::vector<Edge> QuadEdges(const CShadowVolume& volume, const gfx::Mesh& mesh) {
    std::vector<Edge> edges;
    const auto& v = volume.GetVertices();
    for (size_t q = 0; q + 5 < v.size(); q += 6) {
        auto index = [&](const gfx::Vector3& p) {
            for (uint32_t i = 0; i < mesh.GetNumVertices(); ++i) {
                const gfx::Vector3 m = mesh.GetPosition(i);
                if (m.x == p.x && m.y == p.y && m.z == p.z) {
                    return i;
                }
            }
            return 0xFFFFFFFFu;
        };
        edges.emplace_back(index(v[q]), index(v[q + 1]));
    }
    return edges;
}

// A tetrahedron on the ground whose base (first vertex 0) faces down and
// whose three sides (first vertices 3, 1 and 2) face up.
std::unique_ptr<gfx::Mesh> MakeTetrahedron(bool flipOneSide) {
    std::vector<uint16_t> faces = {0, 2, 1, 3, 0, 1, 1, 2, 3, 2, 0, 3};
    if (flipOneSide) {
        std::swap(faces[7], faces[8]);  // the side (1, 3, 2)
    }
    return MakeShadowTestMesh(
        {{{0, 0, 0}, kDown}, {{2, 0, 0}, kUp}, {{0, 0, 2}, kUp}, {{0.5f, 2, 0.5f}, kUp}}, faces);
}

// Three faces, all facing up, on the one edge (0, 1).
std::unique_ptr<gfx::Mesh> MakeFan() {
    return MakeShadowTestMesh(
        {{{0, 0, 0}, kUp}, {{1, 0, 0}, kUp}, {{0, 0, 1}, kUp}, {{0, 0, -1}, kUp}, {{1, 1, 1}, kUp}},
        {0, 1, 2, 1, 0, 3, 0, 1, 4});
}

TEST(ShadowVolumeTest, BuildExtrudesTheEdgesThatTheLitFacesUseAnOddNumberOfTimes) {
    struct Case {
        const char* name;
        std::unique_ptr<gfx::Mesh> mesh;
        gfx::Vector3 light;
        std::vector<Edge> edges;  // in the order of the quads
    };
    Case cases[] = {
        // The border stays, the shared diagonal cancels.
        {"open square lit from above", MakeGroundSquare(), kUp, {{0, 1}, {1, 2}, {2, 3}, {3, 0}}},
        {"open square lit from below", MakeGroundSquare(), kDown, {}},
        // A dot product of exactly 0 counts as facing the light.
        {"square lit edge-on", MakeGroundSquare(), {1, 0, 0}, {{0, 1}, {1, 2}, {2, 3}, {3, 0}}},
        // Only the silhouette of a closed mesh: the edge between the lit
        // sides and the dark base, each in its last adder's direction.
        {"closed mesh lit from one side", MakeTetrahedron(false), kUp, {{2, 0}, {0, 1}, {1, 2}}},
        // A side wound the other way uses its edges in the same direction
        // as its neighbours: they cancel all the same.
        {"closed mesh with one side flipped", MakeTetrahedron(true), kUp, {{2, 0}, {0, 1}, {2, 1}}},
        // An edge of three lit faces stays, once.
        {"edge of three faces",
         MakeFan(),
         kUp,
         {{2, 0}, {1, 2}, {0, 3}, {3, 1}, {0, 1}, {1, 4}, {4, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CShadowVolume volume;
        volume.Reserve(c.mesh->GetNumFaces());
        ASSERT_EQ(volume.Build(*c.mesh, c.light, 1), gfx::kOk);
        EXPECT_EQ(QuadEdges(volume, *c.mesh), c.edges);
        EXPECT_EQ(volume.GetVertexCount(), c.edges.size() * 6);
    }
}

TEST(ShadowVolumeTest, QuadsRunAwayFromTheLight) {
    const auto square = MakeGroundSquare();
    const float e = CShadowVolume::kExtrusionLength;
    const gfx::Vector3 p1 = square->GetPosition(0);
    const gfx::Vector3 p2 = square->GetPosition(1);

    CShadowVolume directional;
    directional.Reserve(2);
    // Unnormalised: the extrusion takes the unit direction.
    ASSERT_EQ(directional.Build(*square, {0, 0.5f, 0}, 1), gfx::kOk);
    const gfx::Vector3 q1 = p1 + gfx::Vector3{0, e, 0};
    const gfx::Vector3 q2 = p2 + gfx::Vector3{0, e, 0};
    const std::vector<gfx::Vector3> first(directional.GetVertices().begin(),
                                          directional.GetVertices().begin() + 6);
    const std::vector<gfx::Vector3> expected = {p1, p2, q1, p2, q2, q1};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(first[i].x, expected[i].x) << i;
        EXPECT_FLOAT_EQ(first[i].y, expected[i].y) << i;
        EXPECT_FLOAT_EQ(first[i].z, expected[i].z) << i;
    }

    // A point light pushes each end along its own ray from the light.
    CShadowVolume point;
    point.Reserve(2);
    const gfx::Vector3 light = {0, 1, 0};
    ASSERT_EQ(point.Build(*square, light, 0), gfx::kOk);
    const auto& v = point.GetVertices();
    for (const auto& [near, far] : {std::pair{v[0], v[2]}, std::pair{v[1], v[4]}}) {
        const gfx::Vector3 ray = gfx::Vec3Normalize(near - light);
        const gfx::Vector3 pushed = gfx::Vec3Normalize(far - near);
        EXPECT_NEAR(gfx::Vec3Dot(ray, pushed), 1.0f, 1e-5f);
        EXPECT_NEAR(gfx::Vec3Length(far - near), e, e * 1e-5f);
    }
}

// The toggle as a plain scan of the list, the order the hashed one keeps.
void ScanToggle(std::vector<Edge>& edges, uint32_t a, uint32_t b) {
    for (size_t i = 0; i < edges.size(); ++i) {
        if (edges[i] == Edge{a, b} || edges[i] == Edge{b, a}) {
            edges[i] = edges.back();
            edges.pop_back();
            return;
        }
    }
    edges.emplace_back(a, b);
}

TEST(ShadowVolumeTest, HashedToggleLeavesTheEdgesInTheOrderOfAPlainScan) {
    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> vertex(0, 60);
    CShadowEdgeList hashed(4000);
    std::vector<Edge> scanned;
    for (int i = 0; i < 12000; ++i) {
        const uint32_t a = vertex(random);
        const uint32_t b = vertex(random);
        CShadowVolume::ToggleEdge(hashed, a, b);
        ScanToggle(scanned, a, b);
    }
    std::vector<Edge> result;
    for (const CShadowEdgeList::Edge& e : hashed.Edges()) {
        result.emplace_back(e.a, e.b);
    }
    EXPECT_EQ(result, scanned);
    EXPECT_FALSE(scanned.empty());
}

TEST(ShadowVolumeTest, SecondBuildAppendsAndReserveEmptiesKeepingTheArray) {
    const auto square = MakeGroundSquare();
    CShadowVolume volume;
    EXPECT_EQ(volume.GetCapacity(), 0u);
    volume.Reserve(4);
    ASSERT_EQ(volume.Build(*square, kUp, 1), gfx::kOk);
    ASSERT_EQ(volume.Build(*square, {0, 2, 0}, 0), gfx::kOk);
    ASSERT_EQ(volume.GetVertexCount(), 48u);
    // The point light's quads follow the directional light's.
    EXPECT_FLOAT_EQ(volume.GetVertices()[2].y, CShadowVolume::kExtrusionLength);
    EXPECT_LT(volume.GetVertices()[26].y, 0.0f);

    const gfx::Vector3* array = volume.GetVertices().data();
    volume.Reserve(4);
    EXPECT_EQ(volume.GetVertexCount(), 0u);
    ASSERT_EQ(volume.Build(*square, kUp, 1), gfx::kOk);
    EXPECT_EQ(volume.GetVertices().data(), array);
}

TEST(ShadowVolumeTest, RefusedBuildsLeaveTheVolumeAsItWas) {
    const auto square = MakeGroundSquare();
    auto outOfRange = MakeGroundSquare();
    outOfRange->EditIndices16()[4] = 9;
    std::unique_ptr<gfx::Mesh> noNormals;
    gfx::Mesh::Create(1, 3, 0, gfx::kFvfXyz, nullptr, &noNormals);

    CShadowVolume volume;
    volume.Reserve(2);
    ASSERT_EQ(volume.Build(*square, kUp, 1), gfx::kOk);
    const std::vector<gfx::Vector3> before = volume.GetVertices();
    EXPECT_EQ(volume.Build(*outOfRange, kUp, 1), gfx::kErrInvalidCall);
    EXPECT_EQ(volume.Build(*noNormals, kUp, 1), gfx::kErrInvalidCall);
    // No room left for a second light's quads.
    EXPECT_EQ(volume.Build(*square, kUp, 1), gfx::kErrOutOfMemory);
    EXPECT_EQ(volume.GetVertices().size(), before.size());

    // Room that cannot be had: an empty volume that no build fills.
    volume.Reserve(size_t{1} << 60);
    EXPECT_EQ(volume.GetVertexCount(), 0u);
    EXPECT_EQ(volume.GetCapacity(), 0u);
    EXPECT_EQ(volume.Build(*square, kUp, 1), gfx::kErrOutOfMemory);
    EXPECT_EQ(volume.GetVertexCount(), 0u);
}

}  // namespace
