#include "platform/gfx/MeshNormals.h"

#include <gtest/gtest.h>

#include <cmath>

#include "MathExpect.h"
#include "MeshBuilders.h"

namespace gfx::test {
namespace {

TEST(MeshNormalsTest, ClockwiseFlatQuadFacesTheViewer) {
    struct Case {
        const char* name;
        std::vector<TestVertex> corners;  // clockwise seen from the side the normal points to
        Vector3 normal;
    };
    const Case cases[] = {
        {"wall seen from -z",
         {Point(0, 0, 0), Point(0, 1, 0), Point(1, 1, 0), Point(1, 0, 0)},
         {0, 0, -1}},
        {"floor seen from above",
         {Point(0, 0, 0), Point(0, 0, 1), Point(1, 0, 1), Point(1, 0, 0)},
         {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Mesh> quad = MakeMesh(c.corners, {{0, 1, 2}, {0, 2, 3}});
        ASSERT_EQ(kOk, ComputeNormals(*quad));
        for (const TestVertex& vertex : quad->VerticesAs<TestVertex>()) {
            EXPECT_TRUE(VectorNear(vertex.normal, c.normal, 1e-6f));
        }
    }
}

TEST(MeshNormalsTest, LargerFacesWeighMore) {
    // Vertex 0 is shared by a triangle of area 2 facing -z and one of area
    // 0.5 facing -x.
    const std::unique_ptr<Mesh> mesh =
        MakeMesh({Point(0, 0, 0), Point(0, 2, 0), Point(2, 0, 0), Point(0, 0, 1), Point(0, 1, 0)},
                 {{0, 1, 2}, {0, 3, 4}});
    ASSERT_EQ(kOk, ComputeNormals(*mesh));
    const auto vertices = mesh->VerticesAs<TestVertex>();
    EXPECT_TRUE(VectorNear(vertices[0].normal, Vec3Normalize({-0.5f, 0, -2}), 1e-6f));
    EXPECT_TRUE(VectorNear(vertices[1].normal, {0, 0, -1}, 1e-6f));
    EXPECT_TRUE(VectorNear(vertices[3].normal, {-1, 0, 0}, 1e-6f));
}

TEST(MeshNormalsTest, SplitVerticesKeepTheirSidesNormal) {
    const std::unique_ptr<Mesh> box = MakeBox({-1, -1, -1}, {1, 1, 1});
    std::vector<Vector3> expected;
    for (TestVertex& vertex : box->EditVerticesAs<TestVertex>()) {
        expected.push_back(vertex.normal);
        vertex.normal = {};
    }
    ASSERT_EQ(kOk, ComputeNormals(*box));
    const auto vertices = box->VerticesAs<TestVertex>();
    for (size_t v = 0; v < vertices.size(); ++v) {
        EXPECT_TRUE(VectorNear(vertices[v].normal, expected[v], 1e-6f)) << "vertex " << v;
    }
}

TEST(MeshNormalsTest, MeshWithoutNormalsIsRefused) {
    std::unique_ptr<Mesh> mesh;
    ASSERT_EQ(kOk, Mesh::Create(1, 3, 0, kFvfXyz | kFvfTex1, nullptr, &mesh));
    EXPECT_EQ(kErrInvalidCall, ComputeNormals(*mesh));
}

}  // namespace
}  // namespace gfx::test
