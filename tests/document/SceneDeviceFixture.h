#pragma once

// A scene store drawing on offscreen EGL devices through a render target
// whose device the test chooses, with an open document for its objects, a
// folder for texture files and the messages shown kept. Two contexts are
// made once per test binary, so that a scene can move from a device on one
// to a device on the other.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/DesignScene.h"
#include "foundation/Prompt.h"
#include "objects/FakeDocumentServices.h"
#include "platform/gfx/Adapter.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

class SceneRenderTargetStub : public ISceneRenderTarget {
public:
    [[nodiscard]] gfx::Device* GetDevice() const override { return device; }
    // Lit, depth-tested and culled as the 3D view draws.
    void SetDefaultRenderStates() override {
        device->SetRenderState(gfx::RenderState::Lighting, 1);
        device->SetRenderState(gfx::RenderState::ZEnable, 1);
        device->SetRenderState(gfx::RenderState::CullMode, gfx::kCullCcw);
        device->SetRenderState(gfx::RenderState::Ambient, 0xFF303030);
    }
    void DrawGrid() override {}
    [[nodiscard]] bool IsOrthographic() const override { return false; }
    [[nodiscard]] float GetEyeHeight() const override { return 0.0f; }

    gfx::Device* device = nullptr;
};

class SceneDeviceTest : public ::testing::Test {
protected:
    static constexpr int kSide = 64;

    static void SetUpTestSuite() {
        for (auto& context : s_contexts) {
            if (!context) {
                context = gfx::EglOffscreenContext::Create(kSide, kSide, &s_error);
            }
        }
    }

    void SetUp() override {
        for (const auto& context : s_contexts) {
            ASSERT_TRUE(context) << s_error;
        }
        device = MakeDevice(0);
        ASSERT_TRUE(device);
        target.device = device.get();
        scene = std::make_unique<CDesignScene>();
        scene->SetRenderTarget(&target);
    }

    void TearDown() override { scene.reset(); }

    // A device with depth and stencil on context 0 or 1.
    static std::unique_ptr<gfx::Device> MakeDevice(int context) {
        gfx::EglOffscreenContext* window = s_contexts[context].get();
        std::unique_ptr<gfx::Adapter> adapter = gfx::Adapter::Create(*window);
        gfx::PresentParameters params;
        params.backBufferWidth = kSide;
        params.backBufferHeight = kSide;
        params.backBufferFormat = gfx::Format::A8R8G8B8;
        params.deviceWindow = window;
        params.enableAutoDepthStencil = true;
        params.autoDepthStencilFormat = gfx::Format::D24S8;
        std::unique_ptr<gfx::Device> made;
        if (!adapter || gfx::Failed(adapter->CreateDevice(gfx::DeviceType::Hal, window,
                                                          gfx::kCreateHardwareVertexProcessing,
                                                          &params, &made))) {
            return nullptr;
        }
        return made;
    }

    // A BMP file of width x height pixels, colour(x, y) each, in the test's
    // folder; its path.
    template <typename Colour>
    std::string WriteBitmap(const std::string& relativePath, int width, int height, Colour colour) {
        image::CImage picture;
        EXPECT_TRUE(picture.Create(width, height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                picture.SetPixelColor(x, y, colour(x, y));
            }
        }
        const std::filesystem::path path = folder.Path() / relativePath;
        std::filesystem::create_directories(path.parent_path());
        EXPECT_TRUE(picture.Save(path.string(), image::ImageFormat::Bmp));
        return path.string();
    }

    static uint32_t PixelOf(gfx::Texture* texture, uint32_t x, uint32_t y) {
        gfx::LockedRect locked;
        EXPECT_EQ(gfx::kOk, texture->LockRect(0, &locked, gfx::kLockReadOnly));
        const auto* row = reinterpret_cast<const uint8_t*>(locked.bits) + y * locked.pitch;
        const uint32_t pixel = reinterpret_cast<const uint32_t*>(row)[x];
        texture->UnlockRect(0);
        return pixel;
    }

    inline static std::unique_ptr<gfx::EglOffscreenContext> s_contexts[2];
    inline static std::string s_error;

    FakeDocumentServices services;
    TempFolder folder;
    std::vector<std::string> messages;
    CScopedPromptHandlers prompts{[this](const MessageRequest& request) {
        messages.push_back(request.text);
        return PromptAnswer::Ok;
    }};
    std::unique_ptr<gfx::Device> device;
    SceneRenderTargetStub target;
    // Made after the device and let go before it.
    std::unique_ptr<CDesignScene> scene;
};
