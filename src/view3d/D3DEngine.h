#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/draw/DrawTypes.h"
#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/LightMaterial.h"
#include "platform/gfx/MathTypes.h"
#include "view3d/3DCamera.h"
#include "view3d/GraphicsAdapter.h"
#include "view3d/GridSettings.h"

class CHousDoc;

namespace gfx {
class Device;
class RenderContext;
class VertexBuffer;
}  // namespace gfx

// The device of the 3D view's engine, published once it exists. Design
// objects create and draw their meshes, textures and lights through it and
// never release it.
extern gfx::Device* g_pD3DDevice;

// The 3D device of one window: format and multisample choice, device
// creation with its chain of fallbacks, the default render states, the
// background colour, the floor grid, frames, and recovery of a lost device.
// It embeds the window's camera.
class CD3DEngine {
public:
    using AdapterFactory = std::function<std::unique_ptr<IGraphicsAdapter>(gfx::RenderContext&)>;

    static constexpr uint32_t kBackBufferWidth = 1024;
    static constexpr uint32_t kBackBufferHeight = 768;
    // More lines than this per direction are not drawn: a tiny step would
    // otherwise ask for millions.
    static constexpr int kMaxGridLinesPerDirection = 20001;

    // The adapter comes from the factory when the first device is made;
    // without one, from the window's OpenGL context.
    explicit CD3DEngine(AdapterFactory adapterFactory = {});
    ~CD3DEngine();
    CD3DEngine(const CD3DEngine&) = delete;
    CD3DEngine& operator=(const CD3DEngine&) = delete;

    // The adapter of the window; false after "無法開啟 Direct3D 裝置!".
    bool CreateDirect3D(gfx::RenderContext& window);
    // Reads the adapter's capabilities into the document's vertex-processing
    // values and lists the usable back-buffer and depth formats.
    void ChooseFormats(CHousDoc* doc);
    // The most samples from 16 down to 2 that surfaces of the format take;
    // 0 when none.
    int GetMultisampleType(gfx::Format surface);
    // 1 with a device. When neither the adapter nor any of the five
    // attempts gives one, the message is shown and the process ends; 0 is
    // returned only where the ending was replaced (tests).
    int CreateDevice(CHousDoc* doc, gfx::RenderContext* window);
    void SetDefaultRenderStates();

    void SetAmbientColor(uint8_t red, uint8_t green, uint8_t blue);
    // 2 wireframe, 3 solid.
    void SetFillMode(int mode);
    void SetClearColor(uint8_t red, uint8_t green, uint8_t blue);
    // Clears depth and stencil, and the colour when asked, falling back to
    // the buffers the device has. The last attempt's result.
    gfx::Result Clear(bool withColour);
    void BeginFrame();
    gfx::Result EndFrame();
    // 1 when the device can draw, after a Reset when it was lost; 0 while it
    // stays lost (the first time in a run after a warning): skip the frame.
    int CheckDevice(int ignored, gfx::Color ambient);

    // Positive length and width replace the stored ones; the step must be
    // positive and every value finite, or the stored grid stays as it is
    // and 0 is returned. 1 when the grid buffer was rebuilt.
    int BuildGrid(float length, float width, float step);
    // The grid lines in the colour given (the document's 3D grid colour).
    void DrawGrid(draw::COLORREF gridColor);
    void SetGridSettings(const GridSettings* settings);
    GridSettings* GetGridSettings(GridSettings* out) const;
    [[nodiscard]] int GetGridShown() const { return m_gridShown; }
    void SetGridShown(int shown) { m_gridShown = shown; }
    [[nodiscard]] int GetGridLineCount() const { return m_gridLineCount; }
    [[nodiscard]] gfx::VertexBuffer* GetGridBuffer() const { return m_gridBuffer; }

    // The axis line and the octagonal prism of the placement overlay.
    void CreateOverlayBuffers();
    [[nodiscard]] gfx::VertexBuffer* GetOverlayLineBuffer() const { return m_overlayLineBuffer; }
    [[nodiscard]] gfx::VertexBuffer* GetOverlayShapeBuffer() const { return m_overlayShapeBuffer; }

    // The single-model preview: a plain device with one point light.
    int CreateForWindow(gfx::RenderContext* window);
    int CreatePreviewDevice(gfx::RenderContext* window);

    void ReleaseAll();

    [[nodiscard]] C3DCamera& GetCamera() { return m_camera; }
    [[nodiscard]] const C3DCamera& GetCamera() const { return m_camera; }
    [[nodiscard]] gfx::Device* GetDevice() const { return m_device.get(); }
    [[nodiscard]] const gfx::PresentParameters& GetPresentParameters() const {
        return m_presentParameters;
    }
    [[nodiscard]] bool IsMultisampleAvailable() const { return m_multisampleAvailable != 0; }

    // Millisecond stamps of the last key step: B at its start, A at its end.
    void SetTickCountA(uint32_t ticks) { m_tickCountA = ticks; }
    void SetTickCountB(uint32_t ticks) { m_tickCountB = ticks; }
    // 1000 / (A - B) in unsigned arithmetic; 1000 when they are equal.
    [[nodiscard]] uint32_t GetFrameRate() const;

private:
    bool TryCreateDevice(gfx::RenderContext* window, uint32_t behaviorFlags);
    void ReleaseBuffer(gfx::VertexBuffer*& buffer);
    gfx::VertexBuffer* CreateFilledBuffer(const void* data, uint32_t length, uint32_t fvf);

    AdapterFactory m_adapterFactory;
    uint32_t m_tickCountA = 0;
    uint32_t m_tickCountB = 0;
    C3DCamera m_camera;
    std::unique_ptr<gfx::Device> m_device;
    std::unique_ptr<IGraphicsAdapter> m_adapter;
    int m_gridShown = 1;
    gfx::VertexBuffer* m_overlayLineBuffer = nullptr;
    gfx::VertexBuffer* m_overlayShapeBuffer = nullptr;
    gfx::PresentParameters m_presentParameters;
    uint8_t m_multisampleAvailable = 0;
    std::array<uint8_t, 3> m_clearColor = {150, 150, 200};
    gfx::DeviceType m_deviceType = gfx::DeviceType::Hal;
    std::array<gfx::Format, 6> m_backBufferFormats{};
    int m_multisampleType = 0;
    std::array<gfx::Format, 6> m_depthFormats{};
    uint32_t m_qualityLevels = 0;
    GridSettings m_gridSettings;
    uint32_t m_maxAnisotropy = 4;
    gfx::VertexBuffer* m_gridBuffer = nullptr;
    gfx::Matrix m_gridWorld;
    gfx::Material m_gridMaterial;
    int m_gridLineCount = 0;
};
