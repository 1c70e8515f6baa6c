#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <span>
#include <string>
#include <vector>

#include "SceneDeviceFixture.h"
#include "document/SelectionMeshExport.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"

namespace {

struct ExportVertex {
    gfx::Vector3 position;
    gfx::Vector3 normal;
    float u = 0.0f;
    float v = 0.0f;
};
static_assert(sizeof(ExportVertex) == 32);

// Two triangles on the slope x + y = 1, each of its own material, with
// the slope's normal at every vertex.
std::unique_ptr<gfx::Mesh> MakeSlope() {
    std::unique_ptr<gfx::Mesh> mesh;
    EXPECT_EQ(gfx::kOk, gfx::Mesh::Create(2, 4, gfx::kMeshManaged, 0x112, nullptr, &mesh));
    const gfx::Vector3 corners[4] = {{1, 0, 0}, {0, 1, 0}, {0, 1, 1}, {1, 0, 1}};
    const float n = std::sqrt(0.5f);
    std::span<ExportVertex> vertices = mesh->EditVerticesAs<ExportVertex>();
    for (int i = 0; i < 4; ++i) {
        vertices[i] = {corners[i], {n, n, 0}, static_cast<float>(i), 0};
    }
    const uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
    std::copy(std::begin(indices), std::end(indices), mesh->EditIndices16().begin());
    mesh->EditAttributes()[0] = 0;
    mesh->EditAttributes()[1] = 1;
    return mesh;
}

class DesignSceneMeshMergeTest : public SceneDeviceTest {
protected:
    CTest3DObject* Add(int type, bool selected) {
        auto* object = new CTest3DObject(type);
        scene->AddObjectIfAbsent(type, object);
        if (selected) {
            scene->SelectObject(type, object);
        }
        return object;
    }

    gfx::Texture* MakeTexture(uint32_t colour) {
        const uint32_t pixels[4] = {colour, colour, colour, colour};
        gfx::Texture* texture = nullptr;
        EXPECT_EQ(gfx::kOk, device->CreateTextureFromPixels(2, 2, pixels, 1, gfx::Format::A8R8G8B8,
                                                            &texture));
        m_textures.push_back(gfx::ResourceRef<gfx::Texture>::Adopt(texture));
        return texture;
    }

private:
    std::vector<gfx::ResourceRef<gfx::Texture>> m_textures;
};

void ExpectNear(const gfx::Vector3& actual, const gfx::Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

}  // namespace

TEST_F(DesignSceneMeshMergeTest, MergedMeshIsInWorldSpaceWithNormalsTurnedAsTheirFaces) {
    // A box wall selected first, yet merged after the model: types go in
    // the order 0, 1, 5, 6, 3, 4.
    CTest3DObject* wall = Add(kWallObjectType, true);
    wall->MakeBox({-1, -1, -1}, {1, 1, 1}, 1);
    wall->SetPosition(0, 50, 0);
    CTest3DObject* model = Add(kModelObjectType, true);
    model->SetMesh(MakeSlope());
    model->ResizeMaterials(2);
    // Stretched along x, then turned a quarter to the right: x goes to z.
    model->SetScale(2, 1, 1);
    model->SetRotation(std::numbers::pi_v<float> / 2, 0, 0);
    model->SetPosition(100, 0, 0);
    Add(kModelObjectType, false)->MakeBox({0, 0, 0}, {1, 1, 1}, 1);
    Add(kLightObjectType, true)->MakeBox({0, 0, 0}, {1, 1, 1}, 1);

    int faces = 0;
    int vertices = 0;
    int materials = 0;
    scene->CountSelectedMeshTotals(&faces, &vertices, &materials);
    EXPECT_EQ(faces, 2 + 12);
    EXPECT_EQ(vertices, 4 + 24);
    EXPECT_EQ(materials, 2 + 1);

    std::unique_ptr<gfx::Mesh> merged;
    SelectionMeshExport exported;
    std::string error;
    ASSERT_TRUE(scene->MergeSelectedMeshes(&merged, &exported, &error)) << error;
    ASSERT_EQ(merged->GetNumFaces(), 14u);
    ASSERT_EQ(merged->GetNumVertices(), 28u);
    EXPECT_EQ(exported.materials.size(), 3u);
    EXPECT_EQ(exported.textures.size(), 3u);

    const std::span<const ExportVertex> placed = merged->VerticesAs<ExportVertex>();
    // (1, 0, 0) stretched to (2, 0, 0), turned to (0, 0, 2), moved by 100;
    // (0, 1, 1) is not stretched, and turns to (-1, 1, 0).
    ExpectNear(placed[0].position, {100, 0, 2});
    ExpectNear(placed[2].position, {99, 1, 0});
    // The slope x / 2 + y = 1 after the stretch faces (1, 2, 0); turned,
    // (0, 2, 1). Carried by the placement itself it would lean the other
    // way, and copied it would not turn at all.
    const float fifth = 1.0f / std::sqrt(5.0f);
    for (int i = 0; i < 4; ++i) {
        ExpectNear(placed[i].normal, {0, 2 * fifth, fifth});
        EXPECT_EQ(placed[i].u, static_cast<float>(i));
    }
    // The wall's vertices, indices and materials follow the model's.
    ExpectNear(placed[4].position, wall->GetMesh()->GetPosition(0) + gfx::Vector3{0, 50, 0});
    ExpectNear(placed[4].normal, wall->GetMesh()->VerticesAs<ExportVertex>()[0].normal);
    EXPECT_EQ(merged->GetIndex(6), wall->GetMesh()->GetIndex(0) + 4u);
    EXPECT_EQ(merged->Attributes()[0], 0u);
    EXPECT_EQ(merged->Attributes()[1], 1u);
    EXPECT_EQ(merged->Attributes()[2], 2u);
}

TEST_F(DesignSceneMeshMergeTest, EachTextureIsSavedOnceAndNamedByItsFile) {
    gfx::Texture* oak = MakeTexture(0xFF806040);
    CTest3DObject* first = Add(kModelObjectType, true);
    first->MakeBox({0, 0, 0}, {1, 1, 1}, 3);
    first->TextureNames() = {"/library/STexture/oak.jpg", C3DObject::kNoTextureName,
                             // 54 bytes in CP950: cut to 49, before the
                             // character the 49th byte begins.
                             "/x/" + std::string(46, 'a') + "木紋.bmp"};
    first->SetTexturePointer(0, oak);
    first->SetTexturePointer(2, MakeTexture(0xFF000000));
    CTest3DObject* second = Add(kFloorObjectType, true);
    second->MakeBox({0, 0, 0}, {1, 1, 1}, 1);
    second->TextureNames() = {"D:\\other\\oak.jpg"};
    second->SetTexturePointer(0, oak);

    std::unique_ptr<gfx::Mesh> merged;
    SelectionMeshExport exported;
    std::string error;
    ASSERT_TRUE(scene->MergeSelectedMeshes(&merged, &exported, &error)) << error;
    ASSERT_EQ(exported.materials.size(), 4u);
    const std::vector<std::string> names = {"oak.jpg", "", std::string(46, 'a') + "木", "oak.jpg"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(exported.materials[i].textureFile, names[i]);
        EXPECT_EQ(exported.textures[i].name, names[i]);
    }
    EXPECT_EQ(exported.textures[1].bytes, nullptr);
    ASSERT_NE(exported.textures[0].bytes, nullptr);
    EXPECT_EQ(exported.textures[0].bytes, exported.textures[3].bytes) << "one picture, shared";
    EXPECT_NE(exported.textures[2].bytes, exported.textures[0].bytes);
    EXPECT_EQ(exported.textureCount, 3);
    image::CImage picture;
    ASSERT_TRUE(picture.Decode(exported.textures[0].bytes->data(),
                               exported.textures[0].bytes->size(), image::ImageFormat::Bmp));
    EXPECT_EQ(picture.GetPixelColor(1, 1), (image::Color{0x80, 0x60, 0x40, 255}));
}

TEST_F(DesignSceneMeshMergeTest, SelectionTooLargeForOneMeshIsRefused) {
    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<gfx::Mesh> mesh;
        ASSERT_EQ(gfx::kOk, gfx::Mesh::Create(1, 40000, gfx::kMeshManaged, 0x112, nullptr, &mesh));
        CTest3DObject* object = Add(kModelObjectType, true);
        object->SetMesh(std::move(mesh));
    }
    std::unique_ptr<gfx::Mesh> merged;
    SelectionMeshExport exported;
    std::string error;
    EXPECT_FALSE(scene->MergeSelectedMeshes(&merged, &exported, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(merged, nullptr);
    EXPECT_TRUE(exported.materials.empty());
}
