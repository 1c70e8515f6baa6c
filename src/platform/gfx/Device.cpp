#include "platform/gfx/Device.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <new>
#include <type_traits>

#include "platform/gfx/DepthStencilReach.h"
#include "platform/gfx/FormatSupport.h"
#include "platform/gfx/GLErrors.h"
#include "platform/gfx/GLStateMap.h"
#include "platform/gfx/IndexBuffer.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/RenderContext.h"
#include "platform/gfx/RenderTarget.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/VertexBuffer.h"
#include "platform/gfx/VertexLayout.h"
#include "platform/image/BmpWriter.h"

namespace gfx {

namespace {

// Every render state the device acts on, in the order a full state is sent.
constexpr RenderState kAppliedStates[] = {
    RenderState::ZEnable,
    RenderState::FillMode,
    RenderState::ShadeMode,
    RenderState::ZWriteEnable,
    RenderState::AlphaTestEnable,
    RenderState::AlphaFunc,
    RenderState::SrcBlend,
    RenderState::CullMode,
    RenderState::ZFunc,
    RenderState::AlphaBlendEnable,
    RenderState::StencilEnable,
    RenderState::StencilWriteMask,
    RenderState::Lighting,
    RenderState::Ambient,
    RenderState::LocalViewer,
    RenderState::NormalizeNormals,
    RenderState::ClipPlaneEnable,
    RenderState::MultisampleAntialias,
    RenderState::MultisampleMask,
    RenderState::ColorWriteEnable,
    RenderState::AntialiasedLineEnable,
};

void Enable(GLenum capability, bool on) {
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

const GLfloat* Floats(const ColorValue& color) {
    return &color.r;
}

const GLfloat* Floats(const Matrix& matrix) {
    return &matrix.m[0][0];
}

const void* BufferOffset(uint64_t offset) {
    return reinterpret_cast<const void*>(static_cast<uintptr_t>(offset));
}

// Takes the new reference before dropping the old one, so that binding the
// bound object again cannot free it.
template <typename T>
void Rebind(T*& slot, std::type_identity_t<T>* object) {
    if (object != nullptr) {
        object->AddRef();
    }
    if (slot != nullptr) {
        slot->Release();
    }
    slot = object;
}

// What a getter copies out; no place to copy to is an invalid call.
template <typename T>
Result CopyOut(const T& value, T* out) {
    if (out == nullptr) {
        return kErrInvalidCall;
    }
    *out = value;
    return kOk;
}

}  // namespace

template <typename T, typename... Args>
Result Device::CreateResource(T** resource, Args... args) {
    *resource = nullptr;
    if (!Activate()) {
        return kErrDeviceLost;
    }
    try {
        *resource = new T(this, args...);
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    return kOk;
}

Result Device::Create(DeviceType type, RenderContext* focusWindow, uint32_t behaviorFlags,
                      PresentParameters* params, std::unique_ptr<Device>* device) {
    if (device == nullptr || params == nullptr) {
        return kErrInvalidCall;
    }
    device->reset();
    RenderContext* window = params->deviceWindow != nullptr ? params->deviceWindow : focusWindow;
    const uint32_t processing =
        behaviorFlags & (kCreateSoftwareVertexProcessing | kCreateHardwareVertexProcessing |
                         kCreateMixedVertexProcessing);
    const bool oneProcessingMode = processing == kCreateSoftwareVertexProcessing ||
                                   processing == kCreateHardwareVertexProcessing ||
                                   processing == kCreateMixedVertexProcessing;
    if (window == nullptr || !oneProcessingMode ||
        (type != DeviceType::Hal && type != DeviceType::Ref)) {
        return kErrInvalidCall;
    }
    if (!window->MakeCurrent() || !ContextCanHostDevice()) {
        return kErrNotAvailable;
    }
    std::unique_ptr<Device> created(new Device(window));
    const Result result = created->CreateBackBuffer(params);
    if (Failed(result)) {
        return result;
    }
    created->m_caps = QueryContextCaps(type);
    created->InitGL();
    created->SetDefaultState();
    *device = std::move(created);
    return kOk;
}

Device::Device(RenderContext* window) : m_context(window) {}

Device::~Device() {
    const bool current = Activate();
    ReleaseBindings();
    // Whatever is still referenced outlives the device with its CPU copy.
    for (Resource* resource : m_resources) {
        if (current) {
            resource->DestroyGL();
        }
        resource->m_device = nullptr;
    }
    m_resources.clear();
    if (current) {
        glDeleteSamplers(static_cast<GLsizei>(m_samplers.size()), m_samplers.data());
        glDeleteTextures(1, &m_whiteTexture);
        m_target.reset();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    } else {
        // Without its context the GL names cannot be deleted.
        static_cast<void>(m_target.release());
    }
}

bool Device::Activate() {
    // Within a scene nothing else draws, so the context found current once
    // stays current; asking again on every call costs a system call each.
    if (m_inScene && m_sceneContextCurrent) {
        return true;
    }
    const bool current = m_context->IsCurrent() || m_context->MakeCurrent();
    m_sceneContextCurrent = m_inScene && current;
    return current;
}

void Device::RegisterResource(Resource* resource) {
    m_resources.insert(resource);
}

void Device::UnregisterResource(Resource* resource) {
    m_resources.erase(resource);
    // A texture's GL name may come back for a new texture, which the units
    // must then bind afresh.
    m_appliedUnits = AppliedTextureUnits{};
}

Result Device::CreateBackBuffer(PresentParameters* params) {
    if (params->backBufferWidth == 0) {
        params->backBufferWidth = static_cast<uint32_t>(std::max(m_context->WindowWidth(), 1));
    }
    if (params->backBufferHeight == 0) {
        params->backBufferHeight = static_cast<uint32_t>(std::max(m_context->WindowHeight(), 1));
    }
    const unsigned color = ColorFormatToGL(params->backBufferFormat);
    const unsigned depth =
        params->enableAutoDepthStencil ? DepthFormatToGL(params->autoDepthStencilFormat) : 0;
    const uint32_t samples = params->multiSampleType;
    if (color == 0 || samples == 1 || samples > 16 || params->backBufferWidth > 16384 ||
        params->backBufferHeight > 16384) {
        return kErrInvalidCall;
    }
    if ((params->enableAutoDepthStencil && depth == 0) || !IsSampleCountSupported(color, samples) ||
        (depth != 0 && !IsSampleCountSupported(depth, samples))) {
        return kErrNotAvailable;
    }
    auto target =
        RenderTarget::Create(static_cast<int>(params->backBufferWidth),
                             static_cast<int>(params->backBufferHeight), color, depth, samples);
    if (!target) {
        DrainGLErrors();
        return kErrNotAvailable;
    }
    m_target = std::move(target);
    m_params = *params;
    return kOk;
}

void Device::InitGL() {
    glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    glFrontFace(GL_CW);
    // Flat shading takes the first vertex's colour.
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glDisable(GL_COLOR_MATERIAL);
    m_canQueryReset = epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_KHR_robustness");
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    m_unitCount = std::clamp(units, 1, static_cast<GLint>(kMaxTextureStages));
    glGenSamplers(static_cast<GLsizei>(m_samplers.size()), m_samplers.data());
    for (int unit = 0; unit < m_unitCount; ++unit) {
        glBindSampler(static_cast<GLuint>(unit), m_samplers[static_cast<size_t>(unit)]);
    }
    const uint32_t white = 0xFFFFFFFF;
    glGenTextures(1, &m_whiteTexture);
    glBindTexture(GL_TEXTURE_2D, m_whiteTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, &white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    BindBackBuffer();
}

void Device::BindBackBuffer() {
    // Someone else drawing with the context may have left another
    // framebuffer bound.
    glBindFramebuffer(GL_FRAMEBUFFER, m_target->Framebuffer());
}

void Device::ReleaseBindings() {
    for (Texture*& texture : m_textures) {
        Rebind(texture, nullptr);
    }
    Rebind(m_streamSource, nullptr);
    Rebind(m_indices, nullptr);
}

void Device::SetDefaultState() {
    m_renderStates.fill(0);
    auto set = [this](RenderState state, uint32_t value) {
        m_renderStates[static_cast<uint32_t>(state)] = value;
    };
    set(RenderState::ZEnable, m_params.enableAutoDepthStencil ? 1 : 0);
    set(RenderState::FillMode, kFillSolid);
    set(RenderState::ShadeMode, kShadeGouraud);
    set(RenderState::ZWriteEnable, 1);
    set(RenderState::SrcBlend, kBlendOne);
    set(RenderState::DestBlend, kBlendZero);
    set(RenderState::CullMode, kCullCcw);
    set(RenderState::ZFunc, kCmpLessEqual);
    set(RenderState::AlphaFunc, kCmpAlways);
    set(RenderState::StencilFail, kStencilOpKeep);
    set(RenderState::StencilZFail, kStencilOpKeep);
    set(RenderState::StencilPass, kStencilOpKeep);
    set(RenderState::StencilFunc, kCmpAlways);
    set(RenderState::StencilMask, 0xFFFFFFFF);
    set(RenderState::StencilWriteMask, 0xFFFFFFFF);
    set(RenderState::TextureFactor, 0xFFFFFFFF);
    set(RenderState::Lighting, 1);
    set(RenderState::ColorVertex, 1);
    set(RenderState::LocalViewer, 1);
    set(RenderState::MultisampleAntialias, 1);
    set(RenderState::MultisampleMask, 0xFFFFFFFF);
    set(RenderState::ColorWriteEnable, 0xF);
    set(RenderState::CcwStencilFail, kStencilOpKeep);
    set(RenderState::CcwStencilZFail, kStencilOpKeep);
    set(RenderState::CcwStencilPass, kStencilOpKeep);
    set(RenderState::CcwStencilFunc, kCmpAlways);

    for (uint32_t i = 0; i < kMaxTextureStages; ++i) {
        TextureStageSettings stage;
        stage.colorOp = i == 0 ? kTopModulate : kTopDisable;
        stage.alphaOp = i == 0 ? kTopSelectArg1 : kTopDisable;
        stage.texCoordIndex = i;
        m_stages[i] = stage;
        m_samplerSettings[i] = SamplerSettings();
    }
    m_world = MatrixIdentity();
    m_view = MatrixIdentity();
    m_projection = MatrixIdentity();
    m_lights.Clear();
    m_material = Material();
    m_clipPlanes.fill(Plane());
    m_viewport = {0, 0, m_params.backBufferWidth, m_params.backBufferHeight, 0.0f, 1.0f};
    m_fvf = 0;

    for (RenderState state : kAppliedStates) {
        ApplyRenderState(state);
    }
    for (uint32_t i = 0; i < kMaxTextureStages; ++i) {
        m_samplerSettings[i].ApplyTo(m_samplers[i], m_caps.maxAnisotropy);
    }
    ApplyViewport();
    m_projectionDirty = m_modelViewDirty = m_eyeSpaceDirty = true;
    m_materialDirty = m_stagesDirty = true;
    m_appliedUnits = AppliedTextureUnits{};
}

void Device::ApplyRenderState(RenderState state) {
    const uint32_t value = State(state);
    switch (state) {
        case RenderState::ZEnable:
            Enable(GL_DEPTH_TEST, value != 0);
            break;
        case RenderState::FillMode:
            glPolygonMode(GL_FRONT_AND_BACK, FillModeToGL(value));
            break;
        case RenderState::ShadeMode:
            glShadeModel(value == kShadeFlat ? GL_FLAT : GL_SMOOTH);
            break;
        case RenderState::ZWriteEnable:
            glDepthMask(value != 0 ? GL_TRUE : GL_FALSE);
            break;
        case RenderState::AlphaTestEnable:
            Enable(GL_ALPHA_TEST, value != 0);
            break;
        case RenderState::AlphaRef:
        case RenderState::AlphaFunc:
            glAlphaFunc(CmpToGL(State(RenderState::AlphaFunc)),
                        static_cast<GLfloat>(State(RenderState::AlphaRef) & 0xFF) / 255.0f);
            break;
        case RenderState::SrcBlend:
        case RenderState::DestBlend:
            glBlendFunc(BlendToGL(State(RenderState::SrcBlend)),
                        BlendToGL(State(RenderState::DestBlend)));
            break;
        case RenderState::CullMode:
            // Front faces are clockwise, so culling clockwise faces culls
            // the front.
            Enable(GL_CULL_FACE, value != kCullNone);
            glCullFace(value == kCullCw ? GL_FRONT : GL_BACK);
            break;
        case RenderState::ZFunc:
            glDepthFunc(CmpToGL(value));
            break;
        case RenderState::AlphaBlendEnable:
            Enable(GL_BLEND, value != 0);
            break;
        case RenderState::SpecularEnable:
            m_materialDirty = true;
            break;
        case RenderState::StencilEnable:
        case RenderState::StencilFail:
        case RenderState::StencilZFail:
        case RenderState::StencilPass:
        case RenderState::StencilFunc:
        case RenderState::StencilRef:
        case RenderState::StencilMask:
        case RenderState::TwoSidedStencilMode:
        case RenderState::CcwStencilFail:
        case RenderState::CcwStencilZFail:
        case RenderState::CcwStencilPass:
        case RenderState::CcwStencilFunc:
            ApplyStencil();
            break;
        case RenderState::StencilWriteMask:
            glStencilMask(value);
            break;
        case RenderState::TextureFactor:
            m_stagesDirty = true;
            break;
        case RenderState::Lighting:
            Enable(GL_LIGHTING, value != 0);
            break;
        case RenderState::Ambient: {
            GLfloat ambient[4];
            ColorToFloats(value, ambient);
            glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
            break;
        }
        case RenderState::LocalViewer:
            glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, value != 0 ? GL_TRUE : GL_FALSE);
            break;
        case RenderState::NormalizeNormals:
            Enable(GL_NORMALIZE, value != 0);
            break;
        case RenderState::ClipPlaneEnable:
            for (uint32_t i = 0; i < kMaxClipPlanes; ++i) {
                Enable(GL_CLIP_PLANE0 + i, i < m_caps.maxUserClipPlanes && ((value >> i) & 1) != 0);
            }
            break;
        case RenderState::MultisampleAntialias:
            Enable(GL_MULTISAMPLE, value != 0);
            break;
        case RenderState::MultisampleMask:
            Enable(GL_SAMPLE_MASK, value != 0xFFFFFFFF);
            glSampleMaski(0, value);
            break;
        case RenderState::ColorWriteEnable:
            glColorMask((value & kColorWriteRed) != 0, (value & kColorWriteGreen) != 0,
                        (value & kColorWriteBlue) != 0, (value & kColorWriteAlpha) != 0);
            break;
        case RenderState::AntialiasedLineEnable:
            Enable(GL_LINE_SMOOTH, value != 0);
            break;
        default:
            break;
    }
}

void Device::ApplyStencil() {
    Enable(GL_STENCIL_TEST, State(RenderState::StencilEnable) != 0);
    const auto ref = static_cast<GLint>(State(RenderState::StencilRef));
    const GLuint mask = State(RenderState::StencilMask);
    glStencilFuncSeparate(GL_FRONT, CmpToGL(State(RenderState::StencilFunc)), ref, mask);
    glStencilOpSeparate(GL_FRONT, StencilOpToGL(State(RenderState::StencilFail)),
                        StencilOpToGL(State(RenderState::StencilZFail)),
                        StencilOpToGL(State(RenderState::StencilPass)));
    // Counter-clockwise faces are the back faces; they have their own test
    // only in two-sided mode.
    const bool twoSided = State(RenderState::TwoSidedStencilMode) != 0;
    auto back = [this, twoSided](RenderState ccw, RenderState normal) {
        return State(twoSided ? ccw : normal);
    };
    glStencilFuncSeparate(
        GL_BACK, CmpToGL(back(RenderState::CcwStencilFunc, RenderState::StencilFunc)), ref, mask);
    glStencilOpSeparate(
        GL_BACK, StencilOpToGL(back(RenderState::CcwStencilFail, RenderState::StencilFail)),
        StencilOpToGL(back(RenderState::CcwStencilZFail, RenderState::StencilZFail)),
        StencilOpToGL(back(RenderState::CcwStencilPass, RenderState::StencilPass)));
}

void Device::ApplyViewport() {
    const auto bottom = static_cast<GLint>(m_params.backBufferHeight) -
                        static_cast<GLint>(m_viewport.y + m_viewport.height);
    glViewport(static_cast<GLint>(m_viewport.x), bottom, static_cast<GLsizei>(m_viewport.width),
               static_cast<GLsizei>(m_viewport.height));
    glDepthRange(m_viewport.minZ, m_viewport.maxZ);
}

void Device::ApplyEyeSpace() {
    // Called with the view matrix loaded: GL keeps light positions and clip
    // planes in eye space, and both are given in world space.
    m_lights.Apply(m_caps.maxActiveLights);
    for (uint32_t i = 0; i < m_caps.maxUserClipPlanes; ++i) {
        const Plane& p = m_clipPlanes[i];
        const GLdouble equation[4] = {p.a, p.b, p.c, p.d};
        glClipPlane(GL_CLIP_PLANE0 + i, equation);
    }
}

void Device::ApplyMaterial() {
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, Floats(m_material.diffuse));
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, Floats(m_material.ambient));
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, Floats(m_material.emissive));
    const ColorValue none;
    const bool specular = State(RenderState::SpecularEnable) != 0;
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, Floats(specular ? m_material.specular : none));
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(m_material.power, 0.0f, 128.0f));
}

Result Device::TestCooperativeLevel() {
    if (!m_contextLost && m_canQueryReset && Activate() &&
        glGetGraphicsResetStatus() != GL_NO_ERROR) {
        m_contextLost = true;
    }
    if (m_contextLost) {
        m_lossState = LossState::Lost;
    }
    switch (m_lossState) {
        case LossState::Ok:
            return kOk;
        case LossState::Lost:
            return kErrDeviceLost;
        case LossState::NotReset:
            return kErrDeviceNotReset;
    }
    return kErrDeviceLost;
}

void Device::MarkLost(bool resettable) {
    m_lossState = resettable ? LossState::NotReset : LossState::Lost;
}

Result Device::Reset(PresentParameters* params) {
    if (params == nullptr) {
        return kErrInvalidCall;
    }
    // A lost GL context cannot come back: the device stays lost.
    if (m_contextLost || m_lossState == LossState::Lost) {
        return kErrDeviceLost;
    }
    if (!Activate()) {
        return kErrDeviceLost;
    }
    ReleaseBindings();
    PresentParameters wanted = *params;
    if (wanted.deviceWindow == nullptr) {
        wanted.deviceWindow = m_context;
    }
    Result result = kErrInvalidCall;
    if (wanted.deviceWindow == m_context) {
        result = CreateBackBuffer(&wanted);
    }
    if (Failed(result)) {
        // The old back buffer stays; the device waits for a good Reset.
        m_lossState = LossState::NotReset;
        return result;
    }
    *params = wanted;
    for (Resource* resource : m_resources) {
        resource->DestroyGL();
        resource->RestoreGL();
    }
    BindBackBuffer();
    SetDefaultState();
    m_inScene = false;
    m_lossState = LossState::Ok;
    return kOk;
}

Result Device::GetDeviceCaps(Caps* caps) const {
    return CopyOut(m_caps, caps);
}

int Device::GetBackBufferSamples() const {
    return m_target ? m_target->Samples() : 0;
}

int Device::GetStencilBits() const {
    return m_target ? m_target->StencilBits() : 0;
}

Result Device::BeginScene() {
    if (m_inScene) {
        return kErrInvalidCall;
    }
    m_inScene = true;
    m_sceneContextCurrent = false;
    if (Activate()) {
        BindBackBuffer();
    }
    return kOk;
}

Result Device::EndScene() {
    if (!m_inScene) {
        return kErrInvalidCall;
    }
    m_inScene = false;
    m_sceneContextCurrent = false;
    if (Drawing() && Activate()) {
        glFlush();
    }
    return kOk;
}

Result Device::Present() {
    if (!Drawing() || !Activate()) {
        return kErrDeviceLost;
    }
    const int width = m_context->WindowWidth();
    const int height = m_context->WindowHeight();
    if (width > 0 && height > 0) {
        m_target->ShowIn(m_context->WindowFramebuffer(), width, height);
        ApplyStatesAfterShow();
        m_context->SwapBuffers();
    }
    if (DrainGLErrors() == GLErrorState::ContextLost) {
        m_contextLost = true;
        m_lossState = LossState::Lost;
        return kErrDeviceLost;
    }
    return kOk;
}

void Device::ApplyStatesAfterShow() {
    for (RenderState state :
         {RenderState::ZEnable, RenderState::StencilEnable, RenderState::AlphaBlendEnable,
          RenderState::CullMode, RenderState::FillMode, RenderState::AlphaTestEnable,
          RenderState::ClipPlaneEnable, RenderState::ColorWriteEnable}) {
        ApplyRenderState(state);
    }
    ApplyViewport();
}

Result Device::Clear(uint32_t flags, Color color, float z, uint32_t stencil) {
    if (flags == 0 || (flags & ~(kClearTarget | kClearZBuffer | kClearStencil)) != 0 ||
        ((flags & kClearZBuffer) != 0 && !m_target->HasDepth()) ||
        ((flags & kClearStencil) != 0 && m_target->StencilBits() == 0)) {
        return kErrInvalidCall;
    }
    if (!Drawing() || !Activate()) {
        return kOk;
    }
    BindBackBuffer();
    // Clearing reaches the viewport only, and ignores the write masks.
    const bool partial = m_viewport.x != 0 || m_viewport.y != 0 ||
                         m_viewport.width != m_params.backBufferWidth ||
                         m_viewport.height != m_params.backBufferHeight;
    // A deferred depth-stencil buffer cleared whole only keeps the values;
    // one cleared in part must exist first.
    if ((flags & (kClearZBuffer | kClearStencil)) != 0 && m_target->IsDepthStencilDeferred()) {
        if (partial) {
            MakeDepthStencil();
        } else {
            m_target->RecordDepthStencilClear((flags & kClearZBuffer) != 0,
                                              std::clamp(z, 0.0f, 1.0f),
                                              (flags & kClearStencil) != 0, stencil);
            flags &= kClearTarget;
        }
    }
    GLbitfield mask = 0;
    if ((flags & kClearTarget) != 0) {
        GLfloat rgba[4];
        ColorToFloats(color, rgba);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & kClearZBuffer) != 0) {
        glClearDepth(std::clamp(z, 0.0f, 1.0f));
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if ((flags & kClearStencil) != 0) {
        glClearStencil(static_cast<GLint>(stencil));
        glStencilMask(0xFFFFFFFF);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (partial) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(static_cast<GLint>(m_viewport.x),
                  static_cast<GLint>(m_params.backBufferHeight) -
                      static_cast<GLint>(m_viewport.y + m_viewport.height),
                  static_cast<GLsizei>(m_viewport.width), static_cast<GLsizei>(m_viewport.height));
    }
    glClear(mask);
    glDisable(GL_SCISSOR_TEST);
    ApplyRenderState(RenderState::ColorWriteEnable);
    ApplyRenderState(RenderState::ZWriteEnable);
    ApplyRenderState(RenderState::StencilWriteMask);
    return kOk;
}

Result Device::SetViewport(const Viewport& viewport) {
    if (viewport.width == 0 || viewport.height == 0 ||
        static_cast<uint64_t>(viewport.x) + viewport.width > m_params.backBufferWidth ||
        static_cast<uint64_t>(viewport.y) + viewport.height > m_params.backBufferHeight ||
        !(viewport.minZ >= 0.0f && viewport.minZ <= 1.0f && viewport.maxZ >= 0.0f &&
          viewport.maxZ <= 1.0f)) {
        return kErrInvalidCall;
    }
    m_viewport = viewport;
    if (Activate()) {
        ApplyViewport();
    }
    return kOk;
}

Result Device::GetViewport(Viewport* viewport) const {
    return CopyOut(m_viewport, viewport);
}

Result Device::SetRenderState(RenderState state, uint32_t value) {
    LogCall(DeviceCall::State(state, value));
    const auto index = static_cast<uint32_t>(state);
    if (index >= kRenderStateCount) {
        return kErrInvalidCall;
    }
    // Inside a scene the context stays current, so GL already holds the
    // value: sending it again before every draw costs the driver's time.
    if (m_renderStates[index] == value && m_inScene && m_sceneContextCurrent) {
        return kOk;
    }
    m_renderStates[index] = value;
    if (Activate()) {
        ApplyRenderState(state);
    }
    return kOk;
}

Result Device::GetRenderState(RenderState state, uint32_t* value) const {
    const auto index = static_cast<uint32_t>(state);
    if (index >= kRenderStateCount) {
        return kErrInvalidCall;
    }
    return CopyOut(m_renderStates[index], value);
}

Result Device::SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value) {
    LogCall(DeviceCall::StageState(stage, type, value));
    uint32_t old = 0;
    if (stage >= kMaxTextureStages || !m_stages[stage].Get(type, &old)) {
        return kErrInvalidCall;
    }
    if (old != value) {
        m_stages[stage].Set(type, value);
        m_stagesDirty = true;
    }
    return kOk;
}

Result Device::GetTextureStageState(uint32_t stage, TextureStageState type, uint32_t* value) const {
    if (stage >= kMaxTextureStages || !m_stages[stage].Get(type, value)) {
        return kErrInvalidCall;
    }
    return kOk;
}

Result Device::SetSamplerState(uint32_t sampler, SamplerState type, uint32_t value) {
    if (sampler >= kMaxTextureStages || !m_samplerSettings[sampler].Set(type, value)) {
        return kErrInvalidCall;
    }
    if (Activate()) {
        m_samplerSettings[sampler].ApplyTo(m_samplers[sampler], m_caps.maxAnisotropy);
    }
    return kOk;
}

Result Device::GetSamplerState(uint32_t sampler, SamplerState type, uint32_t* value) const {
    if (sampler >= kMaxTextureStages || !m_samplerSettings[sampler].Get(type, value)) {
        return kErrInvalidCall;
    }
    return kOk;
}

Result Device::SetTransform(TransformType type, const Matrix& matrix) {
    LogCall(DeviceCall::Transform(type));
    switch (type) {
        case TransformType::World:
            m_world = matrix;
            m_modelViewDirty = true;
            return kOk;
        case TransformType::View:
            m_view = matrix;
            m_modelViewDirty = m_eyeSpaceDirty = true;
            return kOk;
        case TransformType::Projection:
            m_projection = matrix;
            m_projectionDirty = true;
            return kOk;
    }
    return kErrInvalidCall;
}

Result Device::GetTransform(TransformType type, Matrix* matrix) const {
    switch (type) {
        case TransformType::World:
            return CopyOut(m_world, matrix);
        case TransformType::View:
            return CopyOut(m_view, matrix);
        case TransformType::Projection:
            return CopyOut(m_projection, matrix);
    }
    return kErrInvalidCall;
}

Result Device::SetLight(uint32_t index, const Light& light) {
    const Result result = m_lights.Set(index, light);
    m_eyeSpaceDirty = m_eyeSpaceDirty || Succeeded(result);
    return result;
}

Result Device::GetLight(uint32_t index, Light* light) const {
    return m_lights.Get(index, light);
}

Result Device::LightEnable(uint32_t index, bool enable) {
    m_lights.Enable(index, enable);
    m_eyeSpaceDirty = true;
    return kOk;
}

Result Device::GetLightEnable(uint32_t index, bool* enable) const {
    return m_lights.IsEnabled(index, enable);
}

Result Device::SetMaterial(const Material& material) {
    if (std::memcmp(&m_material, &material, sizeof(Material)) != 0) {
        m_material = material;
        m_materialDirty = true;
    }
    return kOk;
}

Result Device::GetMaterial(Material* material) const {
    return CopyOut(m_material, material);
}

Result Device::SetClipPlane(uint32_t index, const Plane& plane) {
    if (index >= m_caps.maxUserClipPlanes) {
        return kErrInvalidCall;
    }
    m_clipPlanes[index] = plane;
    m_eyeSpaceDirty = true;
    return kOk;
}

Result Device::GetClipPlane(uint32_t index, Plane* plane) const {
    if (index >= m_caps.maxUserClipPlanes) {
        return kErrInvalidCall;
    }
    return CopyOut(m_clipPlanes[index], plane);
}

Result Device::CreateVertexBuffer(uint32_t length, uint32_t /*usage*/, uint32_t fvf, Pool /*pool*/,
                                  VertexBuffer** buffer) {
    if (buffer == nullptr || length == 0) {
        return kErrInvalidCall;
    }
    return CreateResource(buffer, length, fvf);
}

Result Device::CreateIndexBuffer(uint32_t length, uint32_t /*usage*/, Format format, Pool /*pool*/,
                                 IndexBuffer** buffer) {
    if (buffer == nullptr || length == 0 ||
        (format != Format::Index16 && format != Format::Index32)) {
        return kErrInvalidCall;
    }
    return CreateResource(buffer, length, format);
}

Result Device::CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t /*usage*/,
                             Format format, Pool /*pool*/, Texture** texture) {
    if (texture == nullptr) {
        return kErrInvalidCall;
    }
    *texture = nullptr;
    const uint32_t fullChain = Texture::FullChainLength(width, height);
    if (width == 0 || height == 0 || width > m_caps.maxTextureWidth ||
        height > m_caps.maxTextureHeight || levels > fullChain ||
        (format != Format::A8R8G8B8 && format != Format::X8R8G8B8)) {
        return kErrInvalidCall;
    }
    return CreateResource(texture, width, height, levels == 0 ? fullChain : levels, format);
}

Result Device::CreateTextureFromPixels(uint32_t width, uint32_t height, const uint32_t* pixels,
                                       uint32_t levels, Format format, Texture** texture) {
    if (pixels == nullptr) {
        return kErrInvalidCall;
    }
    const Result result = CreateTexture(width, height, levels, 0, format, Pool::Managed, texture);
    if (Failed(result)) {
        return result;
    }
    LockedRect locked;
    (*texture)->LockRect(0, &locked, 0);
    std::memcpy(locked.bits, pixels, size_t{width} * height * 4);
    (*texture)->UnlockRect(0);
    (*texture)->GenerateMipSubLevels();
    return kOk;
}

Result Device::SetTexture(uint32_t stage, Texture* texture) {
    LogCall(DeviceCall::Texture(stage, texture != nullptr));
    if (stage >= kMaxTextureStages) {
        return kErrInvalidCall;
    }
    if (m_textures[stage] != texture) {
        Rebind(m_textures[stage], texture);
        m_stagesDirty = true;
    }
    return kOk;
}

Result Device::SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset,
                               uint32_t stride) {
    LogCall(DeviceCall::StreamSource(stride));
    if (stream != 0) {
        return kErrInvalidCall;
    }
    Rebind(m_streamSource, buffer);
    m_streamOffset = offset;
    m_streamStride = stride;
    return kOk;
}

Result Device::SetIndices(IndexBuffer* buffer) {
    Rebind(m_indices, buffer);
    return kOk;
}

Result Device::SetFVF(uint32_t fvf) {
    LogCall(DeviceCall::Fvf(fvf));
    m_fvf = fvf;
    return kOk;
}

Result Device::GetFVF(uint32_t* fvf) const {
    return CopyOut(m_fvf, fvf);
}

void Device::MakeDepthStencil() {
    m_target->MakeDepthStencil();
    ApplyRenderState(RenderState::ZWriteEnable);
    ApplyRenderState(RenderState::StencilWriteMask);
}

void Device::PrepareDraw(const VertexLayout& layout, const uint8_t* base, uint32_t stride) {
    if (m_target->IsDepthStencilDeferred() &&
        DrawReachesDepthStencil(State(RenderState::ZEnable), State(RenderState::ZWriteEnable),
                                State(RenderState::ZFunc), State(RenderState::StencilEnable),
                                m_target->DeferredDepth())) {
        MakeDepthStencil();
    }
    if (layout.transformed) {
        // Positions are render-target pixels: map the viewport onto clip
        // space directly, with no lighting and no user clip planes.
        const float vx = static_cast<float>(m_viewport.x);
        const float vy = static_cast<float>(m_viewport.y);
        const float vw = static_cast<float>(m_viewport.width);
        const float vh = static_cast<float>(m_viewport.height);
        const GLfloat pixels[16] = {2.0f / vw,
                                    0,
                                    0,
                                    0,
                                    0,
                                    -2.0f / vh,
                                    0,
                                    0,
                                    0,
                                    0,
                                    1,
                                    0,
                                    -2.0f * vx / vw - 1.0f,
                                    2.0f * vy / vh + 1.0f,
                                    0,
                                    1};
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(pixels);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        for (uint32_t i = 0; i < kMaxClipPlanes; ++i) {
            glDisable(GL_CLIP_PLANE0 + i);
        }
    } else {
        if (m_projectionDirty) {
            glMatrixMode(GL_PROJECTION);
            glLoadMatrixf(Floats(m_projection));
            glMatrixMode(GL_MODELVIEW);
            m_projectionDirty = false;
        }
        if (m_modelViewDirty || m_eyeSpaceDirty) {
            glMatrixMode(GL_MODELVIEW);
            // Row vectors: v * World * View, which GL reads as View^T * World^T.
            glLoadMatrixf(Floats(m_view));
            if (m_eyeSpaceDirty) {
                ApplyEyeSpace();
                m_eyeSpaceDirty = false;
            }
            glMultMatrixf(Floats(m_world));
            m_modelViewDirty = false;
        }
    }
    if (m_materialDirty) {
        ApplyMaterial();
        m_materialDirty = false;
    }
    const bool lighting = !layout.transformed && State(RenderState::Lighting) != 0;
    const bool colorMaterial =
        lighting && layout.diffuseOffset >= 0 && State(RenderState::ColorVertex) != 0;
    if (colorMaterial != m_colorMaterialOn) {
        Enable(GL_COLOR_MATERIAL, colorMaterial);
        m_colorMaterialOn = colorMaterial;
    }
    if (m_stagesDirty) {
        std::array<unsigned, kMaxTextureStages> names{};
        for (size_t i = 0; i < names.size(); ++i) {
            names[i] = m_textures[i] != nullptr ? m_textures[i]->GLName() : 0;
        }
        m_texCoordSets = ApplyTextureStages(m_stages, names, State(RenderState::TextureFactor),
                                            m_whiteTexture, m_unitCount, m_appliedUnits);
        m_stagesDirty = false;
    }

    const auto s = static_cast<GLsizei>(stride);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, s, base);
    if (layout.normalOffset >= 0) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, s, base + layout.normalOffset);
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
        glNormal3f(0.0f, 0.0f, 0.0f);
    }
    if (layout.diffuseOffset >= 0) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, s, base + layout.diffuseOffset);
    } else {
        // A vertex without colour is white.
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    for (int unit = 0; unit < m_unitCount; ++unit) {
        glClientActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        const int set = m_texCoordSets[static_cast<size_t>(unit)];
        if (set >= 0 && set < layout.texCoordSets) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, s,
                              base + layout.texCoordOffsets[static_cast<size_t>(set)]);
        } else {
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
    }
    glClientActiveTexture(GL_TEXTURE0);
}

void Device::FinishDraw(const VertexLayout& layout) {
    if (m_colorMaterialOn) {
        // Colour material overwrote the material's diffuse colour.
        m_materialDirty = true;
    }
    if (layout.transformed) {
        m_projectionDirty = m_modelViewDirty = true;
        ApplyRenderState(RenderState::Lighting);
        ApplyRenderState(RenderState::ClipPlaneEnable);
    }
}

Result Device::CheckDraw(PrimitiveType type, uint32_t primitiveCount) const {
    if (PrimitiveToGL(type) == 0 || primitiveCount == 0) {
        return kErrInvalidCall;
    }
    return kOk;
}

Result Device::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    LogCall(DeviceCall::Draw(type, primitiveCount));
    const VertexLayout layout = VertexLayout::FromFvf(m_fvf);
    if (Failed(CheckDraw(type, primitiveCount)) || m_streamSource == nullptr || !layout.valid ||
        m_streamStride < layout.size) {
        return kErrInvalidCall;
    }
    const uint64_t count = VerticesForPrimitives(type, primitiveCount);
    const uint64_t end = m_streamOffset + (startVertex + count - 1) * m_streamStride + layout.size;
    if (end > m_streamSource->GetSize()) {
        return kErrInvalidCall;
    }
    if (!Drawing() || !Activate()) {
        return kOk;
    }
    glBindBuffer(GL_ARRAY_BUFFER, m_streamSource->GLName());
    PrepareDraw(layout, static_cast<const uint8_t*>(BufferOffset(m_streamOffset)), m_streamStride);
    glDrawArrays(PrimitiveToGL(type), static_cast<GLint>(startVertex), static_cast<GLsizei>(count));
    FinishDraw(layout);
    return kOk;
}

Result Device::DrawIndexedPrimitive(PrimitiveType type, int32_t baseVertexIndex, uint32_t minIndex,
                                    uint32_t numVertices, uint32_t startIndex,
                                    uint32_t primitiveCount) {
    const VertexLayout layout = VertexLayout::FromFvf(m_fvf);
    if (Failed(CheckDraw(type, primitiveCount)) || m_streamSource == nullptr ||
        m_indices == nullptr || !layout.valid || m_streamStride < layout.size) {
        return kErrInvalidCall;
    }
    const uint64_t count = VerticesForPrimitives(type, primitiveCount);
    const uint32_t indexSize = m_indices->IndexSize();
    const int64_t firstVertex = int64_t{baseVertexIndex} + minIndex;
    const uint64_t available = m_streamSource->GetSize() > m_streamOffset
                                   ? (m_streamSource->GetSize() - m_streamOffset) / m_streamStride
                                   : 0;
    if ((startIndex + count) * indexSize > m_indices->GetSize() || firstVertex < 0 ||
        static_cast<uint64_t>(firstVertex) + numVertices > available) {
        return kErrInvalidCall;
    }
    if (!Drawing() || !Activate()) {
        return kOk;
    }
    glBindBuffer(GL_ARRAY_BUFFER, m_streamSource->GLName());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indices->GLName());
    PrepareDraw(layout, static_cast<const uint8_t*>(BufferOffset(m_streamOffset)), m_streamStride);
    const GLenum indexType = indexSize == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT;
    const void* first = BufferOffset(uint64_t{startIndex} * indexSize);
    if (baseVertexIndex == 0) {
        glDrawElements(PrimitiveToGL(type), static_cast<GLsizei>(count), indexType, first);
    } else {
        glDrawElementsBaseVertex(PrimitiveToGL(type), static_cast<GLsizei>(count), indexType, first,
                                 baseVertexIndex);
    }
    FinishDraw(layout);
    return kOk;
}

Result Device::DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                               uint32_t stride) {
    LogCall(DeviceCall::DrawUP(type, primitiveCount));
    const VertexLayout layout = VertexLayout::FromFvf(m_fvf);
    if (Failed(CheckDraw(type, primitiveCount)) || vertices == nullptr || !layout.valid ||
        stride < layout.size) {
        return kErrInvalidCall;
    }
    Rebind(m_streamSource, nullptr);
    m_streamOffset = 0;
    m_streamStride = 0;
    if (!Drawing() || !Activate()) {
        return kOk;
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    PrepareDraw(layout, static_cast<const uint8_t*>(vertices), stride);
    glDrawArrays(PrimitiveToGL(type), 0,
                 static_cast<GLsizei>(VerticesForPrimitives(type, primitiveCount)));
    FinishDraw(layout);
    return kOk;
}

Result Device::GetBackBufferPixels(std::vector<uint8_t>* pixels) {
    if (pixels == nullptr) {
        return kErrInvalidCall;
    }
    if (!Activate()) {
        return kErrDeviceLost;
    }
    *pixels = m_target->ReadPixels();
    ApplyRenderState(RenderState::ColorWriteEnable);
    return kOk;
}

Result Device::SetBackBufferPixels(const std::vector<uint8_t>& pixels) {
    if (pixels.size() !=
        static_cast<size_t>(m_target->Width()) * static_cast<size_t>(m_target->Height()) * 4) {
        return kErrInvalidCall;
    }
    if (!Activate()) {
        return kErrDeviceLost;
    }
    m_target->WritePixels(pixels.data());
    ApplyRenderState(RenderState::ColorWriteEnable);
    return kOk;
}

Result Device::SaveBackBufferToBmp(std::vector<uint8_t>* file) {
    if (file == nullptr) {
        return kErrInvalidCall;
    }
    std::vector<uint8_t> pixels;
    const Result result = GetBackBufferPixels(&pixels);
    if (Failed(result)) {
        return result;
    }
    *file = image::EncodeBmp24(m_target->Width(), m_target->Height(), pixels.data(),
                               static_cast<size_t>(m_target->Width()) * 4);
    return file->empty() ? kErrFail : kOk;
}

Result Device::SaveBackBufferToBmpFile(const std::string& path) {
    std::vector<uint8_t> file;
    const Result result = SaveBackBufferToBmp(&file);
    if (Failed(result)) {
        return result;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    out.close();
    return out ? kOk : kErrFail;
}

}  // namespace gfx
