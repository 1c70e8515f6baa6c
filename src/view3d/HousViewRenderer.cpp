#include "view3d/HousViewRenderer.h"

#include <utility>

#include "document/BackgroundChoice.h"
#include "document/HousDoc.h"
#include "platform/gfx/Device.h"

CHousViewRenderer::CHousViewRenderer(CHousDoc& doc, gfx::RenderContext& window,
                                     CD3DEngine::AdapterFactory adapterFactory)
    : m_doc(doc),
      m_window(window),
      m_engine(std::move(adapterFactory)),
      m_camera(m_engine.GetCamera(), doc) {
    const BackgroundColor background = GetBackgroundColor(doc.GetBackgroundChoice());
    m_engine.SetClearColor(background.red, background.green, background.blue);
}

CHousViewRenderer::~CHousViewRenderer() {
    if (g_pD3DDevice != nullptr && g_pD3DDevice == m_engine.GetDevice()) {
        g_pD3DDevice = nullptr;
    }
}

void CHousViewRenderer::OnSize(int width, int height) {
    if (m_firstSizePending && width > 0 && height > 0) {
        m_camera.SetWindowSize(width, height);
        InitRenderer();
        m_firstSizePending = false;
    }
    m_camera.SetWindowSize(width, height);
    m_rendererReady = 1;
    if (!m_firstSizePending) {
        RenderFrame();
    }
}

void CHousViewRenderer::InitRenderer() {
    m_rendererReady = 1;
    if (m_engine.GetDevice() == nullptr) {
        m_engine.CreateDevice(&m_doc, &m_window);
        m_engine.SetDefaultRenderStates();
        m_engine.CreateOverlayBuffers();
    }
    g_pD3DDevice = m_engine.GetDevice();
    m_doc.UpdateHardwareAccelButton();
    ResetCamera();
    m_engine.SetAmbientColor(m_ambient[0], m_ambient[1], m_ambient[2]);
    const HousSettings& settings = m_doc.Settings();
    m_engine.BuildGrid(static_cast<float>(settings.length), static_cast<float>(settings.width),
                       static_cast<float>(settings.gridGap));
    m_engine.Clear(true);
    m_camera.UpdateCamera();
}

bool CHousViewRenderer::RenderFrame() {
    gfx::Device* device = m_engine.GetDevice();
    if (m_rendererReady == 0 || m_paintingSuspended != 0 || device == nullptr ||
        m_camera.GetWindowWidth() <= 0 || m_camera.GetWindowHeight() <= 0) {
        return false;
    }
    if (m_engine.CheckDevice(0, gfx::ColorArgb(255, m_ambient[0], m_ambient[1], m_ambient[2])) ==
        0) {
        return false;
    }
    m_engine.Clear(true);
    m_engine.BeginFrame();
    const C3DCamera& camera = m_engine.GetCamera();
    device->SetTransform(gfx::TransformType::View, camera.GetView());
    m_camera.UpdateProjection(m_doc.Settings());
    device->SetTransform(gfx::TransformType::Projection, camera.GetProjection());
    // The scene store's render takes this place once it exists; it draws
    // the grid among its passes.
    m_engine.DrawGrid(m_doc.Settings().grid3DColor);
    m_engine.EndFrame();
    return true;
}

void CHousViewRenderer::ResetCamera() {
    m_camera.ResetCamera();
    if (IPlanView* plan = m_doc.Get2DView()) {
        const HousSettings& settings = m_doc.Settings();
        m_ambient = {static_cast<uint8_t>(settings.red), static_cast<uint8_t>(settings.green),
                     static_cast<uint8_t>(settings.blue)};
        plan->ResetScrollPosition();
    }
}
