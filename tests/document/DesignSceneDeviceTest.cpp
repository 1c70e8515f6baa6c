#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <vector>

#include "SceneDeviceFixture.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/VectorMath.h"
#include "platform/gfx/VertexBuffer.h"
#include "support/RecordingProgress.h"

namespace {

class DesignSceneDeviceTest : public SceneDeviceTest {
protected:
    // A white box lit by the scene's lights, wearing texture.
    CTest3DObject* AddBox(float x, gfx::Texture* texture) {
        auto* box = new CTest3DObject(kModelObjectType);
        box->MakeBox({-6, -6, -6}, {6, 6, 6}, 1, device.get());
        gfx::Material white;
        white.diffuse = {1, 1, 1, 1};
        white.ambient = {1, 1, 1, 1};
        box->SetMaterial(0, white);
        box->SetTexturePointer(0, texture);
        box->TextureNames()[0] = "stripes.bmp";
        box->UpdateTranslucency();
        box->SetPosition(x, 0, 0);
        scene->AddObjectIfAbsent(kModelObjectType, box);
        return box;
    }

    // A white light shining along +z, away from the camera.
    CLightObject* AddLight() {
        auto* light = new CLightObject();
        light->SetDevice(device.get());
        light->SetNumber(0);
        gfx::Light& settings = light->LightSettings();
        settings.type = gfx::LightType::Directional;
        settings.diffuse = {1, 1, 1, 1};
        settings.direction = {0, 0, 1};
        light->ApplyLight();
        light->Enable();
        scene->AddObjectIfAbsent(kLightObjectType, light);
        return light;
    }

    // The scene seen from 60 in front, as B, G, R, A bytes.
    std::vector<uint8_t> RenderFrame(gfx::Device& on) {
        on.Clear(gfx::kClearTarget | gfx::kClearZBuffer, 0xFF000040, 1.0f, 0);
        on.BeginScene();
        on.SetTransform(gfx::TransformType::View,
                        gfx::MatrixLookAtLH({0, 0, -60}, {0, 0, 0}, {0, 1, 0}));
        on.SetTransform(gfx::TransformType::Projection,
                        gfx::MatrixPerspectiveFovLH(std::numbers::pi_v<float> / 3, 1, 1, 500));
        scene->RenderScene();
        on.EndScene();
        std::vector<uint8_t> pixels;
        EXPECT_EQ(gfx::kOk, on.GetBackBufferPixels(&pixels));
        return pixels;
    }

    static int LargestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        int largest = 0;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
            largest = std::max(largest, std::abs(int{a[i]} - int{b[i]}));
        }
        return largest;
    }

    // The blue and red of the back-buffer pixel at (x, y).
    static std::pair<int, int> BlueRedAt(const std::vector<uint8_t>& pixels, int x, int y) {
        const uint8_t* p = &pixels[(static_cast<std::size_t>(y) * kSide + x) * 4];
        return {p[0], p[2]};
    }
};

}  // namespace

TEST_F(DesignSceneDeviceTest, MovedSceneDrawsTheSameFrameOnTheNewDevice) {
    // Red on the left half, blue on the right, shared by both boxes.
    const std::string stripes = WriteBitmap("stripes.bmp", 4, 4, [](int x, int) {
        return x < 2 ? image::Color{255, 0, 0, 255} : image::Color{0, 0, 255, 255};
    });
    const std::string unworn = WriteBitmap("unworn.bmp", 2, 2, [](int, int) {
        return image::Color{1, 2, 3, 255};
    });
    gfx::Texture* shared = nullptr;
    gfx::Texture* spare = nullptr;
    ASSERT_EQ(scene->GetTexture(stripes, 0, &shared, nullptr), S_OK);
    ASSERT_EQ(scene->GetTexture(unworn, 0, &spare, nullptr), S_OK);
    CTest3DObject* left = AddBox(-12, shared);
    CTest3DObject* right = AddBox(12, shared);
    AddLight();
    ASSERT_TRUE(scene->CreateGridLineBuffers(300, 200));
    ASSERT_TRUE(scene->CreateScreenOverlay(kSide, kSide, {0, 0, 0, 0.4f}));

    const std::vector<uint8_t> before = RenderFrame(*device);
    // The lit boxes show both stripes of their texture.
    const auto [leftBlue, leftRed] = BlueRedAt(before, 15, 32);
    EXPECT_GT(leftRed + leftBlue, 150) << "the left box is lit and textured";

    // As the switch does it: the old device goes first, then its objects
    // move to the new one.
    std::unique_ptr<gfx::Device> second = MakeDevice(1);
    ASSERT_TRUE(second);
    device.reset();
    target.device = second.get();
    RecordingProgress progress;
    scene->RecreateDeviceObjects(second.get());

    ASSERT_EQ(progress.windows.size(), 1u);
    EXPECT_EQ(progress.windows[0].request.text, "執行硬體加速切換...");
    EXPECT_EQ(progress.windows[0].request.range, 3);
    EXPECT_EQ(progress.windows[0].steps, 3);
    EXPECT_TRUE(progress.windows[0].closed);

    EXPECT_EQ(left->GetTexture(0), right->GetTexture(0)) << "a shared texture is moved once";
    EXPECT_EQ(left->GetTexture(0)->GetDevice(), second.get());
    EXPECT_EQ(left->GetDevice(), second.get());
    for (const auto& entry : scene->GetTextureCache().GetEntries()) {
        EXPECT_EQ(entry->GetTexture()->GetDevice(), second.get()) << entry->GetName();
    }
    gfx::Texture* again = nullptr;
    ASSERT_EQ(scene->GetTexture(stripes, 0, &again, nullptr), S_OK);
    EXPECT_EQ(again, left->GetTexture(0));
    EXPECT_EQ(scene->GetGridLineBuffer(0)->GetDevice(), second.get());
    EXPECT_EQ(scene->GetGridLineBuffer(1)->GetDevice(), second.get());
    EXPECT_EQ(scene->GetScreenOverlay()->GetDevice(), second.get());

    const std::vector<uint8_t> after = RenderFrame(*second);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_LE(LargestDifference(before, after), 2);
    EXPECT_TRUE(messages.empty());
    scene.reset();
}

namespace {

template <typename T, std::size_t N>
std::array<T, N> ReadBuffer(gfx::VertexBuffer* buffer) {
    std::array<T, N> contents{};
    void* data = nullptr;
    EXPECT_EQ(gfx::kOk, buffer->Lock(0, sizeof(contents), &data, gfx::kLockReadOnly));
    std::memcpy(contents.data(), data, sizeof(contents));
    buffer->Unlock();
    return contents;
}

struct OverlayVertex {
    float x, y, z, rhw;
    uint32_t colour;
};

}  // namespace

TEST_F(DesignSceneDeviceTest, ShadowColourChannelsRoundToBytes) {
    const struct {
        ShadowColor colour;
        uint32_t argb;
    } cases[] = {
        {{0, 0, 0, 0.4f}, 0x66000000},
        {{1, 0.5f, -1, 2}, 0xFFFF8000},
        {{0.998f, 0.001f, 0, 1}, 0xFFFE0000},
        {{std::nanf(""), 0, 0, 0}, 0x00000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CDesignScene::ShadowColourToArgb(c.colour), c.argb);
    }
}

TEST_F(DesignSceneDeviceTest, OverlayQuadCoversTwiceTheWindowInTheShadowColour) {
    ASSERT_TRUE(scene->CreateScreenOverlay(100, 50, {0, 0, 0, 0.4f}));
    EXPECT_EQ(scene->GetScreenOverlay()->GetFvf(), gfx::kFvfXyzRhw | gfx::kFvfDiffuse);
    EXPECT_GT(scene->GetDeviceCapabilities().maxTextureWidth, 0u);
    auto quad = ReadBuffer<OverlayVertex, 4>(scene->GetScreenOverlay());
    const float corners[4][2] = {{0, 100}, {0, 0}, {200, 100}, {200, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(quad[i].x, corners[i][0]);
        EXPECT_EQ(quad[i].y, corners[i][1]);
        EXPECT_EQ(quad[i].z, 0.0f);
        EXPECT_EQ(quad[i].rhw, 1.0f);
        EXPECT_EQ(quad[i].colour, 0x66000000u);
    }
    scene->UpdateScreenOverlayColor({0.2f, 0.4f, 0.6f, 0.8f});
    quad = ReadBuffer<OverlayVertex, 4>(scene->GetScreenOverlay());
    for (const OverlayVertex& vertex : quad) {
        EXPECT_EQ(vertex.colour, 0xCC336699u);
    }
    EXPECT_EQ(quad[2].x, 200.0f);

    target.device = nullptr;
    EXPECT_FALSE(scene->CreateScreenOverlay(100, 50, {0, 0, 0, 0.4f}));
    EXPECT_EQ(scene->GetScreenOverlay(), nullptr);
}

TEST_F(DesignSceneDeviceTest, GridLineBuffersHoldTheTwoAxes) {
    ASSERT_TRUE(scene->CreateGridLineBuffers(300, 200));
    gfx::VertexBuffer* xAxis = scene->GetGridLineBuffer(0);
    ASSERT_NE(xAxis, nullptr);
    using Line = std::array<gfx::Vector3, 2>;
    const auto line = [](gfx::VertexBuffer* buffer) {
        const auto read = ReadBuffer<gfx::Vector3, 2>(buffer);
        return Line{read[0], read[1]};
    };
    EXPECT_EQ(line(xAxis), (Line{gfx::Vector3{0, 0, 0}, gfx::Vector3{300, 0, 0}}));
    EXPECT_EQ(line(scene->GetGridLineBuffer(1)),
              (Line{gfx::Vector3{0, 0, 0}, gfx::Vector3{0, 0, -200}}));

    // The buffers stay; their lines follow the ground.
    ASSERT_TRUE(scene->CreateGridLineBuffers(50, 60));
    EXPECT_EQ(scene->GetGridLineBuffer(0), xAxis);
    EXPECT_EQ(line(xAxis), (Line{gfx::Vector3{0, 0, 0}, gfx::Vector3{50, 0, 0}}));
    EXPECT_TRUE(messages.empty());

    CDesignScene withoutView;
    EXPECT_FALSE(withoutView.CreateGridLineBuffers(300, 200));
    EXPECT_EQ(messages, std::vector<std::string>{"Set Grid error!"});
}

TEST_F(DesignSceneDeviceTest, DeviceLightIsSetUnderTheLightsIndex) {
    CLightObject light;
    light.SetNumber(5);
    light.LightSettings().type = gfx::LightType::Spot;
    light.LightSettings().diffuse = {0.25f, 0.5f, 0.75f, 1};
    scene->SetDeviceLight(light);
    gfx::Light set;
    ASSERT_EQ(gfx::kOk, device->GetLight(5, &set));
    EXPECT_EQ(set.type, gfx::LightType::Spot);
    EXPECT_EQ(set.diffuse.b, 0.75f);
}
