// The back buffer makes its depth-stencil storage and its single-sampled
// copy only when first needed; drawing, reading and showing must look as if
// they had been there from the start.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "DeviceFixture.h"
#include "platform/gfx/DepthStencilReach.h"

namespace gfx::test {
namespace {

TEST(DepthStencilReach, OnlyTestsThatPassEveryDepthWithoutWritingStayOut) {
    struct Case {
        uint32_t zEnable, zWrite, zFunc, stencil;
        float depth;
        bool reaches;
    };
    const Case cases[] = {
        {0, 1, kCmpLess, 0, 0.5f, false},   // no depth test: no depth write either
        {0, 0, kCmpLess, 1, 1.0f, true},    // stencil testing always reaches
        {1, 1, kCmpAlways, 0, 1.0f, true},  // writes
        {1, 0, kCmpAlways, 0, 0.3f, false},
        {1, 0, kCmpLessEqual, 0, 1.0f, false},  // the cleared far plane
        {1, 0, kCmpLessEqual, 0, 0.99f, true},  // nearer than some fragments
        {1, 0, kCmpLess, 0, 1.0f, true},        // fails at the far plane itself
        {1, 0, kCmpGreaterEqual, 0, 0.0f, false},
        {1, 0, kCmpGreaterEqual, 0, 0.5f, true},
        {1, 0, kCmpNever, 0, 1.0f, true},
        {2, 0, kCmpLessEqual, 0, 1.0f, false},  // w-buffering enables the test as well
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "zFunc " << c.zFunc << " depth " << c.depth);
        EXPECT_EQ(DrawReachesDepthStencil(c.zEnable, c.zWrite, c.zFunc, c.stencil, c.depth),
                  c.reaches);
    }
}

// Each case clears once, then draws one screen-space quad: the storage is
// made by that draw and must hold what the clear asked for.
TEST_F(DeviceTest, FirstDrawThatNeedsDepthOrStencilSeesTheEarlierClear) {
    struct Case {
        const char* what;
        float clearZ;
        uint32_t clearStencil;
        uint32_t zFunc;
        uint32_t stencilRef;  // 0: no stencil test
        float drawZ;
        bool shown;
    };
    const Case cases[] = {
        {"nearer than the cleared depth", 0.5f, 0, kCmpLessEqual, 0, 0.3f, true},
        {"farther than the cleared depth", 0.5f, 0, kCmpLessEqual, 0, 0.7f, false},
        {"greater than the cleared depth", 0.5f, 0, kCmpGreater, 0, 0.7f, true},
        {"stencil equal to the cleared value", 1.0f, 3, kCmpLessEqual, 3, 0.5f, true},
        {"stencil other than the cleared value", 1.0f, 3, kCmpLessEqual, 2, 0.5f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(kOk, CreateDevice(Format::D24S8, BestSampleCount()));
        UseScreenSpace();
        ASSERT_EQ(kOk, m_device->Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFF000000,
                                       c.clearZ, c.clearStencil));
        m_device->SetRenderState(RenderState::ZFunc, c.zFunc);
        if (c.stencilRef != 0) {
            m_device->SetRenderState(RenderState::StencilEnable, 1);
            m_device->SetRenderState(RenderState::StencilFunc, kCmpEqual);
            m_device->SetRenderState(RenderState::StencilRef, c.stencilRef);
        }
        DrawTriangles(Quad(-1.0f, -1.0f, 1.0f, 1.0f, c.drawZ, kGreen));
        EXPECT_TRUE(Near(At(ReadBack(), 0.0f, 0.0f), c.shown ? kRgbGreen : kRgbBlack));
    }
}

// Draws against the cleared far plane that write no depth leave the storage
// unmade; the first writing draw must still start from the far plane.
TEST_F(DeviceTest, DepthTestedDrawsWithoutWritesKeepLaterTestsExact) {
    UseScreenSpace();
    m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
    m_device->SetRenderState(RenderState::ZWriteEnable, 0);
    DrawTriangles(Quad(-1.0f, -1.0f, 0.0f, 1.0f, 0.2f, kGreen));
    m_device->SetRenderState(RenderState::ZWriteEnable, 1);
    DrawTriangles(Quad(0.0f, -1.0f, 1.0f, 1.0f, 0.5f, kRed));
    // Nothing was written on the left, so this passes there only.
    DrawTriangles(Quad(-1.0f, -1.0f, 1.0f, 1.0f, 0.7f, kBlue));
    const std::vector<uint8_t> pixels = ReadBack();
    EXPECT_TRUE(Near(At(pixels, -0.5f, 0.0f), {0, 0, 255}));
    EXPECT_TRUE(Near(At(pixels, 0.5f, 0.0f), kRgbRed));
}

// A clear of part of the buffer needs the rest kept: the whole clear before
// it must survive outside the viewport.
TEST_F(DeviceTest, PartialDepthClearKeepsTheEarlierWholeClearElsewhere) {
    UseScreenSpace();
    m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
    ASSERT_EQ(kOk, m_device->SetViewport({0, 0, kWidth / 2, kHeight, 0.0f, 1.0f}));
    m_device->Clear(kClearZBuffer, 0, 0.0f, 0);
    ASSERT_EQ(kOk, m_device->SetViewport({0, 0, kWidth, kHeight, 0.0f, 1.0f}));
    DrawTriangles(Quad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, kGreen));
    const std::vector<uint8_t> pixels = ReadBack();
    EXPECT_TRUE(Near(At(pixels, -0.5f, 0.0f), kRgbBlack));
    EXPECT_TRUE(Near(At(pixels, 0.5f, 0.0f), kRgbGreen));
}

// The 64 x 48 back buffer on the 32 x 24 window: an exact halving, where
// linear filtering averages each 2 x 2 block of the resolved picture.
TEST_F(DeviceTest, PresentShowsTheResolvedPictureScaledToTheWindow) {
    for (MultisampleType samples : {BestSampleCount(), MultisampleType{0}}) {
        SCOPED_TRACE(samples);
        ASSERT_EQ(kOk, CreateDevice(Format::D24S8, samples));
        UseScreenSpace();
        m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
        // A slanted edge gives partly covered pixels, a quad hard ones.
        DrawTriangles({{-1.0f, -1.0f, 0.5f, 0xFFFFFFFF},
                       {-1.0f, 1.0f, 0.5f, 0xFFFFFFFF},
                       {0.7f, 1.0f, 0.5f, 0xFFFFFFFF}});
        DrawTriangles(Quad(0.25f, -1.0f, 1.0f, -0.25f, 0.5f, kRed));
        ASSERT_EQ(kOk, m_device->Present());
        const std::vector<uint8_t> window = s_context->ReadWindowPixels();
        const std::vector<uint8_t> back = ReadBack();
        ASSERT_EQ(window.size(), back.size() / 4);
        int worst = 0;
        for (uint32_t y = 0; y < kHeight / 2; ++y) {
            for (uint32_t x = 0; x < kWidth / 2; ++x) {
                for (uint32_t channel = 0; channel < 3; ++channel) {
                    int sum = 0;
                    for (uint32_t dy = 0; dy < 2; ++dy) {
                        for (uint32_t dx = 0; dx < 2; ++dx) {
                            sum += back[((2 * y + dy) * kWidth + 2 * x + dx) * 4 + channel];
                        }
                    }
                    const int shown = window[(y * (kWidth / 2) + x) * 4 + channel];
                    worst = std::max(worst, std::abs(shown - (sum + 2) / 4));
                }
            }
        }
        EXPECT_LE(worst, 2);
    }
}

}  // namespace
}  // namespace gfx::test
