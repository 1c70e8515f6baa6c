#include "view3d/D3DEngine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "foundation/MaterialEmissive.h"
#include "foundation/Prompt.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VertexBuffer.h"
#include "view3d/FatalExit.h"
#include "view3d/GLGraphicsAdapter.h"
#include "view3d/OverlayPrism.h"

gfx::Device* g_pD3DDevice = nullptr;

namespace {

using gfx::Format;
using gfx::RenderState;

// Shown once per run: the user is told to save and restart, and later
// failed frames are skipped quietly.
bool g_deviceLostWarning = true;

constexpr Format kBackBufferCandidates[] = {Format::A8R8G8B8, Format::X8R8G8B8, Format::A2R10G10B10,
                                            Format::A1R5G5B5, Format::X1R5G5B5, Format::R5G6B5};
constexpr Format kDepthCandidates[] = {Format::D24S8, Format::D24X4S4, Format::D24FS8,
                                       Format::D24X8, Format::D15S1,   Format::D16};

constexpr uint32_t kGridVertexStride = sizeof(gfx::Vector3);

}  // namespace

CD3DEngine::CD3DEngine(AdapterFactory adapterFactory)
    : m_adapterFactory(std::move(adapterFactory)), m_gridWorld(gfx::MatrixIdentity()) {
    if (!m_adapterFactory) {
        m_adapterFactory = CGLGraphicsAdapter::Create;
    }
    const GridSettings defaults;
    SetGridSettings(&defaults);
}

CD3DEngine::~CD3DEngine() {
    ReleaseAll();
}

bool CD3DEngine::CreateDirect3D(gfx::RenderContext& window) {
    m_adapter = m_adapterFactory(window);
    if (!m_adapter) {
        ShowMessage("無法開啟 Direct3D 裝置!", PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    return true;
}

void CD3DEngine::ChooseFormats(CHousDoc* doc) {
    m_deviceType = gfx::DeviceType::Hal;
    gfx::Caps caps;
    m_adapter->GetDeviceCaps(gfx::DeviceType::Hal, &caps);
    if ((caps.devCaps & gfx::kDevCapsHwTransformAndLight) != 0) {
        doc->SetDeviceCreationFlags(gfx::kCreateHardwareVertexProcessing);
    } else {
        doc->SetDeviceCreationFlags(gfx::kCreateSoftwareVertexProcessing);
        doc->Settings().hardware = gfx::kCreateSoftwareVertexProcessing;
    }
    m_maxAnisotropy = caps.maxAnisotropy;

    gfx::DisplayMode mode;
    m_adapter->GetAdapterDisplayMode(&mode);

    m_backBufferFormats.fill(Format::Unknown);
    std::size_t count = 0;
    for (Format candidate : kBackBufferCandidates) {
        if (gfx::Succeeded(
                m_adapter->CheckDeviceType(m_deviceType, mode.format, candidate, true))) {
            m_backBufferFormats[count++] = candidate;
        }
    }

    m_multisampleType = GetMultisampleType(mode.format);

    m_depthFormats.fill(Format::Unknown);
    count = 0;
    for (Format candidate : kDepthCandidates) {
        if (gfx::Succeeded(m_adapter->CheckDepthStencilMatch(m_deviceType, mode.format,
                                                             m_backBufferFormats[0], candidate))) {
            m_depthFormats[count++] = candidate;
        }
    }
}

int CD3DEngine::GetMultisampleType(gfx::Format surface) {
    int found = 0;
    m_multisampleAvailable = 0;
    for (gfx::MultisampleType samples = 16; samples >= 2; --samples) {
        if (gfx::Succeeded(m_adapter->CheckDeviceMultiSampleType(m_deviceType, surface, true,
                                                                 samples, &m_qualityLevels))) {
            m_multisampleAvailable = 1;
            found = static_cast<int>(samples);
            break;
        }
    }
    m_qualityLevels = 0;
    return found;
}

bool CD3DEngine::TryCreateDevice(gfx::RenderContext* window, uint32_t behaviorFlags) {
    return gfx::Succeeded(m_adapter->CreateDevice(m_deviceType, window, behaviorFlags,
                                                  &m_presentParameters, &m_device)) &&
           m_device != nullptr;
}

int CD3DEngine::CreateDevice(CHousDoc* doc, gfx::RenderContext* window) {
    if (!m_adapter && !CreateDirect3D(*window)) {
        ExitAfterFatalError();
        return 0;
    }
    m_presentParameters = gfx::PresentParameters();
    ChooseFormats(doc);
    const auto behaviorFlags = static_cast<uint32_t>(doc->Settings().hardware);

    // The back buffer keeps one size whatever the window's; Present
    // stretches it over the window.
    gfx::PresentParameters& params = m_presentParameters;
    params.backBufferWidth = kBackBufferWidth;
    params.backBufferHeight = kBackBufferHeight;
    params.backBufferFormat = m_backBufferFormats[0];
    params.multiSampleType =
        m_multisampleAvailable != 0 ? static_cast<gfx::MultisampleType>(m_multisampleType) : 0;
    params.multiSampleQuality = m_qualityLevels;
    params.deviceWindow = window;
    params.enableAutoDepthStencil = true;
    params.autoDepthStencilFormat =
        m_depthFormats[0] != Format::Unknown ? m_depthFormats[0] : Format::D16;
    if (TryCreateDevice(window, behaviorFlags)) {
        return 1;
    }

    // With a single usable format the second entry is the empty one.
    params.backBufferFormat = m_backBufferFormats[1];
    const int samples = GetMultisampleType(params.backBufferFormat);
    params.multiSampleType =
        m_multisampleAvailable != 0 ? static_cast<gfx::MultisampleType>(samples) : 0;
    params.multiSampleQuality = m_qualityLevels;
    if (TryCreateDevice(window, behaviorFlags)) {
        return 1;
    }

    params.multiSampleType = 0;
    params.multiSampleQuality = 0;
    params.backBufferFormat = Format::X8R8G8B8;
    params.autoDepthStencilFormat = Format::D24S8;
    if (TryCreateDevice(window, behaviorFlags)) {
        return 1;
    }

    params.autoDepthStencilFormat = Format::D16;
    if (TryCreateDevice(window, behaviorFlags)) {
        return 1;
    }

    m_deviceType = gfx::DeviceType::Ref;
    params.backBufferWidth = kBackBufferWidth;
    params.backBufferHeight = kBackBufferHeight;
    params.backBufferFormat = Format::X8R8G8B8;
    params.autoDepthStencilFormat = Format::D24S8;
    params.multiSampleType = 0;
    if (TryCreateDevice(window, behaviorFlags)) {
        return 1;
    }
    ShowMessage("3D視窗顯示錯誤!", PromptButtons::Ok, PromptIcon::Error);
    ExitAfterFatalError();
    return 0;
}

void CD3DEngine::SetDefaultRenderStates() {
    if (!m_device) {
        return;
    }
    gfx::Device& device = *m_device;
    device.SetRenderState(RenderState::ZEnable, 1);
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetTextureStageState(0, gfx::TextureStageState::ColorArg1, gfx::kTaTexture);
    device.SetTextureStageState(0, gfx::TextureStageState::ColorOp, gfx::kTopSelectArg1);
    device.SetTextureStageState(0, gfx::TextureStageState::AlphaArg1, gfx::kTaTexture);
    device.SetTextureStageState(0, gfx::TextureStageState::AlphaOp, gfx::kTopSelectArg1);
    device.SetRenderState(RenderState::SrcBlend, gfx::kBlendSrcAlpha);
    device.SetRenderState(RenderState::DestBlend, gfx::kBlendInvSrcAlpha);
    device.SetRenderState(RenderState::ShadeMode, gfx::kShadeGouraud);
    device.SetRenderState(RenderState::SpecularEnable, 1);
    device.SetSamplerState(0, gfx::SamplerState::AddressU, gfx::kAddressWrap);
    device.SetSamplerState(0, gfx::SamplerState::AddressV, gfx::kAddressWrap);
    device.SetSamplerState(0, gfx::SamplerState::MagFilter, gfx::kFilterAnisotropic);
    device.SetSamplerState(0, gfx::SamplerState::MinFilter, gfx::kFilterAnisotropic);
    device.SetSamplerState(0, gfx::SamplerState::MipFilter, gfx::kFilterLinear);
    device.SetSamplerState(0, gfx::SamplerState::MaxAnisotropy, m_maxAnisotropy);
    if (m_multisampleAvailable != 0) {
        device.SetRenderState(RenderState::AntialiasedLineEnable, 1);
        device.SetRenderState(RenderState::MultisampleAntialias, 1);
        device.SetRenderState(RenderState::MultisampleMask, 0xFFFFFFFFu);
    }
}

void CD3DEngine::SetAmbientColor(uint8_t red, uint8_t green, uint8_t blue) {
    if (m_device) {
        m_device->SetRenderState(RenderState::Ambient, gfx::ColorArgb(255, red, green, blue));
    }
}

void CD3DEngine::SetFillMode(int mode) {
    if (m_device) {
        m_device->SetRenderState(RenderState::FillMode, static_cast<uint32_t>(mode));
    }
}

void CD3DEngine::SetClearColor(uint8_t red, uint8_t green, uint8_t blue) {
    m_clearColor = {red, green, blue};
}

gfx::Result CD3DEngine::Clear(bool withColour) {
    if (!m_device) {
        return gfx::kErrInvalidCall;
    }
    const gfx::Color color = gfx::ColorArgb(255, m_clearColor[0], m_clearColor[1], m_clearColor[2]);
    const uint32_t target = withColour ? gfx::kClearTarget : 0;
    gfx::Result result =
        m_device->Clear(target | gfx::kClearZBuffer | gfx::kClearStencil, color, 1.0f, 0);
    if (gfx::Failed(result)) {
        result = m_device->Clear(target | gfx::kClearZBuffer, color, 1.0f, 0);
    }
    if (gfx::Failed(result) && withColour) {
        result = m_device->Clear(gfx::kClearTarget, color, 1.0f, 0);
    }
    return result;
}

void CD3DEngine::BeginFrame() {
    if (m_device) {
        m_device->BeginScene();
    }
}

gfx::Result CD3DEngine::EndFrame() {
    if (!m_device) {
        return gfx::kErrInvalidCall;
    }
    m_device->EndScene();
    return m_device->Present();
}

int CD3DEngine::CheckDevice(int /*ignored*/, gfx::Color ambient) {
    if (!m_device) {
        return 0;
    }
    if (m_device->TestCooperativeLevel() == gfx::kOk) {
        return 1;
    }
    m_device->Reset(&m_presentParameters);
    m_device->SetRenderState(RenderState::Ambient, ambient);
    if (m_device->TestCooperativeLevel() == gfx::kOk) {
        return 1;
    }
    if (g_deviceLostWarning) {
        ShowMessage("3D裝置遺失, 請儘速將您的設計案存檔並重新啟動Velmora!", PromptButtons::Ok,
                    PromptIcon::Warning);
        g_deviceLostWarning = false;
    }
    return 0;
}

void CD3DEngine::ReleaseBuffer(gfx::VertexBuffer*& buffer) {
    if (buffer != nullptr) {
        buffer->Release();
        buffer = nullptr;
    }
}

gfx::VertexBuffer* CD3DEngine::CreateFilledBuffer(const void* data, uint32_t length, uint32_t fvf) {
    gfx::VertexBuffer* buffer = nullptr;
    if (gfx::Failed(m_device->CreateVertexBuffer(length, 0, fvf, gfx::Pool::Managed, &buffer))) {
        return nullptr;
    }
    void* bytes = nullptr;
    if (gfx::Failed(buffer->Lock(0, 0, &bytes, 0))) {
        buffer->Release();
        return nullptr;
    }
    std::memcpy(bytes, data, length);
    buffer->Unlock();
    return buffer;
}

int CD3DEngine::BuildGrid(float length, float width, float step) {
    if (!std::isfinite(length) || !std::isfinite(width) || !std::isfinite(step) || step <= 0.0f) {
        return 0;
    }
    ReleaseBuffer(m_gridBuffer);
    if (length > 0.0f) {
        m_gridSettings.length = length;
    }
    if (width > 0.0f) {
        m_gridSettings.width = width;
    }
    m_gridSettings.step = step;
    if (!m_device) {
        return 0;
    }

    // Counts come from the stored values, which are all positive.
    const float gridLength = m_gridSettings.length;
    const float gridWidth = m_gridSettings.width;
    const int linesAlongZ =
        std::min(TruncateToInt(gridLength / step), kMaxGridLinesPerDirection - 1) + 1;
    const int linesAlongX =
        std::min(TruncateToInt(gridWidth / step), kMaxGridLinesPerDirection - 1) + 1;
    const int total = linesAlongZ + linesAlongX;

    std::vector<gfx::Vector3> vertices;
    vertices.reserve(static_cast<std::size_t>(total) * 2);
    for (int k = 0; k < linesAlongZ; ++k) {
        const float x = static_cast<float>(k) * step;
        vertices.push_back({x, 0.0f, -gridWidth});
        vertices.push_back({x, 0.0f, 0.0f});
    }
    for (int k = 0; k < linesAlongX; ++k) {
        const float z = -static_cast<float>(k) * step;
        vertices.push_back({0.0f, 0.0f, z});
        vertices.push_back({gridLength, 0.0f, z});
    }
    m_gridBuffer = CreateFilledBuffer(
        vertices.data(), static_cast<uint32_t>(vertices.size()) * kGridVertexStride, gfx::kFvfXyz);
    if (m_gridBuffer == nullptr) {
        ShowMessage("Set Grid error!", PromptButtons::Ok, PromptIcon::Error);
        return 0;
    }
    m_gridLineCount = total;
    return 1;
}

void CD3DEngine::DrawGrid(draw::COLORREF gridColor) {
    if (m_gridShown == 0 || m_gridLineCount == 0 || m_gridBuffer == nullptr || !m_device) {
        return;
    }
    gfx::Device& device = *m_device;
    device.SetTransform(gfx::TransformType::World, m_gridWorld);
    device.SetTexture(0, nullptr);
    SetMaterialEmissive(m_gridMaterial, gridColor, 1.0f);
    device.SetMaterial(m_gridMaterial);
    device.SetStreamSource(0, m_gridBuffer, 0, kGridVertexStride);
    device.SetFVF(gfx::kFvfXyz);
    // Lines on the floor must not hide what stands on it.
    device.SetRenderState(RenderState::ZWriteEnable, 0);
    device.DrawPrimitive(gfx::PrimitiveType::LineList, 0, static_cast<uint32_t>(m_gridLineCount));
    device.SetRenderState(RenderState::ZWriteEnable, 1);
}

void CD3DEngine::SetGridSettings(const GridSettings* settings) {
    m_gridSettings = *settings;
    m_gridMaterial = gfx::Material();
    m_gridMaterial.emissive = {settings->red, settings->green, settings->blue, 1.0f};
    m_gridMaterial.diffuse.a = 1.0f;
    m_gridMaterial.ambient.a = 1.0f;
    m_gridMaterial.specular.a = 1.0f;
}

GridSettings* CD3DEngine::GetGridSettings(GridSettings* out) const {
    *out = m_gridSettings;
    return out;
}

void CD3DEngine::CreateOverlayBuffers() {
    if (!m_device) {
        return;
    }
    ReleaseBuffer(m_overlayLineBuffer);
    ReleaseBuffer(m_overlayShapeBuffer);
    // A unit line along +x, as the prism: selection boxes stretch both along
    // x to the length of an edge.
    const gfx::Vector3 line[2] = {{0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}};
    m_overlayLineBuffer = CreateFilledBuffer(line, sizeof(line), gfx::kFvfXyz);
    const auto prism = BuildOverlayPrism();
    m_overlayShapeBuffer = CreateFilledBuffer(prism.data(), sizeof(prism),
                                              gfx::kFvfXyz | gfx::kFvfNormal | gfx::kFvfTex1);
}

int CD3DEngine::CreatePreviewDevice(gfx::RenderContext* window) {
    if (!m_adapter && !CreateDirect3D(*window)) {
        return 0;
    }
    m_presentParameters = gfx::PresentParameters();
    gfx::PresentParameters& params = m_presentParameters;
    params.backBufferWidth = kBackBufferWidth;
    params.backBufferHeight = kBackBufferHeight;
    params.backBufferFormat = Format::X8R8G8B8;
    params.deviceWindow = window;
    params.enableAutoDepthStencil = true;
    params.autoDepthStencilFormat = Format::D16;
    m_deviceType = gfx::DeviceType::Hal;
    if (!TryCreateDevice(window, gfx::kCreateHardwareVertexProcessing)) {
        m_deviceType = gfx::DeviceType::Ref;
        if (!TryCreateDevice(window, gfx::kCreateHardwareVertexProcessing)) {
            return 0;
        }
    }
    SetDefaultRenderStates();
    return 1;
}

int CD3DEngine::CreateForWindow(gfx::RenderContext* window) {
    if (CreatePreviewDevice(window) == 0) {
        return 0;
    }
    SetAmbientColor(80, 80, 80);
    gfx::Light light;
    light.type = gfx::LightType::Point;
    light.diffuse = {0.2f, 0.2f, 0.2f, 1.0f};
    light.specular = {0.0f, 0.0f, 0.0f, 1.0f};
    light.ambient = {0.5f, 0.5f, 0.5f, 1.0f};
    light.position = {0.0f, 300.0f, 100.0f};
    light.range = 500.0f;
    light.attenuation0 = 1.0f;
    m_device->SetLight(0, light);
    m_device->LightEnable(0, true);
    return 1;
}

void CD3DEngine::ReleaseAll() {
    ReleaseBuffer(m_overlayLineBuffer);
    ReleaseBuffer(m_overlayShapeBuffer);
    ReleaseBuffer(m_gridBuffer);
    m_device.reset();
    m_adapter.reset();
}

uint32_t CD3DEngine::GetFrameRate() const {
    const uint32_t elapsed = m_tickCountA - m_tickCountB;
    return elapsed == 0 ? 1000 : 1000 / elapsed;
}
