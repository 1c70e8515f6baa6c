#pragma once

#include <array>
#include <cstdint>

#include "view3d/D3DEngine.h"
#include "view3d/HousViewCamera.h"

class CHousDoc;

namespace gfx {
class RenderContext;
}

// The 3D view's device set-up and frame, apart from its window: the first
// real size creates the device, and each frame clears, sets the camera's
// view and projection, draws the grid and presents. It starts with the
// document's background colour.
class CHousViewRenderer {
public:
    CHousViewRenderer(CHousDoc& doc, gfx::RenderContext& window,
                      CD3DEngine::AdapterFactory adapterFactory = {});
    // Takes the device back from the design objects before releasing it.
    ~CHousViewRenderer();
    CHousViewRenderer(const CHousViewRenderer&) = delete;
    CHousViewRenderer& operator=(const CHousViewRenderer&) = delete;

    // A new client size. The first one with an area sets up the device; any
    // later one draws a frame at once.
    void OnSize(int width, int height);
    [[nodiscard]] bool IsFirstSizePending() const { return m_firstSizePending; }
    void InitRenderer();

    // One frame on the window; false when none was drawn (not set up yet,
    // painting suspended, no area, or the device lost).
    bool RenderFrame();
    // Set while a capture runs that must not be painted over.
    void SetPaintingSuspended(bool suspended) { m_paintingSuspended = suspended ? 1 : 0; }

    // The camera's start pose; the view's ambient light follows the
    // document once the plan view exists.
    void ResetCamera();

    [[nodiscard]] CD3DEngine& GetEngine() { return m_engine; }
    [[nodiscard]] CHousViewCamera& GetCamera() { return m_camera; }
    [[nodiscard]] const CHousViewCamera& GetCamera() const { return m_camera; }

private:
    CHousDoc& m_doc;
    gfx::RenderContext& m_window;
    CD3DEngine m_engine;
    CHousViewCamera m_camera;
    bool m_firstSizePending = true;
    uint8_t m_rendererReady = 0;
    uint8_t m_paintingSuspended = 0;
    std::array<uint8_t, 3> m_ambient = {255, 255, 255};
};
