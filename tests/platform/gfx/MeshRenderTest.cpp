#include <gtest/gtest.h>

#include "DeviceFixture.h"
#include "MeshBuilders.h"
#include "platform/gfx/Mesh.h"

namespace gfx::test {
namespace {

class MeshRenderTest : public DeviceTest {
protected:
    // Two quads facing the viewer in clip space: the left half has attribute
    // 1, the right half attribute 0, their faces interleaved.
    std::unique_ptr<Mesh> MakeHalves(uint32_t options) {
        std::vector<TestVertex> vertices;
        for (float x0 : {-1.0f, 0.0f}) {
            for (auto [x, y] :
                 {std::pair{x0, -1.0f}, {x0, 1.0f}, {x0 + 1, 1.0f}, {x0 + 1, -1.0f}}) {
                vertices.push_back({{x, y, 0.5f}, {0, 0, -1}});
            }
        }
        return MakeMesh(vertices, {{0, 1, 2}, {4, 5, 6}, {0, 2, 3}, {4, 6, 7}}, {1, 0, 1, 0},
                        options, m_device.get());
    }

    // Lit by nothing but its own glow, so each subset shows its material.
    void UseColour(float r, float g, float b) {
        Material material;
        material.emissive = {r, g, b, 1};
        m_device->SetMaterial(material);
    }

    void ClearToBlack() { m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0); }
};

TEST_F(MeshRenderTest, DrawSubsetDrawsOnlyTheFacesOfItsAttribute) {
    for (bool sorted : {false, true}) {
        SCOPED_TRACE(sorted ? "attribute table" : "faces found by attribute");
        const std::unique_ptr<Mesh> mesh = MakeHalves(0);
        if (sorted) {
            ASSERT_EQ(kOk, mesh->Optimize(kMeshOptAttrSort));
        }
        ClearToBlack();
        UseColour(0, 1, 0);
        ASSERT_EQ(kOk, mesh->DrawSubset(1));
        std::vector<uint8_t> pixels = ReadBack();
        EXPECT_TRUE(Near(At(pixels, -0.5f, 0.3f), Rgb{0, 255, 0}));
        EXPECT_TRUE(Near(At(pixels, -0.2f, -0.7f), Rgb{0, 255, 0}));
        EXPECT_TRUE(Near(At(pixels, 0.5f, 0.3f), {0, 0, 0}));

        UseColour(1, 0, 0);
        ASSERT_EQ(kOk, mesh->DrawSubset(0));
        ASSERT_EQ(kOk, mesh->DrawSubset(7));  // no such faces: nothing drawn
        pixels = ReadBack();
        EXPECT_TRUE(Near(At(pixels, -0.5f, 0.3f), Rgb{0, 255, 0}));
        EXPECT_TRUE(Near(At(pixels, 0.5f, 0.3f), {255, 0, 0}));
        EXPECT_TRUE(Near(At(pixels, 0.8f, -0.7f), {255, 0, 0}));
    }
}

TEST_F(MeshRenderTest, EditsReachTheNextDraw) {
    for (uint32_t options : {0u, kMesh32Bit}) {
        SCOPED_TRACE(options);
        const std::unique_ptr<Mesh> mesh = MakeHalves(options);
        UseColour(1, 0, 0);
        ClearToBlack();
        ASSERT_EQ(kOk, mesh->DrawSubset(0));
        EXPECT_TRUE(Near(At(ReadBack(), 0.5f, 0.0f), {255, 0, 0}));

        // The right quad moves left; then its faces take the other attribute.
        for (TestVertex& vertex : mesh->EditVerticesAs<TestVertex>().subspan(4)) {
            vertex.position.x -= 1.0f;
        }
        ClearToBlack();
        ASSERT_EQ(kOk, mesh->DrawSubset(0));
        std::vector<uint8_t> pixels = ReadBack();
        EXPECT_TRUE(Near(At(pixels, -0.5f, 0.0f), {255, 0, 0}));
        EXPECT_TRUE(Near(At(pixels, 0.5f, 0.0f), {0, 0, 0}));

        if (options == kMesh32Bit) {
            mesh->EditIndices32()[3 * 3 + 1] = 3;  // half of the moved quad folds away
        } else {
            mesh->EditIndices16()[3 * 3 + 1] = 3;
        }
        ClearToBlack();
        ASSERT_EQ(kOk, mesh->DrawSubset(0));
        pixels = ReadBack();
        EXPECT_TRUE(Near(At(pixels, -0.8f, 0.7f), {255, 0, 0}));
        EXPECT_TRUE(Near(At(pixels, -0.2f, -0.7f), {0, 0, 0}));
    }
}

TEST_F(MeshRenderTest, MeshWithoutDeviceCannotDraw) {
    const std::unique_ptr<Mesh> mesh = MakeBox({-1, -1, -1}, {1, 1, 1});
    EXPECT_EQ(kErrInvalidCall, mesh->DrawSubset(0));
}

}  // namespace
}  // namespace gfx::test
