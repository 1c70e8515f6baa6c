#pragma once

// A device on an offscreen EGL context for the tests that need real
// textures. The context is made once and kept for the whole test binary.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Adapter.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "platform/gfx/Texture.h"

class OffscreenDeviceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!s_context) {
            s_context = gfx::EglOffscreenContext::Create(32, 32, &s_error);
        }
    }

    void SetUp() override {
        ASSERT_TRUE(s_context) << s_error;
        m_adapter = gfx::Adapter::Create(*s_context);
        ASSERT_TRUE(m_adapter);
        gfx::PresentParameters params;
        params.backBufferWidth = 32;
        params.backBufferHeight = 32;
        params.backBufferFormat = gfx::Format::A8R8G8B8;
        params.deviceWindow = s_context.get();
        ASSERT_EQ(gfx::kOk, m_adapter->CreateDevice(gfx::DeviceType::Hal, s_context.get(),
                                                    gfx::kCreateHardwareVertexProcessing, &params,
                                                    &m_device));
    }

    // A texture whose pixels count up from seed; the caller owns its one
    // reference.
    gfx::Texture* MakeTexture(std::uint32_t width, std::uint32_t height, std::uint32_t seed) {
        std::vector<std::uint32_t> pixels(std::size_t{width} * height);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = 0xFF000000u | (seed + static_cast<std::uint32_t>(i));
        }
        gfx::Texture* texture = nullptr;
        EXPECT_EQ(gfx::kOk, m_device->CreateTextureFromPixels(width, height, pixels.data(), 1,
                                                              gfx::Format::A8R8G8B8, &texture));
        return texture;
    }

    static std::uint32_t RefCount(gfx::Texture* texture) {
        texture->AddRef();
        return texture->Release();
    }

    static std::vector<std::uint32_t> Pixels(gfx::Texture* texture) {
        gfx::LockedRect locked;
        EXPECT_EQ(gfx::kOk, texture->LockRect(0, &locked, gfx::kLockReadOnly));
        const auto* bits = static_cast<const std::uint32_t*>(locked.bits);
        std::vector<std::uint32_t> pixels(
            bits, bits + std::size_t{texture->GetWidth(0)} * texture->GetHeight(0));
        texture->UnlockRect(0);
        return pixels;
    }

    inline static std::unique_ptr<gfx::EglOffscreenContext> s_context;
    inline static std::string s_error;
    std::unique_ptr<gfx::Adapter> m_adapter;
    std::unique_ptr<gfx::Device> m_device;
};
