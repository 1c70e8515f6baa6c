#pragma once

// The OpenGL context and window surface a device draws through. The on-screen
// window and the offscreen test surface each implement it, so the device
// knows nothing of the toolkit.

namespace gfx {

class RenderContext {
public:
    virtual ~RenderContext() = default;

    virtual bool MakeCurrent() = 0;
    [[nodiscard]] virtual bool IsCurrent() const = 0;
    // Shows what was drawn into the window framebuffer.
    virtual bool SwapBuffers() = 0;
    // GL name of the framebuffer that stands for the window: 0 on screen.
    [[nodiscard]] virtual unsigned WindowFramebuffer() const = 0;
    [[nodiscard]] virtual int WindowWidth() const = 0;
    [[nodiscard]] virtual int WindowHeight() const = 0;
};

}  // namespace gfx
