#pragma once

// A device on an offscreen context for the rendering tests: a small back
// buffer with depth, stencil and the most samples the driver offers. The
// context is made once per test binary; each test gets a fresh device.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Adapter.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"

namespace gfx::test {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

inline void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// Colours the drawing tests clear and draw with, as ARGB and as read back.
inline constexpr uint32_t kRed = 0xFFFF0000;
inline constexpr uint32_t kGreen = 0xFF00FF00;
inline constexpr uint32_t kBlue = 0xFF0000FF;
inline constexpr Rgb kRgbRed{255, 0, 0};
inline constexpr Rgb kRgbGreen{0, 255, 0};
inline constexpr Rgb kRgbBlack{0, 0, 0};

// Vertex of FVF XYZ | DIFFUSE.
struct ColorVertex {
    float x, y, z;
    uint32_t color;
};
inline constexpr uint32_t kColorVertexFvf = kFvfXyz | kFvfDiffuse;

// Vertex of FVF XYZ | NORMAL.
struct LitVertex {
    float x, y, z;
    float nx, ny, nz;
};
inline constexpr uint32_t kLitVertexFvf = kFvfXyz | kFvfNormal;

// Vertex of FVF XYZ | NORMAL | TEX1 (32 bytes).
struct MeshVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(MeshVertex) == 32);
inline constexpr uint32_t kMeshVertexFvf = kFvfXyz | kFvfNormal | kFvfTex1;

class DeviceTest : public testing::Test {
protected:
    static constexpr uint32_t kWidth = 64;
    static constexpr uint32_t kHeight = 48;

    static void SetUpTestSuite() {
        std::string error;
        s_context = EglOffscreenContext::Create(32, 24, &error);
        s_error = error;
    }
    static void TearDownTestSuite() { s_context.reset(); }

    void SetUp() override {
        ASSERT_TRUE(s_context) << s_error;
        m_adapter = Adapter::Create(*s_context);
        ASSERT_TRUE(m_adapter);
        ASSERT_EQ(kOk, CreateDevice(Format::D24S8, BestSampleCount()));
    }

    Result CreateDevice(Format depth, MultisampleType samples) {
        m_device.reset();
        m_params = PresentParameters();
        m_params.backBufferWidth = kWidth;
        m_params.backBufferHeight = kHeight;
        m_params.backBufferFormat = Format::A8R8G8B8;
        m_params.multiSampleType = samples;
        m_params.deviceWindow = s_context.get();
        m_params.enableAutoDepthStencil = true;
        m_params.autoDepthStencilFormat = depth;
        return m_adapter->CreateDevice(DeviceType::Hal, s_context.get(),
                                       kCreateHardwareVertexProcessing, &m_params, &m_device);
    }

    MultisampleType BestSampleCount() {
        for (MultisampleType samples = 16; samples >= 2; --samples) {
            if (Succeeded(m_adapter->CheckDeviceMultiSampleType(DeviceType::Hal, Format::A8R8G8B8,
                                                                true, samples, nullptr))) {
                return samples;
            }
        }
        return 0;
    }

    // Unlit drawing straight in clip space: identity transforms.
    void UseScreenSpace() {
        m_device->SetRenderState(RenderState::Lighting, 0);
        m_device->SetFVF(kColorVertexFvf);
    }

    void DrawTriangles(const std::vector<ColorVertex>& vertices) {
        ASSERT_EQ(kOk, m_device->DrawPrimitiveUP(PrimitiveType::TriangleList,
                                                 static_cast<uint32_t>(vertices.size() / 3),
                                                 vertices.data(), sizeof(ColorVertex)));
    }

    // Two clockwise triangles covering x0..x1, y0..y1 (clip space, y up).
    static std::vector<ColorVertex> Quad(float x0, float y0, float x1, float y1, float z,
                                         uint32_t color) {
        return {{x0, y0, z, color}, {x0, y1, z, color}, {x1, y1, z, color},
                {x0, y0, z, color}, {x1, y1, z, color}, {x1, y0, z, color}};
    }

    std::vector<uint8_t> ReadBack() {
        std::vector<uint8_t> pixels;
        EXPECT_EQ(kOk, m_device->GetBackBufferPixels(&pixels));
        EXPECT_EQ(pixels.size(), size_t{kWidth} * kHeight * 4);
        return pixels;
    }

    // The pixel under a clip-space point, from a top-down read-back.
    static Rgb At(const std::vector<uint8_t>& pixels, float x, float y, uint32_t width = kWidth,
                  uint32_t height = kHeight) {
        const auto px = static_cast<size_t>((x + 1.0f) * 0.5f * static_cast<float>(width));
        const auto py = static_cast<size_t>((1.0f - y) * 0.5f * static_cast<float>(height));
        const uint8_t* p = &pixels[(py * width + px) * 4];
        return {p[2], p[1], p[0]};
    }

    static ::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected,
                                           int tolerance = 2) {
        if (std::abs(actual.r - expected.r) <= tolerance &&
            std::abs(actual.g - expected.g) <= tolerance &&
            std::abs(actual.b - expected.b) <= tolerance) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "got (" << actual.r << ", " << actual.g << ", " << actual.b << "), expected ("
               << expected.r << ", " << expected.g << ", " << expected.b << ")";
    }

    inline static std::unique_ptr<EglOffscreenContext> s_context;
    inline static std::string s_error;
    std::unique_ptr<Adapter> m_adapter;
    std::unique_ptr<Device> m_device;
    PresentParameters m_params;
};

}  // namespace gfx::test
