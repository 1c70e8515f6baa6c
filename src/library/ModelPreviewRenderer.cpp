#include "library/ModelPreviewRenderer.h"

#include <epoxy/egl.h>

#include <algorithm>
#include <cmath>

#include "objects/ModelObject.h"
#include "objects/ModelPackage.h"
#include "platform/gfx/Adapter.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "platform/gfx/MatrixMath.h"

namespace {

constexpr gfx::Color kBackground = 0xFFFFFFFFu;
constexpr float kFieldOfView = 0.7853982f;  // 45 degrees

}  // namespace

CModelPreviewRenderer::CModelPreviewRenderer(int width, int height)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)) {
    m_context = gfx::EglOffscreenContext::Create(m_width, m_height);
    if (!m_context) {
        return;
    }
    m_adapter = gfx::Adapter::Create(*m_context);
    if (m_adapter) {
        gfx::PresentParameters params;
        params.backBufferWidth = static_cast<uint32_t>(m_width);
        params.backBufferHeight = static_cast<uint32_t>(m_height);
        params.backBufferFormat = gfx::Format::A8R8G8B8;
        params.enableAutoDepthStencil = true;
        params.autoDepthStencilFormat = gfx::Format::D24S8;
        params.deviceWindow = m_context.get();
        if (m_adapter->CreateDevice(gfx::DeviceType::Hal, m_context.get(),
                                    gfx::kCreateHardwareVertexProcessing, &params,
                                    &m_device) != gfx::kOk) {
            m_device.reset();
        }
    }
    ReleaseContext();
}

CModelPreviewRenderer::~CModelPreviewRenderer() {
    if (m_context) {
        m_context->MakeCurrent();
    }
    m_model.reset();
    m_device.reset();
    m_adapter.reset();
    m_context.reset();
}

void CModelPreviewRenderer::ReleaseContext() {
    if (m_context && m_context->IsCurrent()) {
        eglMakeCurrent(eglGetCurrentDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
}

bool CModelPreviewRenderer::LoadModel(const std::string& path) {
    Clear();
    if (!m_device) {
        return false;
    }
    const CModelPackage package(path, kPackageReadAll);
    auto model = std::make_unique<CModelObject>();
    model->SetDevice(m_device.get());
    const bool built = model->LoadFromPackage(package) != 0;
    if (built) {
        model->ComputeExtents();
        model->SetUniformScale(1.0f);
        model->SetPosition(0.0f, 0.0f, 0.0f);
        m_model = std::move(model);
    } else {
        m_context->MakeCurrent();
        model.reset();
    }
    ReleaseContext();
    return built;
}

void CModelPreviewRenderer::Clear() {
    if (m_model) {
        m_context->MakeCurrent();
        m_model.reset();
        ReleaseContext();
    }
}

std::optional<std::array<float, 3>> CModelPreviewRenderer::GetModelSize() const {
    if (!m_model) {
        return std::nullopt;
    }
    const std::array<float, 3>& extent = m_model->GetExtent();
    return std::array<float, 3>{extent[0], extent[2], extent[1]};
}

std::vector<uint8_t> CModelPreviewRenderer::Render(float turnAngle) {
    std::vector<uint8_t> pixels;
    if (!m_model || !m_device) {
        return pixels;
    }
    const CBoundingBox3D box = m_model->GetWorldBoundingBox();
    const gfx::Vector3 centre{(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2,
                              (box.minZ + box.maxZ) / 2};
    const float radius = std::max(0.5f * std::sqrt((box.maxX - box.minX) * (box.maxX - box.minX) +
                                                   (box.maxY - box.minY) * (box.maxY - box.minY) +
                                                   (box.maxZ - box.minZ) * (box.maxZ - box.minZ)),
                                  1.0f);
    const float distance = radius / std::sin(kFieldOfView / 2) * 1.05f;
    // Seen from the front, a little from above.
    const gfx::Vector3 eye{centre.x, centre.y + distance * 0.35f, centre.z - distance * 0.94f};

    gfx::Device& device = *m_device;
    device.BeginScene();
    device.Clear(gfx::kClearTarget | gfx::kClearZBuffer, kBackground, 1.0f, 0);
    device.SetTransform(gfx::TransformType::View,
                        gfx::MatrixLookAtLH(eye, centre, gfx::Vector3{0.0f, 1.0f, 0.0f}));
    device.SetTransform(
        gfx::TransformType::Projection,
        gfx::MatrixPerspectiveFovLH(kFieldOfView, static_cast<float>(m_width) / m_height,
                                    distance / 100.0f, distance * 4.0f));
    gfx::Light light;
    light.type = gfx::LightType::Directional;
    light.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.direction = {0.3f, -0.6f, 0.75f};
    device.SetLight(0, light);
    device.LightEnable(0, true);
    device.SetRenderState(gfx::RenderState::Lighting, 1);
    device.SetRenderState(gfx::RenderState::Ambient, 0xFF606060u);
    device.SetRenderState(gfx::RenderState::ZEnable, 1);
    // Turned about the vertical axis through the model's centre.
    const gfx::Matrix turn = gfx::MatrixTranslation(-centre.x, 0.0f, -centre.z) *
                             gfx::MatrixRotationY(turnAngle) *
                             gfx::MatrixTranslation(centre.x, 0.0f, centre.z);
    m_model->RenderWithMatrix(m_device.get(), turn);
    device.EndScene();
    device.GetBackBufferPixels(&pixels);
    ReleaseContext();
    return pixels;
}
