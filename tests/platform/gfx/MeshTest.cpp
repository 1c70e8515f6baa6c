#include "platform/gfx/Mesh.h"

#include <gtest/gtest.h>

#include <vector>

#include "MathExpect.h"
#include "MeshBuilders.h"
#include "platform/gfx/MeshAdjacency.h"
#include "platform/gfx/MeshIntersect.h"

namespace gfx::test {
namespace {

TEST(MeshTest, CreateRefusesShapesAMeshCannotHave) {
    struct Case {
        const char* name;
        uint32_t faces;
        uint32_t vertices;
        uint32_t options;
        uint32_t fvf;
        bool made;
    };
    const Case cases[] = {
        {"16-bit at the limit", 1, 65535, 0, kTestVertexFvf, true},
        {"16-bit past the limit", 1, 65536, kMeshManaged, kTestVertexFvf, false},
        {"32-bit past the 16-bit limit", 1, 65536, kMesh32Bit, kTestVertexFvf, true},
        {"position only", 1, 3, 0, kFvfXyz, true},
        {"no faces", 0, 3, 0, kTestVertexFvf, false},
        {"no vertices", 1, 0, 0, kTestVertexFvf, false},
        {"pre-transformed", 1, 3, 0, kFvfXyzRhw | kFvfDiffuse, false},
        {"normal without position", 1, 3, 0, kFvfNormal, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Mesh> mesh;
        std::string error;
        const Result result =
            Mesh::Create(c.faces, c.vertices, c.options, c.fvf, nullptr, &mesh, &error);
        EXPECT_EQ(c.made, Succeeded(result));
        EXPECT_EQ(c.made, mesh != nullptr);
        EXPECT_EQ(c.made, error.empty()) << error;
    }
}

TEST(MeshTest, SixteenBitOverflowSaysWhy) {
    std::unique_ptr<Mesh> mesh;
    std::string error;
    EXPECT_EQ(kErrInvalidCall, Mesh::Create(1, 70000, 0, kTestVertexFvf, nullptr, &mesh, &error));
    EXPECT_NE(std::string::npos, error.find("70000")) << error;
    EXPECT_NE(std::string::npos, error.find("65535")) << error;

    // A 32-bit mesh of that size cannot become a 16-bit one either.
    ASSERT_EQ(kOk, Mesh::Create(1, 70000, kMesh32Bit, kTestVertexFvf, nullptr, &mesh, &error));
    std::unique_ptr<Mesh> clone;
    error.clear();
    EXPECT_EQ(kErrInvalidCall, mesh->Clone(0, kTestVertexFvf, nullptr, &clone, &error));
    EXPECT_FALSE(clone);
    EXPECT_NE(std::string::npos, error.find("65535")) << error;
    EXPECT_EQ(kOk, mesh->Clone(kMesh32Bit, kFvfXyz, nullptr, &clone));
}

TEST(MeshTest, CloneKeepsSharedComponentsZeroesNewOnesAndDropsTheRest) {
    const std::unique_ptr<Mesh> box = MakeBox({-1, -2, -3}, {1, 2, 3});
    ASSERT_EQ(kOk, box->Optimize(kMeshOptAttrSort));

    std::unique_ptr<Mesh> positions;
    ASSERT_EQ(kOk, box->Clone(kMesh32Bit, kFvfXyz, nullptr, &positions));
    EXPECT_EQ(12u, positions->GetVertexSize());
    EXPECT_TRUE(positions->Has32BitIndices());

    std::unique_ptr<Mesh> back;
    ASSERT_EQ(kOk, positions->Clone(0, kTestVertexFvf, nullptr, &back));
    std::unique_ptr<Mesh> withColour;
    ASSERT_EQ(kOk,
              box->Clone(0, kFvfXyz | kFvfNormal | kFvfDiffuse | kFvfTex1, nullptr, &withColour));

    const auto original = box->VerticesAs<TestVertex>();
    const auto restored = back->VerticesAs<TestVertex>();
    ASSERT_EQ(original.size(), restored.size());
    for (size_t v = 0; v < original.size(); ++v) {
        EXPECT_EQ(original[v].position, restored[v].position);
        EXPECT_EQ((Vector3{}), restored[v].normal);
        EXPECT_EQ(0.0f, restored[v].u);
        EXPECT_EQ(0.0f, restored[v].v);

        const uint8_t* coloured = withColour->Vertices().data() + v * withColour->GetVertexSize();
        uint32_t colour = 1;
        std::memcpy(&colour, coloured + withColour->GetLayout().diffuseOffset, 4);
        EXPECT_EQ(0u, colour);
        float uv[2];
        std::memcpy(uv, coloured + withColour->GetLayout().texCoordOffsets[0], 8);
        EXPECT_EQ(original[v].u, uv[0]);
        EXPECT_EQ(original[v].v, uv[1]);
    }
    for (const Mesh* clone : {positions.get(), back.get(), withColour.get()}) {
        EXPECT_EQ(box->GetAttributeTable(), clone->GetAttributeTable());
        ASSERT_EQ(box->GetNumFaces(), clone->GetNumFaces());
        for (uint32_t f = 0; f < box->GetNumFaces(); ++f) {
            EXPECT_EQ(box->GetFace(f), clone->GetFace(f));
            EXPECT_EQ(box->Attributes()[f], clone->Attributes()[f]);
        }
    }
}

// Five faces with attributes 2, 0, 1, 0, 2 over vertices some of which no
// face uses.
std::unique_ptr<Mesh> ScatteredSubsets() {
    std::vector<TestVertex> vertices(12);
    for (size_t v = 0; v < vertices.size(); ++v) {
        vertices[v].position = {static_cast<float>(v), static_cast<float>(v % 3), 0.5f};
        vertices[v].u = static_cast<float>(v) / 16.0f;
    }
    return MakeMesh(vertices, {{10, 11, 9}, {0, 1, 2}, {5, 6, 7}, {2, 1, 3}, {9, 7, 10}},
                    {2, 0, 1, 0, 2});
}

TEST(MeshTest, OptimizeSortsByAttributeCompactsAndKeepsGeometry) {
    const std::unique_ptr<Mesh> mesh = ScatteredSubsets();
    const std::vector<FaceRecord> before = SortedFaces(*mesh);
    ASSERT_EQ(kOk, mesh->Optimize(kMeshOptAttrSort | kMeshOptCompact | kMeshOptVertexCache));

    EXPECT_EQ(before, SortedFaces(*mesh));
    EXPECT_EQ(10u, mesh->GetNumVertices());  // vertices 4 and 8 were unused
    EXPECT_EQ((std::vector<uint32_t>{0, 0, 1, 2, 2}),
              std::vector<uint32_t>(mesh->Attributes().begin(), mesh->Attributes().end()));
    // Equal attributes keep their order, and vertices are numbered by first use.
    EXPECT_EQ((Face{0, 1, 2}), mesh->GetFace(0));
    EXPECT_EQ((Face{2, 1, 3}), mesh->GetFace(1));
    EXPECT_EQ(3.0f, mesh->GetPosition(3).x);
    // The last subset also uses a vertex of the one before, so their vertex
    // ranges overlap.
    const std::vector<AttributeRange> table = {{0, 0, 2, 0, 4}, {1, 2, 1, 4, 3}, {2, 3, 2, 6, 4}};
    EXPECT_EQ(table, mesh->GetAttributeTable());
}

TEST(MeshTest, AttributeTableGoesWhenItNoLongerDescribesTheFaces) {
    const std::unique_ptr<Mesh> sorted = ScatteredSubsets();
    ASSERT_EQ(kOk, sorted->Optimize(kMeshOptAttrSort));
    EXPECT_EQ(3u, sorted->GetAttributeTable().size());
    sorted->EditAttributes()[0] = 7;
    EXPECT_TRUE(sorted->GetAttributeTable().empty());

    const std::unique_ptr<Mesh> compacted = ScatteredSubsets();
    ASSERT_EQ(kOk, compacted->Optimize(kMeshOptAttrSort));
    ASSERT_EQ(kOk, compacted->Optimize(kMeshOptCompact));
    EXPECT_TRUE(compacted->GetAttributeTable().empty());
}

TEST(MeshTest, BoundingBoxSpansThePositions) {
    const std::unique_ptr<Mesh> box = MakeBox({-1, 2, -3}, {4, 5, 6});
    Vector3 min;
    Vector3 max;
    box->ComputeBoundingBox(min, max);
    EXPECT_EQ((Vector3{-1, 2, -3}), min);
    EXPECT_EQ((Vector3{4, 5, 6}), max);
}

TEST(MeshTest, IndexBeyondTheVerticesIsRefusedByEveryOperation) {
    const std::unique_ptr<Mesh> box = MakeBox({-1, -1, -1}, {1, 1, 1});
    ASSERT_TRUE(box->IndicesInRange());
    box->EditIndices16()[5] = 24;
    EXPECT_FALSE(box->IndicesInRange());

    std::unique_ptr<Mesh> clone;
    std::string error;
    EXPECT_EQ(kErrInvalidCall, box->Clone(0, kFvfXyz, nullptr, &clone, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(kErrInvalidCall, box->Optimize(kMeshOptCompact));
    std::vector<uint32_t> adjacency;
    EXPECT_EQ(kErrInvalidCall, GenerateAdjacency(*box, 0.0f, &adjacency));
    EXPECT_FALSE(IntersectMesh(*box, {0, 0, -5}, {0, 0, 1}));
    EXPECT_EQ(kErrInvalidCall, box->DrawSubset(0));

    box->EditIndices16()[5] = 23;
    EXPECT_TRUE(box->IndicesInRange());
}

}  // namespace
}  // namespace gfx::test
