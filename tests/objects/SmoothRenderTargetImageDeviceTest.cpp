#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "OffscreenDevice.h"
#include "objects/SmoothRenderTargetImage.h"

namespace {

using SmoothRenderTargetImageDeviceTest = OffscreenDeviceTest;
using Frame = std::vector<std::uint8_t>;

constexpr int kSize = 32;
constexpr int kEdge = 16;

// Dark left half, light right half, opaque.
Frame HardEdge() {
    Frame bgra;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const std::uint8_t v = x < kEdge ? 20 : 230;
            bgra.insert(bgra.end(), {v, v, v, 255});
        }
    }
    return bgra;
}

Frame Smoothed(Frame frame, std::uint32_t seed) {
    EXPECT_TRUE(SmoothRenderTargetPixels(frame, kSize, kSize, seed));
    return frame;
}

TEST_F(SmoothRenderTargetImageDeviceTest, SoftensTheBackBufferAndPresentsIt) {
    const Frame frame = HardEdge();
    ASSERT_EQ(gfx::kOk, m_device->SetBackBufferPixels(frame));
    ASSERT_EQ(gfx::kOk, SmoothRenderTargetImage(*m_device, 7));

    const Frame expected = Smoothed(frame, 7);
    Frame softened;
    ASSERT_EQ(gfx::kOk, m_device->GetBackBufferPixels(&softened));
    EXPECT_EQ(softened, expected);
    // The window is the back buffer's size: Present copied it unscaled.
    EXPECT_EQ(s_context->ReadWindowPixels(), expected);

    int changedNearEdge = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * kSize + x) * 4;
            if (std::abs(x - kEdge) <= 2) {
                changedNearEdge += softened[i] != frame[i] ? 1 : 0;
            } else if (x < kEdge - 4 || x >= kEdge + 4) {
                ASSERT_EQ(softened[i], frame[i]) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(changedNearEdge, kSize);
}

TEST_F(SmoothRenderTargetImageDeviceTest, LostDeviceStillSoftensButReportsThePresentFailure) {
    const Frame frame = HardEdge();
    ASSERT_EQ(gfx::kOk, m_device->SetBackBufferPixels(frame));
    m_device->MarkLost(true);
    EXPECT_EQ(gfx::kErrDeviceLost, SmoothRenderTargetImage(*m_device, 7));

    const Frame expected = Smoothed(frame, 7);
    Frame softened;
    ASSERT_EQ(gfx::kOk, m_device->GetBackBufferPixels(&softened));
    EXPECT_EQ(softened, expected);
}

}  // namespace
