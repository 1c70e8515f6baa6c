#include "platform/gfx/MeshMerge.h"

#include <gtest/gtest.h>

#include <numbers>

#include "MathExpect.h"
#include "MeshBuilders.h"
#include "platform/gfx/Mesh.h"

namespace gfx::test {
namespace {

TEST(MeshMergeTest, SourcesArePlacedRenumberedAndKeepTheirSubsetsApart) {
    const std::unique_ptr<Mesh> first = MakeBox({-1, -1, -1}, {1, 1, 1});
    const std::unique_ptr<Mesh> second = MakeBox({0, 0, 0}, {2, 1, 1}, kMesh32Bit);
    // A quarter turn about y takes +x to -z, then the box moves to x = 10.
    const Matrix place =
        MatrixRotationY(std::numbers::pi_v<float> / 2) * MatrixTranslation(10, 0, 0);
    const MeshMergeSource sources[] = {{first.get(), MatrixIdentity(), 0},
                                       {second.get(), place, 6}};
    std::unique_ptr<Mesh> merged;
    std::string error;
    ASSERT_EQ(kOk, MergeMeshes(sources, 0, kTestVertexFvf, nullptr, &merged, &error)) << error;
    ASSERT_EQ(48u, merged->GetNumVertices());
    ASSERT_EQ(24u, merged->GetNumFaces());
    EXPECT_FALSE(merged->Has32BitIndices());
    EXPECT_TRUE(merged->GetAttributeTable().empty());

    for (uint32_t f = 0; f < 12; ++f) {
        EXPECT_EQ(first->GetFace(f), merged->GetFace(f));
        EXPECT_EQ(first->Attributes()[f], merged->Attributes()[f]);
        const Face moved = second->GetFace(f);
        EXPECT_EQ((Face{moved[0] + 24, moved[1] + 24, moved[2] + 24}), merged->GetFace(12 + f));
        EXPECT_EQ(second->Attributes()[f] + 6, merged->Attributes()[12 + f]);
    }
    const auto from = second->VerticesAs<TestVertex>();
    const auto to = merged->VerticesAs<TestVertex>();
    for (size_t v = 0; v < from.size(); ++v) {
        EXPECT_TRUE(
            VectorNear(to[24 + v].position, Vec3TransformCoord(from[v].position, place), 1e-5f));
        EXPECT_TRUE(
            VectorNear(to[24 + v].normal, Vec3TransformNormal(from[v].normal, place), 1e-6f));
        EXPECT_EQ(from[v].u, to[24 + v].u);
    }
    // The +x side of the second box now faces -z.
    EXPECT_TRUE(VectorNear(to[24 + 4].normal, {0, 0, -1}, 1e-6f));
    Vector3 min;
    Vector3 max;
    merged->ComputeBoundingBox(min, max);
    EXPECT_TRUE(VectorNear(min, {-1, -1, -2}, 1e-5f));
    EXPECT_TRUE(VectorNear(max, {11, 1, 1}, 1e-5f));
}

TEST(MeshMergeTest, NormalsStayPerpendicularUnderUnevenScaling) {
    // A slanted triangle: its normal is not along an axis, so stretching x
    // must tilt it the other way.
    const Vector3 a{0, 0, 0};
    const Vector3 b{0, 1, 1};
    const Vector3 c{1, 0, 1};
    const Vector3 n = Vec3Normalize(Vec3Cross(b - a, c - a));
    const std::unique_ptr<Mesh> slant = MakeMesh({{a, n}, {b, n}, {c, n}}, {{0, 1, 2}});
    const MeshMergeSource source{slant.get(), MatrixScaling(3, 1, 0.5f), 0};
    std::unique_ptr<Mesh> merged;
    ASSERT_EQ(kOk, MergeMeshes({&source, 1}, 0, kTestVertexFvf, nullptr, &merged));
    const Vector3 p0 = merged->GetPosition(0);
    const Vector3 expected =
        Vec3Normalize(Vec3Cross(merged->GetPosition(1) - p0, merged->GetPosition(2) - p0));
    for (const TestVertex& vertex : merged->VerticesAs<TestVertex>()) {
        EXPECT_TRUE(VectorNear(vertex.normal, expected, 1e-6f));
    }
}

TEST(MeshMergeTest, TotalBeyondSixteenBitIndicesIsRefused) {
    std::unique_ptr<Mesh> big;
    ASSERT_EQ(kOk, Mesh::Create(1, 40000, kMesh32Bit, kFvfXyz, nullptr, &big));
    const MeshMergeSource sources[] = {{big.get()}, {big.get()}};
    std::unique_ptr<Mesh> merged;
    std::string error;
    EXPECT_EQ(kErrInvalidCall, MergeMeshes(sources, 0, kFvfXyz, nullptr, &merged, &error));
    EXPECT_FALSE(merged);
    EXPECT_NE(std::string::npos, error.find("65535")) << error;
    EXPECT_EQ(kOk, MergeMeshes(sources, kMesh32Bit, kFvfXyz, nullptr, &merged));
    EXPECT_EQ(80000u, merged->GetNumVertices());
    EXPECT_EQ(40000u, merged->GetIndex(3));
}

}  // namespace
}  // namespace gfx::test
