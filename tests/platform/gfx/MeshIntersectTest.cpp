#include "platform/gfx/MeshIntersect.h"

#include <gtest/gtest.h>

#include "MathExpect.h"
#include "MeshBuilders.h"

namespace gfx::test {
namespace {

class MeshIntersectTest : public testing::Test {
protected:
    std::unique_ptr<Mesh> m_box = MakeBox({-1, -1, -1}, {1, 1, 1});
};

TEST_F(MeshIntersectTest, RayHitsTheSideItEntersFirst) {
    struct Case {
        Vector3 origin;
        Vector3 direction;
        uint32_t side;
        float distance;
    };
    const Case cases[] = {
        {{-5, 0.3f, 0.2f}, {1, 0, 0}, 0, 4},  {{5, 0.3f, 0.2f}, {-1, 0, 0}, 1, 4},
        {{0.2f, -5, 0.3f}, {0, 1, 0}, 2, 4},  {{0.2f, 5, 0.3f}, {0, -1, 0}, 3, 4},
        {{0.5f, -0.5f, -5}, {0, 0, 2}, 4, 2},  // the ray parameter, not a length
        {{0, 0, 0}, {0, 0, 1}, 5, 1},          // from inside: the far side only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        const std::optional<MeshHit> hit = IntersectMesh(*m_box, c.origin, c.direction);
        ASSERT_TRUE(hit);
        EXPECT_EQ(c.side, hit->face / 2);
        EXPECT_FLOAT_EQ(c.distance, hit->distance);
        const auto [i0, i1, i2] = m_box->GetFace(hit->face);
        EXPECT_TRUE(VectorNear(Vec3BaryCentric(m_box->GetPosition(i0), m_box->GetPosition(i1),
                                               m_box->GetPosition(i2), hit->u, hit->v),
                               c.origin + hit->distance * c.direction, 1e-5f));
    }
}

// On the -z side (0.5, -0.5) lies in the face (c0, c2, c3) = ((-1, -1),
// (1, 1), (1, -1)): (-1, -1) + 0.25 (2, 2) + 0.5 (2, 0). On the +z side,
// wound the other way, in ((-1, -1), (1, -1), (1, 1)) with u and v swapped.
TEST_F(MeshIntersectTest, AllHitsInFaceOrderWithTheirBarycentricCoordinates) {
    const std::vector<MeshHit> hits = IntersectMeshAll(*m_box, {0.5f, -0.5f, -5}, {0, 0, 1});
    ASSERT_EQ(2u, hits.size());
    EXPECT_EQ(9u, hits[0].face);
    EXPECT_FLOAT_EQ(0.25f, hits[0].u);
    EXPECT_FLOAT_EQ(0.5f, hits[0].v);
    EXPECT_FLOAT_EQ(4.0f, hits[0].distance);
    EXPECT_EQ(10u, hits[1].face);
    EXPECT_FLOAT_EQ(0.5f, hits[1].u);
    EXPECT_FLOAT_EQ(0.25f, hits[1].v);
    EXPECT_FLOAT_EQ(6.0f, hits[1].distance);

    const std::optional<MeshHit> nearest = IntersectMesh(*m_box, {0.5f, -0.5f, -5}, {0, 0, 1});
    ASSERT_TRUE(nearest);
    EXPECT_EQ(9u, nearest->face);
}

TEST_F(MeshIntersectTest, RayAlongADiagonalTakesTheLowerFaceOfATie) {
    const Vector3 origin{0.25f, 0.25f, -5};
    const std::optional<MeshHit> nearest = IntersectMesh(*m_box, origin, {0, 0, 1});
    ASSERT_TRUE(nearest);
    EXPECT_EQ(8u, nearest->face);
    EXPECT_EQ(4u, IntersectMeshAll(*m_box, origin, {0, 0, 1}).size());
}

TEST_F(MeshIntersectTest, MissesFindNothing) {
    const std::pair<Vector3, Vector3> rays[] = {
        {{2, 0, -5}, {0, 0, 1}},     // beside the box
        {{0, 0, -5}, {0, 0, -1}},    // the box is behind the origin
        {{0, 0, -1.5f}, {1, 0, 0}},  // parallel to a side, in front of it
    };
    for (const auto& [origin, direction] : rays) {
        SCOPED_TRACE(testing::PrintToString(origin));
        EXPECT_FALSE(IntersectMesh(*m_box, origin, direction));
        EXPECT_TRUE(IntersectMeshAll(*m_box, origin, direction).empty());
    }
}

}  // namespace
}  // namespace gfx::test
