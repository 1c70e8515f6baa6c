#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "DeviceFixture.h"
#include "platform/gfx/IndexBuffer.h"
#include "platform/gfx/VertexBuffer.h"
#include "support/TempFolder.h"

namespace gfx::test {
namespace {

uint32_t ReadLe(const std::vector<uint8_t>& bytes, size_t offset, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes[offset + static_cast<size_t>(i)];
    }
    return value;
}

TEST_F(DeviceTest, AdapterAnswersFromTheContext) {
    Caps caps;
    ASSERT_EQ(kOk, m_adapter->GetDeviceCaps(DeviceType::Hal, &caps));
    EXPECT_NE(0u, caps.devCaps & kDevCapsHwTransformAndLight);
    EXPECT_GE(caps.maxAnisotropy, 1u);
    DisplayMode mode;
    ASSERT_EQ(kOk, m_adapter->GetAdapterDisplayMode(&mode));
    EXPECT_EQ(Format::X8R8G8B8, mode.format);

    for (Format format : {Format::A8R8G8B8, Format::X8R8G8B8, Format::R5G6B5}) {
        EXPECT_EQ(kOk, m_adapter->CheckDeviceType(DeviceType::Hal, mode.format, format, true))
            << static_cast<int>(format);
    }
    EXPECT_EQ(kErrNotAvailable,
              m_adapter->CheckDeviceType(DeviceType::Hal, Format::R5G6B5, Format::A8R8G8B8, true));
    struct DepthCase {
        Format format;
        bool supported;
    };
    for (const DepthCase& c : {DepthCase{Format::D24S8, true}, DepthCase{Format::D24X8, true},
                               DepthCase{Format::D16, true}, DepthCase{Format::D24X4S4, false},
                               DepthCase{Format::D24FS8, false}, DepthCase{Format::D15S1, false}}) {
        EXPECT_EQ(c.supported ? kOk : kErrNotAvailable,
                  m_adapter->CheckDepthStencilMatch(DeviceType::Hal, mode.format, Format::A8R8G8B8,
                                                    c.format))
            << static_cast<int>(c.format);
    }

    // The engine probes 16 down to 2 and keeps the first success.
    const MultisampleType best = BestSampleCount();
    EXPECT_GE(best, 2u);
    uint32_t quality = 7;
    EXPECT_EQ(kErrNotAvailable, m_adapter->CheckDeviceMultiSampleType(
                                    DeviceType::Hal, Format::A8R8G8B8, true, 16, &quality));
    EXPECT_EQ(0u, quality);

    // Creation fails for real on what the probes refused, and on bad input.
    EXPECT_EQ(kErrNotAvailable, CreateDevice(Format::D24X4S4, 0));
    EXPECT_EQ(kErrNotAvailable, CreateDevice(Format::D24S8, 16));
    m_params.backBufferFormat = Format::Unknown;
    EXPECT_EQ(kErrInvalidCall,
              m_adapter->CreateDevice(DeviceType::Hal, s_context.get(),
                                      kCreateHardwareVertexProcessing, &m_params, &m_device));
    EXPECT_EQ(kOk, CreateDevice(Format::D16, 0));
    EXPECT_EQ(0, m_device->GetBackBufferSamples());
}

TEST_F(DeviceTest, ClearRefusesBuffersTheFormatLacks) {
    ASSERT_EQ(kOk, CreateDevice(Format::D16, 0));
    EXPECT_EQ(kErrInvalidCall,
              m_device->Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFF000000, 1.0f, 0));
    EXPECT_EQ(kOk, m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0));
}

TEST_F(DeviceTest, LostDeviceIsRestoredByResetWithItsBuffers) {
    // A quad as four corners and six 16-bit indices (two clockwise triangles).
    const ColorVertex corners[4] = {{-1, -1, 0.5f, 0xFF00FF00},
                                    {-1, 1, 0.5f, 0xFF00FF00},
                                    {1, 1, 0.5f, 0xFF00FF00},
                                    {1, -1, 0.5f, 0xFF00FF00}};
    const uint16_t order[6] = {0, 1, 2, 0, 2, 3};
    VertexBuffer* vertices = nullptr;
    IndexBuffer* indices = nullptr;
    ASSERT_EQ(kOk, m_device->CreateVertexBuffer(sizeof(corners), 0, kColorVertexFvf, Pool::Managed,
                                                &vertices));
    ASSERT_EQ(kOk, m_device->CreateIndexBuffer(sizeof(order), 0, Format::Index16, Pool::Managed,
                                               &indices));
    void* data = nullptr;
    ASSERT_EQ(kOk, vertices->Lock(0, 0, &data, 0));
    std::memcpy(data, corners, sizeof(corners));
    ASSERT_EQ(kOk, vertices->Unlock());
    ASSERT_EQ(kOk, indices->Lock(0, 0, &data, 0));
    std::memcpy(data, order, sizeof(order));
    ASSERT_EQ(kOk, indices->Unlock());
    m_device->SetRenderState(RenderState::Ambient, 0xFF102030);

    m_device->MarkLost(false);
    EXPECT_EQ(kErrDeviceLost, m_device->TestCooperativeLevel());
    EXPECT_EQ(kErrDeviceLost, m_device->Present());
    EXPECT_EQ(kErrDeviceLost, m_device->Reset(&m_params));
    m_device->MarkLost(true);
    EXPECT_EQ(kErrDeviceNotReset, m_device->TestCooperativeLevel());
    ASSERT_EQ(kOk, m_device->Reset(&m_params));
    EXPECT_EQ(kOk, m_device->TestCooperativeLevel());

    // Reset puts the states back to their defaults.
    uint32_t ambient = 1;
    m_device->GetRenderState(RenderState::Ambient, &ambient);
    EXPECT_EQ(0u, ambient);

    UseScreenSpace();
    m_device->SetStreamSource(0, vertices, 0, sizeof(ColorVertex));
    m_device->SetIndices(indices);
    m_device->Clear(kClearTarget | kClearZBuffer, 0xFF000000, 1.0f, 0);
    ASSERT_EQ(kOk, m_device->BeginScene());
    ASSERT_EQ(kOk, m_device->DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 4, 0, 2));
    ASSERT_EQ(kOk, m_device->EndScene());
    EXPECT_TRUE(Near(At(ReadBack(), 0.0f, 0.0f), {0, 255, 0}));
    EXPECT_EQ(kOk, m_device->Present());
    // Draws past the end of a buffer are refused, not read out of bounds.
    EXPECT_EQ(kErrInvalidCall,
              m_device->DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 4, 3, 2));
    EXPECT_EQ(kErrInvalidCall,
              m_device->DrawIndexedPrimitive(PrimitiveType::TriangleList, 1, 0, 4, 0, 2));
    EXPECT_EQ(kErrInvalidCall, m_device->DrawPrimitive(PrimitiveType::TriangleList, 0, 2));
    vertices->Release();
    indices->Release();
}

TEST_F(DeviceTest, BackBufferSavesAsBmpWithTopRowLast) {
    // An odd width pads each 24-bit row.
    m_device.reset();
    m_params.backBufferWidth = 30;
    m_params.backBufferHeight = 20;
    ASSERT_EQ(kOk, m_adapter->CreateDevice(DeviceType::Hal, s_context.get(),
                                           kCreateHardwareVertexProcessing, &m_params, &m_device));
    m_device->Clear(kClearTarget, ColorArgb(255, 0, 0, 255), 1.0f, 0);
    // One red pixel at column 2, row 1 from the top.
    ASSERT_EQ(kOk, m_device->SetViewport({2, 1, 1, 1, 0.0f, 1.0f}));
    m_device->Clear(kClearTarget, ColorArgb(255, 255, 0, 0), 1.0f, 0);

    std::vector<uint8_t> bmp;
    ASSERT_EQ(kOk, m_device->SaveBackBufferToBmp(&bmp));
    constexpr size_t kRow = 92;  // 30 * 3 rounded up to a multiple of 4
    ASSERT_EQ(54 + kRow * 20, bmp.size());
    EXPECT_EQ('B', bmp[0]);
    EXPECT_EQ('M', bmp[1]);
    EXPECT_EQ(bmp.size(), ReadLe(bmp, 2, 4));
    EXPECT_EQ(54u, ReadLe(bmp, 10, 4));
    EXPECT_EQ(40u, ReadLe(bmp, 14, 4));
    EXPECT_EQ(30u, ReadLe(bmp, 18, 4));
    EXPECT_EQ(20u, ReadLe(bmp, 22, 4));
    EXPECT_EQ(1u, ReadLe(bmp, 26, 2));
    EXPECT_EQ(24u, ReadLe(bmp, 28, 2));
    EXPECT_EQ(kRow * 20, ReadLe(bmp, 34, 4));
    auto pixel = [&](size_t column, size_t rowFromTop) {
        const size_t at = 54 + (19 - rowFromTop) * kRow + column * 3;
        return Rgb{bmp[at + 2], bmp[at + 1], bmp[at]};
    };
    EXPECT_TRUE(Near(pixel(2, 1), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(pixel(3, 1), {0, 0, 255}, 0));
    EXPECT_TRUE(Near(pixel(2, 2), {0, 0, 255}, 0));

    TempFolder folder;
    ASSERT_EQ(kOk, m_device->SaveBackBufferToBmpFile((folder.Path() / "backbuffer.bmp").string()));
    const std::string onDisk = folder.Read("backbuffer.bmp");
    EXPECT_EQ(bmp, std::vector<uint8_t>(onDisk.begin(), onDisk.end()));
    EXPECT_EQ(kErrFail, m_device->SaveBackBufferToBmpFile("/nonexistent-dir/x.bmp"));
}

}  // namespace
}  // namespace gfx::test
