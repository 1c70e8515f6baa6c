#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "document/DesignScene.h"
#include "foundation/DibImage.h"
#include "platform/gfx/MathTypes.h"
#include "view3d/AxisLabelAtlas.h"
#include "view3d/D3DEngine.h"
#include "view3d/HousViewCamera.h"
#include "view3d/OverlayImages.h"
#include "view3d/SceneRenderTarget.h"

class CHousDoc;

namespace draw {
class DrawContext;
}

namespace gfx {
class RenderContext;
}

// The 3D view apart from its window: the scene store of the design, the
// device set-up at the first real size, the frame (the scene, then the axis
// overlay), the captures of a frame for thumbnails and printing, and the
// update hints the view answers. It starts with the document's background
// colour.
class CHousViewRenderer {
public:
    // The update hints the 3D view answers besides the full refresh.
    static constexpr int kPrintPreviewHint = 2300;
    static constexpr int kPrintHint = 2301;
    static constexpr double kInitialPrintScale = 4.72;

    CHousViewRenderer(CHousDoc& doc, gfx::RenderContext& window,
                      CD3DEngine::AdapterFactory adapterFactory = {});
    // Takes the device back from the design objects before releasing it.
    ~CHousViewRenderer();
    CHousViewRenderer(const CHousViewRenderer&) = delete;
    CHousViewRenderer& operator=(const CHousViewRenderer&) = delete;

    // A new client size. The first one with an area sets up the device,
    // gives the scene its document and makes the overlay images available;
    // any later one draws a frame at once.
    void OnSize(int width, int height);
    [[nodiscard]] bool IsFirstSizePending() const { return m_firstSizePending; }
    void InitRenderer();

    // 2100 draws a frame now; 2300 and 2301 make the next printed page take
    // a fresh frame. Every other hint is the plan view's.
    void OnUpdate(int hint);

    // One frame on the window; false when none was drawn (not set up yet,
    // painting suspended, no area, or the device lost).
    bool RenderFrame();
    // Set while a capture runs that must not be painted over.
    void SetPaintingSuspended(bool suspended) { m_paintingSuspended = suspended ? 1 : 0; }

    // The scene into the back buffer for a capture, without the overlay and
    // without Present. After the projection a point at (x, y) in normalised
    // device coordinates moves to (zoom x + offsetX, zoom y + offsetY).
    // Drawn while painting is suspended too; false without a device or an
    // area, or with the device lost.
    bool RenderFrameNoPresent(float zoom, float offsetX, float offsetY);
    // The frame as a BMP of 256 x 192 (small: 100 x 80), fitted on black.
    // False, and nothing written, when no frame could be drawn or the file
    // not written.
    bool SaveThumbnail(const std::string& path, bool small);

    // The print scale from the printer's vertical resolution.
    void OnBeginPrinting(const draw::DrawContext& dc);
    // On a printing context only: the frame captured for this print, drawn
    // from the page's top-left corner as large as the page takes it with the
    // window's shape.
    void OnDraw(draw::DrawContext& dc);
    [[nodiscard]] double GetPrintScale() const { return m_printScale; }
    [[nodiscard]] const CDibImage& GetPrintImage() const { return m_printImage; }

    // The camera's start pose, solid display; the view's ambient light
    // follows the document once the plan view exists.
    void ResetCamera();
    // The wireframe flag and the device's fill mode together.
    void SetWireframe(bool wireframe);
    [[nodiscard]] bool IsWireframe() const { return m_wireframe != 0; }

    [[nodiscard]] CD3DEngine& GetEngine() { return m_engine; }
    [[nodiscard]] const CD3DEngine& GetEngine() const { return m_engine; }
    [[nodiscard]] CHousViewCamera& GetCamera() { return m_camera; }
    [[nodiscard]] const CHousViewCamera& GetCamera() const { return m_camera; }
    [[nodiscard]] CDesignScene& GetScene() { return m_scene; }
    // Empty before the first size. The files are read on the first call
    // after it, as the first frame shows neither image.
    [[nodiscard]] const OverlayImages& GetOverlayImages() const;

private:
    // Clears, begins the scene, sets the camera's view and its projection
    // followed by postProjection, and renders the scene. False when nothing
    // could be drawn.
    bool BeginSceneFrame(const gfx::Matrix& postProjection);
    // The frame of this print into the print image.
    bool CapturePrintImage();

    CHousDoc& m_doc;
    gfx::RenderContext& m_window;
    CD3DEngine m_engine;
    CHousViewCamera m_camera;
    CSceneRenderTarget m_renderTarget;
    // After the engine: the objects go before the device they were made on.
    CDesignScene m_scene;
    CAxisLabelAtlas m_axisLabels;
    mutable OverlayImages m_overlayImages;
    mutable bool m_overlayImagesDue = false;
    bool m_firstSizePending = true;
    uint8_t m_rendererReady = 0;
    uint8_t m_paintingSuspended = 0;
    int m_wireframe = 0;
    std::array<uint8_t, 3> m_ambient = {255, 255, 255};
    double m_printScale = kInitialPrintScale;
    CDibImage m_printImage;
    int m_printImageCaptured = 1;
};
