#include "FurniturePreview.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <utility>

#include "platform/gfx/Adapter.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"
#include "platform/gfx/XFileReader.h"

namespace {

constexpr gfx::Color kBackground = 0xFFF2F2EE;
constexpr gfx::Color kAmbient = 0xFF505050;
constexpr float kFieldOfView = std::numbers::pi_v<float> / 4.0f;
// From the front (-z), the left and above.
constexpr gfx::Vector3 kViewFrom{-0.75f, 0.6f, -1.0f};
constexpr gfx::Vector3 kLightTowards{0.5f, -0.8f, 0.35f};

struct PositionAndNormal {
    gfx::Vector3 position;
    gfx::Vector3 normal;
};

bool Fail(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
    return false;
}

void SetUpCamera(gfx::Device& device, const gfx::Vector3& min, const gfx::Vector3& max) {
    const gfx::Vector3 centre = (min + max) / 2.0f;
    const float radius = std::max(gfx::Vec3Length(max - min) / 2.0f, 1.0f);
    // The bounding ball fits the narrower, vertical field.
    const float distance = radius / std::sin(kFieldOfView / 2.0f);
    const gfx::Vector3 eye = centre + gfx::Vec3Normalize(kViewFrom) * distance;
    device.SetTransform(gfx::TransformType::World, gfx::MatrixIdentity());
    device.SetTransform(gfx::TransformType::View,
                        gfx::MatrixLookAtLH(eye, centre, gfx::Vector3{0.0f, 1.0f, 0.0f}));
    device.SetTransform(gfx::TransformType::Projection,
                        gfx::MatrixPerspectiveFovLH(
                            kFieldOfView, static_cast<float>(kPreviewWidth) / kPreviewHeight,
                            std::max(distance - radius * 1.1f, 1.0f), distance + radius * 1.1f));
}

void SetUpLight(gfx::Device& device) {
    gfx::Light light;
    light.type = gfx::LightType::Directional;
    light.diffuse = {0.85f, 0.85f, 0.85f, 1.0f};
    light.direction = gfx::Vec3Normalize(kLightTowards);
    device.SetLight(0, light);
    device.LightEnable(0, true);
    device.SetRenderState(gfx::RenderState::Lighting, 1);
    device.SetRenderState(gfx::RenderState::Ambient, kAmbient);
    device.SetRenderState(gfx::RenderState::ZEnable, 1);
    device.SetRenderState(gfx::RenderState::CullMode, gfx::kCullNone);
    device.SetRenderState(gfx::RenderState::NormalizeNormals, 1);
}

}  // namespace

FurniturePreviewRenderer::~FurniturePreviewRenderer() = default;

std::unique_ptr<FurniturePreviewRenderer> FurniturePreviewRenderer::Create(std::string* error) {
    std::unique_ptr<FurniturePreviewRenderer> renderer(new FurniturePreviewRenderer());
    renderer->m_context = gfx::EglOffscreenContext::Create(kPreviewWidth, kPreviewHeight, error);
    if (!renderer->m_context) {
        return nullptr;
    }
    renderer->m_adapter = gfx::Adapter::Create(*renderer->m_context);
    if (!renderer->m_adapter) {
        Fail(error, "無法使用繪圖裝置。");
        return nullptr;
    }
    gfx::PresentParameters params;
    params.backBufferWidth = kPreviewWidth;
    params.backBufferHeight = kPreviewHeight;
    params.backBufferFormat = gfx::Format::A8R8G8B8;
    params.deviceWindow = renderer->m_context.get();
    params.enableAutoDepthStencil = true;
    params.autoDepthStencilFormat = gfx::Format::D24S8;
    if (gfx::Failed(renderer->m_adapter->CreateDevice(
            gfx::DeviceType::Hal, renderer->m_context.get(), gfx::kCreateHardwareVertexProcessing,
            &params, &renderer->m_device))) {
        Fail(error, "無法建立繪圖裝置。");
        return nullptr;
    }
    return renderer;
}

bool FurniturePreviewRenderer::Render(const std::vector<std::uint8_t>& xFile,
                                      std::vector<std::uint8_t>* bmp, std::string* error) {
    gfx::LoadedMesh loaded;
    if (gfx::Failed(gfx::LoadMeshFromXInMemory(xFile.data(), xFile.size(), gfx::kMeshManaged,
                                               m_device.get(), &loaded, error))) {
        return false;
    }
    std::span<const PositionAndNormal> vertices = loaded.mesh->VerticesAs<PositionAndNormal>();
    if (vertices.empty()) {
        return Fail(error, "模型沒有頂點。");
    }
    gfx::Vector3 min = vertices[0].position;
    gfx::Vector3 max = min;
    for (const PositionAndNormal& v : vertices) {
        min = gfx::Vec3Minimize(min, v.position);
        max = gfx::Vec3Maximize(max, v.position);
    }
    gfx::Device& device = *m_device;
    SetUpCamera(device, min, max);
    SetUpLight(device);
    device.Clear(gfx::kClearTarget | gfx::kClearZBuffer, kBackground, 1.0f, 0);
    device.BeginScene();
    for (std::size_t i = 0; i < loaded.materials.size(); ++i) {
        device.SetMaterial(loaded.materials[i].material);
        loaded.mesh->DrawSubset(static_cast<std::uint32_t>(i));
    }
    device.EndScene();
    if (gfx::Failed(device.SaveBackBufferToBmp(bmp))) {
        return Fail(error, "無法讀取繪出的預覽圖。");
    }
    return true;
}
