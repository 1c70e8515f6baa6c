#pragma once

#include <memory>

#include "platform/gfx/RenderContext.h"

class wxGLCanvas;
class wxGLContext;

// The OpenGL context of an on-screen canvas, as the device draws through
// it: an OpenGL 4.5 compatibility context when the driver gives one, else
// the driver's default context. The window framebuffer is the canvas's.
class CGLCanvasContext final : public gfx::RenderContext {
public:
    explicit CGLCanvasContext(wxGLCanvas& canvas);
    ~CGLCanvasContext() override;
    CGLCanvasContext(const CGLCanvasContext&) = delete;
    CGLCanvasContext& operator=(const CGLCanvasContext&) = delete;

    // False until the canvas is on screen with its X window.
    bool MakeCurrent() override;
    [[nodiscard]] bool IsCurrent() const override;
    bool SwapBuffers() override;
    [[nodiscard]] unsigned WindowFramebuffer() const override { return 0; }
    // In framebuffer pixels.
    [[nodiscard]] int WindowWidth() const override;
    [[nodiscard]] int WindowHeight() const override;

private:
    wxGLCanvas& m_canvas;
    std::unique_ptr<wxGLContext> m_context;
    // What GLX reports as current once this context was made current.
    void* m_currentContext = nullptr;
    unsigned long m_currentDrawable = 0;
};
