#pragma once

// The 3D device: fixed-function rendering on OpenGL with the conventions the
// rendering code was written for. Matrices are row-vector, left-handed and
// loaded unchanged; depth runs 0..1; clockwise triangles face the viewer.
// Drawing goes into a back buffer of its own size (multisampled when asked),
// which Present stretches over the whole window.
//
// Lights: range is not applied (OpenGL lights reach everywhere; attenuation
// still dims them), a spot light's cone ends at phi / 2 with falloff as the
// exponent, and theta has no effect. Power above 128 acts as 128.
//
// The device owns the GL state of its context: each device needs a context
// of its own, and nothing else may change GL state in it, since the device
// sends a state, material or texture stage only when its value changes.
// Single-threaded, like the windows it serves.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/gfx/DeviceCallLog.h"
#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/LightMaterial.h"
#include "platform/gfx/LightSet.h"
#include "platform/gfx/MathTypes.h"
#include "platform/gfx/SamplerSettings.h"
#include "platform/gfx/TextureStages.h"

namespace gfx {

class IndexBuffer;
class RenderContext;
class RenderTarget;
class Resource;
class Texture;
class VertexBuffer;
struct VertexLayout;

class Device {
public:
    // Creates a device drawing into params->deviceWindow (or focusWindow when
    // that is null). Fails with kErrInvalidCall for bad arguments and
    // kErrNotAvailable for formats or sample counts the context cannot give.
    // Zero back-buffer sizes are replaced in *params by the window's.
    static Result Create(DeviceType type, RenderContext* focusWindow, uint32_t behaviorFlags,
                         PresentParameters* params, std::unique_ptr<Device>* device);
    ~Device();

    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // kOk, kErrDeviceLost while the loss lasts, kErrDeviceNotReset once a
    // Reset can restore the device.
    Result TestCooperativeLevel();
    // Re-creates the back buffer from params and puts every state back to
    // its default; buffers and textures survive with their contents.
    Result Reset(PresentParameters* params);
    // OpenGL never loses a device by itself: this stands in for the loss.
    // A resettable loss is one whose cause has passed.
    void MarkLost(bool resettable);

    Result GetDeviceCaps(Caps* caps) const;
    [[nodiscard]] const PresentParameters& GetPresentParameters() const { return m_params; }
    // Samples per pixel of the back buffer as made (0 when not multisampled).
    [[nodiscard]] int GetBackBufferSamples() const;
    [[nodiscard]] int GetStencilBits() const;

    Result BeginScene();
    Result EndScene();
    Result Present();
    // Clears the viewport. Fails when asked for a depth or stencil buffer
    // the back buffer lacks.
    Result Clear(uint32_t flags, Color color, float z, uint32_t stencil);
    Result SetViewport(const Viewport& viewport);
    Result GetViewport(Viewport* viewport) const;

    Result SetRenderState(RenderState state, uint32_t value);
    Result GetRenderState(RenderState state, uint32_t* value) const;
    Result SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value);
    Result GetTextureStageState(uint32_t stage, TextureStageState type, uint32_t* value) const;
    Result SetSamplerState(uint32_t sampler, SamplerState type, uint32_t value);
    Result GetSamplerState(uint32_t sampler, SamplerState type, uint32_t* value) const;

    Result SetTransform(TransformType type, const Matrix& matrix);
    Result GetTransform(TransformType type, Matrix* matrix) const;
    Result SetLight(uint32_t index, const Light& light);
    Result GetLight(uint32_t index, Light* light) const;
    // Enabling a light never set gives it the default white directional
    // light shining along +z. At most eight lights are on at a time: those
    // of the lowest indices.
    Result LightEnable(uint32_t index, bool enable);
    Result GetLightEnable(uint32_t index, bool* enable) const;
    Result SetMaterial(const Material& material);
    Result GetMaterial(Material* material) const;
    // The plane is in world coordinates; points with a x + b y + c z + d >= 0
    // stay visible.
    Result SetClipPlane(uint32_t index, const Plane& plane);
    Result GetClipPlane(uint32_t index, Plane* plane) const;

    // Resources start with one reference, which the caller owns. Every pool
    // keeps a CPU copy, so all survive Reset.
    Result CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, Pool pool,
                              VertexBuffer** buffer);
    Result CreateIndexBuffer(uint32_t length, uint32_t usage, Format format, Pool pool,
                             IndexBuffer** buffer);
    // levels 0 makes a full chain. Format A8R8G8B8 or X8R8G8B8.
    Result CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                         Format format, Pool pool, Texture** texture);
    // Pixels 0xAARRGGBB, top row first; the levels below 0 are filtered
    // down from them.
    Result CreateTextureFromPixels(uint32_t width, uint32_t height, const uint32_t* pixels,
                                   uint32_t levels, Format format, Texture** texture);

    // The device holds a reference to what is bound until it is replaced.
    Result SetTexture(uint32_t stage, Texture* texture);
    Result SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride);
    Result SetIndices(IndexBuffer* buffer);
    Result SetFVF(uint32_t fvf);
    Result GetFVF(uint32_t* fvf) const;

    Result DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount);
    Result DrawIndexedPrimitive(PrimitiveType type, int32_t baseVertexIndex, uint32_t minIndex,
                                uint32_t numVertices, uint32_t startIndex, uint32_t primitiveCount);
    // Vertices read from memory; stream 0 is unbound afterwards.
    Result DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                           uint32_t stride);

    // The back buffer as B, G, R, A bytes, top row first.
    Result GetBackBufferPixels(std::vector<uint8_t>* pixels);
    // The inverse: replaces the whole picture of the back buffer with pixels
    // laid out as GetBackBufferPixels gives them; depth, stencil, states and
    // bindings stay. Pixels of another size are an invalid call.
    Result SetBackBufferPixels(const std::vector<uint8_t>& pixels);
    // The back buffer as a 24-bit BMP file image, or written to a file.
    Result SaveBackBufferToBmp(std::vector<uint8_t>* file);
    Result SaveBackBufferToBmpFile(const std::string& path);

    // Lists every state, binding and draw asked for from now on into log
    // (none with null). The log must outlive the listing.
    void SetCallLog(DeviceCallLog* log) { m_callLog = log; }

private:
    friend class Resource;

    enum class LossState { Ok, Lost, NotReset };

    explicit Device(RenderContext* window);

    bool Activate();
    // A new resource of this device in *resource; null, and a failure, when
    // the context is gone or memory runs out.
    template <typename T, typename... Args>
    Result CreateResource(T** resource, Args... args);
    void RegisterResource(Resource* resource);
    void UnregisterResource(Resource* resource);

    Result CreateBackBuffer(PresentParameters* params);
    void InitGL();
    void BindBackBuffer();
    void ReleaseBindings();
    void SetDefaultState();
    [[nodiscard]] uint32_t State(RenderState state) const {
        return m_renderStates[static_cast<uint32_t>(state)];
    }
    void ApplyRenderState(RenderState state);
    void ApplyStencil();
    void ApplyViewport();
    // Showing the back buffer may have changed these; they are the device's.
    void ApplyStatesAfterShow();
    void ApplyEyeSpace();
    void ApplyMaterial();

    // Makes the deferred depth-stencil storage and puts the write masks
    // back.
    void MakeDepthStencil();
    // Brings the GL state up to date for a draw of this layout, and binds
    // the vertex arrays from base (an offset into the bound array buffer,
    // or memory when none is bound).
    void PrepareDraw(const VertexLayout& layout, const uint8_t* base, uint32_t stride);
    void FinishDraw(const VertexLayout& layout);
    Result CheckDraw(PrimitiveType type, uint32_t primitiveCount) const;
    [[nodiscard]] bool Drawing() const { return m_lossState == LossState::Ok; }

    RenderContext* m_context;
    PresentParameters m_params;
    std::unique_ptr<RenderTarget> m_target;
    Caps m_caps;
    LossState m_lossState = LossState::Ok;
    bool m_contextLost = false;
    bool m_canQueryReset = false;
    bool m_inScene = false;
    // Set once the context was found current inside the running scene.
    bool m_sceneContextCurrent = false;
    int m_unitCount = 1;

    std::array<uint32_t, kRenderStateCount> m_renderStates{};
    TextureStageArray m_stages;
    std::array<SamplerSettings, kMaxTextureStages> m_samplerSettings;
    std::array<unsigned, kMaxTextureStages> m_samplers{};
    std::array<Texture*, kMaxTextureStages> m_textures{};
    std::array<int, kMaxTextureStages> m_texCoordSets{};
    AppliedTextureUnits m_appliedUnits;
    unsigned m_whiteTexture = 0;

    Matrix m_world;
    Matrix m_view;
    Matrix m_projection;
    LightSet m_lights;
    Material m_material;
    std::array<Plane, kMaxClipPlanes> m_clipPlanes{};
    Viewport m_viewport;

    VertexBuffer* m_streamSource = nullptr;
    uint32_t m_streamOffset = 0;
    uint32_t m_streamStride = 0;
    IndexBuffer* m_indices = nullptr;
    uint32_t m_fvf = 0;

    // What must be sent to GL before the next draw.
    bool m_projectionDirty = true;
    bool m_modelViewDirty = true;
    bool m_eyeSpaceDirty = true;
    bool m_materialDirty = true;
    bool m_stagesDirty = true;
    bool m_colorMaterialOn = false;

    std::unordered_set<Resource*> m_resources;

    DeviceCallLog* m_callLog = nullptr;
    void LogCall(const DeviceCall& call) {
        if (m_callLog != nullptr) {
            m_callLog->push_back(call);
        }
    }
};

}  // namespace gfx
