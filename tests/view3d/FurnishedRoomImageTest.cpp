#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameFixture.h"
#include "GoldenFrame.h"
#include "objects/LightObject.h"
#include "objects/PhotoObject.h"
#include "objects/Text3DObject.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

// A room of a floor and two walls with a box of furniture, the three light
// glyphs, a poster whose black border is keyed out and a 3D text, seen from
// the door.
class FurnishedRoomImageTest : public SceneFrameTest {
protected:
    CTest3DObject* AddSolid(int type, const gfx::Vector3& min, const gfx::Vector3& max,
                            const Rgb& colour) {
        auto* box = new CTest3DObject(type);
        box->MakeBox(min, max, 1, Device());
        gfx::Material material;
        material.diffuse = {colour.r / 300.0f, colour.g / 300.0f, colour.b / 300.0f, 1.0f};
        material.ambient = {colour.r / 450.0f, colour.g / 450.0f, colour.b / 450.0f, 1.0f};
        box->SetMaterial(0, material);
        box->UpdateTranslucency();
        box->UpdateWorldMatrix();
        renderer->GetScene().AddObjectIfAbsent(type, box);
        return box;
    }

    void AddLight(int lightType, int index, const gfx::Vector3& position) {
        auto* light = new CLightObject();
        light->SetDevice(Device());
        light->SetNumber(index);
        light->SetLightType(lightType);
        light->SelectGlyphMesh();
        light->SetPosition(position.x, position.y, position.z);
        light->UpdateLight();
        renderer->GetScene().AddObjectIfAbsent(kLightObjectType, light);
    }

    // A red and white poster in a black frame; blending keys the frame out.
    void AddPoster(const gfx::Vector3& position) {
        image::CImage picture;
        ASSERT_TRUE(picture.Create(16, 12));
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 16; ++x) {
                const bool frame = x < 2 || x >= 14 || y < 2 || y >= 10;
                const bool stripe = (x / 3) % 2 == 0;
                const image::Color colour = frame    ? image::Color{0, 0, 0, 255}
                                            : stripe ? image::Color{220, 30, 30, 255}
                                                     : image::Color{250, 250, 250, 255};
                picture.SetPixelColor(x, y, colour);
            }
        }
        const std::string path = (m_pictures.Path() / "poster.bmp").string();
        ASSERT_TRUE(picture.Save(path, image::ImageFormat::Bmp));
        auto* photo = new CPhotoObject();
        photo->SetDevice(Device());
        ASSERT_EQ(photo->BuildMesh(), 1);
        photo->SetBlend(1);
        ASSERT_TRUE(photo->LoadTexture(Device(), 0, path).textured);
        photo->SetPictureSize(120.0f, 90.0f);
        photo->SetPosition(position.x, position.y, position.z);
        photo->UpdateWorldMatrix();
        renderer->GetScene().AddObjectIfAbsent(kPhotoObjectType, photo);
    }

    void AddText(const gfx::Vector3& position) {
        auto* text = new CText3DObject();
        text->SetDevice(Device());
        text->SetText("Hi");
        text->Rebuild();
        ASSERT_NE(text->GetMesh(), nullptr);
        text->SetUniformScale(40.0f / text->GetExtent()[2]);
        text->SetPosition(position.x, position.y, position.z);
        text->UpdateWorldMatrix();
        renderer->GetScene().AddObjectIfAbsent(kText3DObjectType, text);
    }

    gfx::Device* Device() { return renderer->GetEngine().GetDevice(); }

    TempFolder m_pictures;
};

TEST_F(FurnishedRoomImageTest, FurnishedRoomMatchesTheGoldenImage) {
    renderer->OnSize(kWindowWidth, kWindowHeight);
    doc->Settings().showLight = 1;
    AddSolid(kFloorObjectType, {-200, -2, -50}, {200, 0, 300}, {170, 140, 100});
    AddSolid(kWallObjectType, {-200, 0, 300}, {200, 250, 320}, {225, 220, 200});
    AddSolid(kWallObjectType, {-220, 0, -50}, {-200, 250, 320}, {200, 205, 215});
    AddSolid(kModelObjectType, {-140, 0, 150}, {-40, 70, 230}, {60, 110, 170});
    AddLight(1, 0, {-60, 140, 20});
    AddLight(2, 1, {0, 140, 20});
    AddLight(3, 2, {60, 140, 20});
    AddPoster({20, 120, 299});
    AddText({110, 0, 180});
    CHousViewCamera& camera = renderer->GetCamera();
    camera.SetCameraAngles(0.0, 0.3);
    camera.SetCameraPosition({0, 200, -300});
    camera.UpdateCamera();
    ASSERT_TRUE(renderer->RenderFrame());
    std::vector<uint8_t> pixels;
    ASSERT_EQ(gfx::kOk, Device()->GetBackBufferPixels(&pixels));
    ExpectMatchesGolden(ShrinkBackBuffer(pixels), "furnished-room");
}

}  // namespace
