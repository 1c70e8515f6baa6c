#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "FrameFixture.h"
#include "objects/LightObject.h"
#include "objects/PhotoObject.h"
#include "objects/Text3DObject.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

// The stored picture is the back buffer shrunk four times, so that it stays
// small and a pixel's worth of difference in an edge weighs little.
constexpr int kShrink = 4;
constexpr int kImageWidth = 1024 / kShrink;
constexpr int kImageHeight = 768 / kShrink;

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

    // The back buffer averaged over kShrink x kShrink blocks.
    image::CImage ShrunkFrame() {
        std::vector<uint8_t> pixels;
        EXPECT_EQ(gfx::kOk, Device()->GetBackBufferPixels(&pixels));
        image::CImage shrunk;
        EXPECT_TRUE(shrunk.Create(kImageWidth, kImageHeight));
        for (int y = 0; y < kImageHeight; ++y) {
            for (int x = 0; x < kImageWidth; ++x) {
                int sum[3] = {};
                for (int dy = 0; dy < kShrink; ++dy) {
                    for (int dx = 0; dx < kShrink; ++dx) {
                        const size_t at =
                            (size_t(y * kShrink + dy) * 1024 + size_t(x * kShrink + dx)) * 4;
                        for (int c = 0; c < 3; ++c) {
                            sum[c] += pixels[at + size_t(c)];
                        }
                    }
                }
                const int n = kShrink * kShrink;
                shrunk.SetPixelColor(x, y,
                                     image::Color{uint8_t(sum[2] / n), uint8_t(sum[1] / n),
                                                  uint8_t(sum[0] / n), 255});
            }
        }
        return shrunk;
    }

    static int CountDifferingPixels(const image::CImage& got, const image::CImage& want) {
        int differing = 0;
        for (int y = 0; y < kImageHeight; ++y) {
            for (int x = 0; x < kImageWidth; ++x) {
                const image::Color a = got.GetPixelColor(x, y);
                const image::Color b = want.GetPixelColor(x, y);
                const int d =
                    std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
                if (d > 40) {
                    ++differing;
                }
            }
        }
        return differing;
    }

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
    const image::CImage frame = ShrunkFrame();

    const std::filesystem::path golden =
        std::filesystem::path(VELMORA_TEST_DATA_DIR) / "view3d/furnished-room.png";
    if (std::getenv("VELMORA_UPDATE_GOLDEN") != nullptr) {
        std::filesystem::create_directories(golden.parent_path());
        ASSERT_TRUE(frame.Save(golden.string(), image::ImageFormat::Png));
    }
    image::CImage expected;
    ASSERT_TRUE(expected.Load(golden.string())) << golden;
    ASSERT_EQ(expected.GetWidth(), kImageWidth);
    ASSERT_EQ(expected.GetHeight(), kImageHeight);
    const int differing = CountDifferingPixels(frame, expected);
    // Rasterisers may place edges and glyph curves a little differently.
    EXPECT_LE(differing, kImageWidth * kImageHeight / 100);
    if (differing > 0) {
        const auto actual = std::filesystem::temp_directory_path() / "furnished-room-actual.png";
        frame.Save(actual.string(), image::ImageFormat::Png);
        std::cerr << differing << " pixels differ; the frame is in " << actual << "\n";
    }
}

}  // namespace
