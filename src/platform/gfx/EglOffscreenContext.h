#pragma once

// An OpenGL compatibility-profile context on EGL's surfaceless platform, with
// a framebuffer object standing for the window. It needs no display server:
// tests, thumbnails and benchmarks render through it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/RenderContext.h"

namespace gfx {

class EglOffscreenContext final : public RenderContext {
public:
    // The highest compatibility version from 4.5 down to 3.0; null with the
    // reason in *error when no context can be had.
    static std::unique_ptr<EglOffscreenContext> Create(int width, int height,
                                                       std::string* error = nullptr);
    ~EglOffscreenContext() override;

    EglOffscreenContext(const EglOffscreenContext&) = delete;
    EglOffscreenContext& operator=(const EglOffscreenContext&) = delete;

    bool MakeCurrent() override;
    [[nodiscard]] bool IsCurrent() const override;
    bool SwapBuffers() override;
    [[nodiscard]] unsigned WindowFramebuffer() const override { return m_windowFramebuffer; }
    [[nodiscard]] int WindowWidth() const override { return m_width; }
    [[nodiscard]] int WindowHeight() const override { return m_height; }

    // The window's pixels as B, G, R, A bytes, top row first.
    [[nodiscard]] std::vector<uint8_t> ReadWindowPixels();

private:
    // EGL handles, kept opaque so that the header stays free of EGL and GL.
    EglOffscreenContext(void* display, void* context, int width, int height);
    bool CreateWindowFramebuffer();

    void* m_display;
    void* m_context;
    int m_width;
    int m_height;
    unsigned m_windowFramebuffer = 0;
    unsigned m_windowColor = 0;
};

}  // namespace gfx
