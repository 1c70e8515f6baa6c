#include "SampleThumbnail.h"

#include <numbers>
#include <stdexcept>
#include <string>

#include "SampleRoom.h"
#include "document/DesignScene.h"
#include "platform/gfx/Adapter.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr int kThumbnailWidth = 256;
constexpr int kThumbnailHeight = 192;
constexpr gfx::Color kThumbnailBackground = 0xFFDCDCE6;

}  // namespace

OffscreenDevice::OffscreenDevice() = default;
OffscreenDevice::~OffscreenDevice() = default;
OffscreenDevice::OffscreenDevice(OffscreenDevice&&) noexcept = default;

OffscreenDevice MakeThumbnailDevice() {
    OffscreenDevice made;
    std::string error;
    made.context = gfx::EglOffscreenContext::Create(kThumbnailWidth, kThumbnailHeight, &error);
    if (!made.context) {
        throw std::runtime_error("範例設計：" + error);
    }
    made.adapter = gfx::Adapter::Create(*made.context);
    gfx::PresentParameters params;
    params.backBufferWidth = kThumbnailWidth;
    params.backBufferHeight = kThumbnailHeight;
    params.backBufferFormat = gfx::Format::A8R8G8B8;
    params.deviceWindow = made.context.get();
    params.enableAutoDepthStencil = true;
    params.autoDepthStencilFormat = gfx::Format::D24S8;
    if (!made.adapter || gfx::Failed(made.adapter->CreateDevice(
                             gfx::DeviceType::Hal, made.context.get(),
                             gfx::kCreateHardwareVertexProcessing, &params, &made.device))) {
        throw std::runtime_error("範例設計：無法建立繪圖裝置。");
    }
    return made;
}

std::vector<uint8_t> RenderThumbnail(CDesignScene& scene, gfx::Device& device,
                                     const SampleDesign& design) {
    gfx::Vector3 centre;
    float size = 0;
    RoomExtent(design, &centre, &size);
    centre.y = 60.0f;
    const gfx::Vector3 eye =
        centre + gfx::Vec3Normalize(gfx::Vector3{-0.45f, 1.25f, 0.9f}) * (size * 1.25f);
    device.SetTransform(gfx::TransformType::View,
                        gfx::MatrixLookAtLH(eye, centre, gfx::Vector3{0.0f, 1.0f, 0.0f}));
    device.SetTransform(
        gfx::TransformType::Projection,
        gfx::MatrixPerspectiveFovLH(std::numbers::pi_v<float> / 4.0f,
                                    static_cast<float>(kThumbnailWidth) / kThumbnailHeight, 10.0f,
                                    size * 5.0f));
    gfx::Light light;
    light.type = gfx::LightType::Directional;
    light.diffuse = {0.8f, 0.8f, 0.78f, 1.0f};
    light.direction = gfx::Vec3Normalize(gfx::Vector3{0.4f, -0.9f, -0.3f});
    device.SetLight(0, light);
    device.LightEnable(0, true);
    device.SetRenderState(gfx::RenderState::Lighting, 1);
    device.SetRenderState(gfx::RenderState::Ambient, 0xFF606060);
    device.SetRenderState(gfx::RenderState::ZEnable, 1);
    device.SetRenderState(gfx::RenderState::CullMode, gfx::kCullNone);
    device.SetRenderState(gfx::RenderState::NormalizeNormals, 1);
    device.Clear(gfx::kClearTarget | gfx::kClearZBuffer, kThumbnailBackground, 1.0f, 0);
    device.BeginScene();
    scene.RenderScene();
    device.EndScene();
    std::vector<uint8_t> bmp;
    if (gfx::Failed(device.SaveBackBufferToBmp(&bmp))) {
        throw std::runtime_error("範例設計：無法讀取 " + design.fileName + " 的縮圖。");
    }
    return bmp;
}
