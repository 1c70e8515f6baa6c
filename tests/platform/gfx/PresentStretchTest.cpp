// Present stretches the back buffer over a window of any size as a linear
// blit of the resolved picture would, and the device's own states hold for
// the draws that follow.

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "DeviceFixture.h"

namespace gfx::test {
namespace {

constexpr int kBackWidth = 64;
constexpr int kBackHeight = 48;

struct WindowDevice {
    std::unique_ptr<EglOffscreenContext> context;
    std::unique_ptr<Adapter> adapter;
    std::unique_ptr<Device> device;
};

MultisampleType MostSamples(Adapter& adapter) {
    for (MultisampleType samples = 16; samples >= 2; --samples) {
        if (Succeeded(adapter.CheckDeviceMultiSampleType(DeviceType::Hal, Format::A8R8G8B8, true,
                                                         samples, nullptr))) {
            return samples;
        }
    }
    return 0;
}

// samples < 0: the most the driver offers.
WindowDevice MakeDevice(int windowWidth, int windowHeight, int samples) {
    WindowDevice setup;
    std::string error;
    setup.context = EglOffscreenContext::Create(windowWidth, windowHeight, &error);
    EXPECT_TRUE(setup.context) << error;
    if (!setup.context) {
        return setup;
    }
    setup.adapter = Adapter::Create(*setup.context);
    PresentParameters params;
    params.backBufferWidth = kBackWidth;
    params.backBufferHeight = kBackHeight;
    params.backBufferFormat = Format::A8R8G8B8;
    params.multiSampleType =
        samples < 0 ? MostSamples(*setup.adapter) : static_cast<MultisampleType>(samples);
    params.deviceWindow = setup.context.get();
    params.enableAutoDepthStencil = true;
    params.autoDepthStencilFormat = Format::D24S8;
    EXPECT_EQ(kOk,
              setup.adapter->CreateDevice(DeviceType::Hal, setup.context.get(),
                                          kCreateHardwareVertexProcessing, &params, &setup.device));
    return setup;
}

void DrawScreenSpace(Device& device, const std::vector<ColorVertex>& vertices) {
    device.SetRenderState(RenderState::Lighting, 0);
    device.SetFVF(kColorVertexFvf);
    ASSERT_EQ(kOk, device.DrawPrimitiveUP(PrimitiveType::TriangleList,
                                          static_cast<uint32_t>(vertices.size() / 3),
                                          vertices.data(), sizeof(ColorVertex)));
}

// The window pixel a linear blit of the resolved picture makes: pixel
// centres map onto texel centres, edges clamp. Rows are counted from the
// bottom, as GL counts them; the pictures are read top row first.
int Expected(const std::vector<uint8_t>& back, int x, int y, int width, int height, int channel) {
    auto texel = [&](int tx, int ty) {
        tx = std::clamp(tx, 0, kBackWidth - 1);
        ty = std::clamp(ty, 0, kBackHeight - 1);
        return static_cast<double>(
            back[(static_cast<size_t>(kBackHeight - 1 - ty) * kBackWidth + tx) * 4 + channel]);
    };
    const double sx = (x + 0.5) * kBackWidth / width - 0.5;
    const double sy = (y + 0.5) * kBackHeight / height - 0.5;
    const int x0 = static_cast<int>(std::floor(sx));
    const int y0 = static_cast<int>(std::floor(sy));
    const double fx = sx - x0;
    const double fy = sy - y0;
    const double bottom = texel(x0, y0) * (1 - fx) + texel(x0 + 1, y0) * fx;
    const double top = texel(x0, y0 + 1) * (1 - fx) + texel(x0 + 1, y0 + 1) * fx;
    return static_cast<int>(std::lround(bottom * (1 - fy) + top * fy));
}

TEST(PresentStretch, WindowShowsTheResolvedPictureFilteredLinearly) {
    struct Case {
        int width, height;
        int samples;
    };
    const Case cases[] = {
        {100, 70, -1},  // enlarged by a ratio that puts pixels between texels
        {40, 30, -1},   // reduced likewise
        {100, 70, 0},   // single-sampled
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " x " << c.height << ", samples " << c.samples);
        WindowDevice setup = MakeDevice(c.width, c.height, c.samples);
        ASSERT_TRUE(setup.device);
        Device& device = *setup.device;
        device.Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
        // A slanted edge gives partly covered pixels, a quad hard ones.
        DrawScreenSpace(device, {{-1.0f, -1.0f, 0.5f, 0xFFFFFFFF},
                                 {-1.0f, 1.0f, 0.5f, 0xFFFFFFFF},
                                 {0.7f, 1.0f, 0.5f, 0xFFFFFFFF}});
        DrawScreenSpace(device, {{0.25f, -1.0f, 0.5f, kRed},
                                 {0.25f, -0.25f, 0.5f, kRed},
                                 {1.0f, -0.25f, 0.5f, kRed},
                                 {0.25f, -1.0f, 0.5f, kRed},
                                 {1.0f, -0.25f, 0.5f, kRed},
                                 {1.0f, -1.0f, 0.5f, kRed}});
        ASSERT_EQ(kOk, device.Present());
        const std::vector<uint8_t> window = setup.context->ReadWindowPixels();
        std::vector<uint8_t> back;
        ASSERT_EQ(kOk, device.GetBackBufferPixels(&back));
        ASSERT_EQ(window.size(), static_cast<size_t>(c.width) * c.height * 4);
        int worst = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const size_t row = static_cast<size_t>(c.height - 1 - y);
                for (int channel = 0; channel < 3; ++channel) {
                    const int shown = window[(row * c.width + x) * 4 + channel];
                    worst = std::max(
                        worst, std::abs(shown - Expected(back, x, y, c.width, c.height, channel)));
                }
            }
        }
        EXPECT_LE(worst, 2);
    }
}

// Showing the picture uses GL states of its own; the device's must be back
// for the next draw of the frame that follows.
TEST(PresentStretch, DeviceStatesHoldAfterPresent) {
    WindowDevice setup = MakeDevice(100, 70, -1);
    ASSERT_TRUE(setup.device);
    Device& device = *setup.device;
    device.SetRenderState(RenderState::ZEnable, 1);
    device.SetRenderState(RenderState::StencilEnable, 1);
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::CullMode, kCullCw);
    device.SetRenderState(RenderState::FillMode, kFillWireframe);
    device.SetRenderState(RenderState::AlphaTestEnable, 1);
    device.SetRenderState(RenderState::ClipPlaneEnable, 1);
    device.SetRenderState(RenderState::ColorWriteEnable, kColorWriteRed | kColorWriteGreen);
    ASSERT_EQ(kOk, device.SetViewport({8, 4, 32, 16, 0.0f, 1.0f}));
    device.Clear(kClearTarget, 0xFF000000, 1.0f, 0);
    ASSERT_EQ(kOk, device.Present());

    for (GLenum capability :
         {GL_DEPTH_TEST, GL_STENCIL_TEST, GL_BLEND, GL_CULL_FACE, GL_ALPHA_TEST, GL_CLIP_PLANE0}) {
        EXPECT_TRUE(glIsEnabled(capability)) << std::hex << capability;
    }
    GLint polygonMode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_LINE);
    GLboolean colorMask[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, colorMask);
    EXPECT_TRUE(colorMask[0] && colorMask[1] && !colorMask[2] && !colorMask[3]);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The device's viewport counts rows from the top of the back buffer.
    EXPECT_EQ(viewport[0], 8);
    EXPECT_EQ(viewport[1], kBackHeight - 4 - 16);
    EXPECT_EQ(viewport[2], 32);
    EXPECT_EQ(viewport[3], 16);
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
}

}  // namespace
}  // namespace gfx::test
