#include <array>
#include <cstring>

#include "document/DesignScene.h"
#include "platform/gfx/Device.h"

namespace {

// A vertex of the shadow quad: a transformed position and its colour.
struct OverlayVertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float rhw = 1.0f;
    uint32_t colour = 0;
};
static_assert(sizeof(OverlayVertex) == 20);

constexpr uint32_t kOverlayFvf = gfx::kFvfXyzRhw | gfx::kFvfDiffuse;
constexpr uint32_t kOverlayBytes = 4 * sizeof(OverlayVertex);

uint32_t ChannelByte(float c) {
    if (c >= 1.0f) {
        return 255;
    }
    if (c > 0.0f) {
        return static_cast<uint32_t>(static_cast<int>(c * 255.0f + 0.5f));
    }
    return 0;
}

}  // namespace

uint32_t CDesignScene::ShadowColourToArgb(const ShadowColor& colour) {
    return ChannelByte(colour[3]) << 24 | ChannelByte(colour[0]) << 16 |
           ChannelByte(colour[1]) << 8 | ChannelByte(colour[2]);
}

bool CDesignScene::CreateScreenOverlay(int width, int height, const ShadowColor& colour) {
    m_overlayWidth = width;
    m_overlayHeight = height;
    m_overlayColour = colour;
    return MakeScreenOverlay(TargetDevice());
}

bool CDesignScene::MakeScreenOverlay(gfx::Device* device) {
    m_screenOverlay.Reset();
    if (device == nullptr) {
        return false;
    }
    device->GetDeviceCaps(&m_deviceCaps);
    gfx::VertexBuffer* created = nullptr;
    if (gfx::Failed(device->CreateVertexBuffer(kOverlayBytes, gfx::kUsageWriteOnly, kOverlayFvf,
                                               gfx::Pool::Managed, &created))) {
        return false;
    }
    auto quad = gfx::ResourceRef<gfx::VertexBuffer>::Adopt(created);
    // Twice the window each way, so the quad covers the back buffer
    // whatever its stretch.
    const auto w = static_cast<float>(2 * m_overlayWidth);
    const auto h = static_cast<float>(2 * m_overlayHeight);
    const uint32_t argb = ShadowColourToArgb(m_overlayColour);
    const std::array<OverlayVertex, 4> vertices = {{
        {0.0f, h, 0.0f, 1.0f, argb},
        {0.0f, 0.0f, 0.0f, 1.0f, argb},
        {w, h, 0.0f, 1.0f, argb},
        {w, 0.0f, 0.0f, 1.0f, argb},
    }};
    void* data = nullptr;
    if (gfx::Failed(quad.Get()->Lock(0, kOverlayBytes, &data, 0))) {
        return false;
    }
    std::memcpy(data, vertices.data(), kOverlayBytes);
    quad.Get()->Unlock();
    m_screenOverlay = std::move(quad);
    return true;
}

void CDesignScene::UpdateScreenOverlayColor(const ShadowColor& colour) {
    m_overlayColour = colour;
    if (!m_screenOverlay) {
        return;
    }
    void* data = nullptr;
    if (gfx::Failed(m_screenOverlay.Get()->Lock(0, kOverlayBytes, &data, 0))) {
        return;
    }
    std::array<OverlayVertex, 4> vertices;
    std::memcpy(vertices.data(), data, kOverlayBytes);
    for (OverlayVertex& vertex : vertices) {
        vertex.colour = ShadowColourToArgb(colour);
    }
    std::memcpy(data, vertices.data(), kOverlayBytes);
    m_screenOverlay.Get()->Unlock();
}
