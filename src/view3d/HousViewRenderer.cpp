#include "view3d/HousViewRenderer.h"

#include <utility>

#include "document/BackgroundChoice.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "objects/LightObject.h"
#include "platform/fs/DefaultContent.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/MatrixMath.h"
#include "view3d/AxisOverlay.h"

CHousViewRenderer::CHousViewRenderer(CHousDoc& doc, gfx::RenderContext& window,
                                     CD3DEngine::AdapterFactory adapterFactory)
    : m_doc(doc),
      m_window(window),
      m_engine(std::move(adapterFactory)),
      m_camera(m_engine.GetCamera(), doc),
      m_renderTarget(m_engine, doc) {
    m_scene.SetRenderTarget(&m_renderTarget);
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
        m_scene.SetDocument(&m_doc);
        m_overlayImagesDue = true;
    }
    m_camera.SetWindowSize(width, height);
    m_rendererReady = 1;
    if (!m_firstSizePending) {
        RenderFrame();
    }
}

const OverlayImages& CHousViewRenderer::GetOverlayImages() const {
    if (m_overlayImagesDue) {
        m_overlayImagesDue = false;
        LoadOverlayImages(m_overlayImages, pfs::FindResourceFolder());
    }
    return m_overlayImages;
}

void CHousViewRenderer::InitRenderer() {
    m_rendererReady = 1;
    if (m_engine.GetDevice() == nullptr) {
        m_engine.CreateDevice(&m_doc, &m_window);
        // Once per run: later devices take the glyphs over on a device switch.
        CLightObject::InitSharedResources(m_engine.GetDevice());
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
    m_scene.CreateGridLineBuffers(static_cast<float>(settings.length),
                                  static_cast<float>(settings.width));
    m_engine.Clear(true);
    m_camera.UpdateCamera();
}

void CHousViewRenderer::OnUpdate(int hint) {
    switch (hint) {
        case kFullRefreshHint:
            RenderFrame();
            break;
        case kPrintPreviewHint:
        case kPrintHint:
            m_printImageCaptured = 0;
            break;
        default:
            break;
    }
}

bool CHousViewRenderer::BeginSceneFrame(const gfx::Matrix& postProjection) {
    gfx::Device* device = m_engine.GetDevice();
    // A window without an area has no shape for the projection.
    if (m_rendererReady == 0 || device == nullptr || m_camera.GetWindowWidth() <= 0 ||
        m_camera.GetWindowHeight() <= 0) {
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
    device->SetTransform(gfx::TransformType::Projection, camera.GetProjection() * postProjection);
    m_scene.RenderScene();
    return true;
}

bool CHousViewRenderer::RenderFrame() {
    if (m_paintingSuspended != 0 || !BeginSceneFrame(gfx::MatrixIdentity())) {
        return false;
    }
    if (IsAxisOverlayShown(m_doc)) {
        const AxisOverlayPoints points = ComputeAxisOverlayPoints(
            m_engine.GetCamera(), CHousViewCamera::GetViewAngle(m_doc.Settings()),
            m_camera.GetWindowWidth(), m_camera.GetWindowHeight());
        const gfx::PresentParameters& buffer = m_engine.GetDevice()->GetPresentParameters();
        DrawAxisOverlayWithLabels(
            *m_engine.GetDevice(), m_axisLabels, points,
            ComputeAxisLabelSpots(m_camera, points, static_cast<int>(buffer.backBufferWidth),
                                  static_cast<int>(buffer.backBufferHeight)));
    }
    m_engine.EndFrame();
    return true;
}

void CHousViewRenderer::ResetCamera() {
    m_camera.ResetCamera();
    SetWireframe(false);
    if (IPlanView* plan = m_doc.Get2DView()) {
        const HousSettings& settings = m_doc.Settings();
        m_ambient = {static_cast<uint8_t>(settings.red), static_cast<uint8_t>(settings.green),
                     static_cast<uint8_t>(settings.blue)};
        plan->ResetScrollPosition();
    }
}

void CHousViewRenderer::SetWireframe(bool wireframe) {
    m_wireframe = wireframe ? 1 : 0;
    m_engine.SetFillMode(wireframe ? gfx::kFillWireframe : gfx::kFillSolid);
}
