#pragma once

// The device's back buffer: a framebuffer of the back-buffer size with
// colour and depth-stencil, multisampled when asked, plus the single-sampled
// copy it resolves into for reading and showing.

#include <cstdint>
#include <memory>
#include <vector>

namespace gfx {

class RenderTarget {
public:
    // Null when the driver refuses the combination. depthFormat 0: no depth.
    static std::unique_ptr<RenderTarget> Create(int width, int height, unsigned colorFormat,
                                                unsigned depthFormat, uint32_t samples);
    ~RenderTarget();

    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    [[nodiscard]] unsigned Framebuffer() const { return m_framebuffer; }
    [[nodiscard]] int Width() const { return m_width; }
    [[nodiscard]] int Height() const { return m_height; }
    // Samples the driver really gave (0 when single-sampled).
    [[nodiscard]] int Samples() const { return m_samples; }
    [[nodiscard]] int StencilBits() const { return m_stencilBits; }
    [[nodiscard]] bool HasDepth() const { return m_depth != 0; }

    // The single-sampled framebuffer holding what was drawn so far.
    unsigned Resolve();
    // Stretches the back buffer over the whole window framebuffer.
    void ShowIn(unsigned windowFramebuffer, int windowWidth, int windowHeight);
    // B, G, R, A bytes, top row first.
    [[nodiscard]] std::vector<uint8_t> ReadPixels();
    // Width x height B, G, R, A bytes, top row first, over the whole colour
    // image; depth and stencil stay.
    void WritePixels(const uint8_t* pixels);

private:
    RenderTarget(int width, int height) : m_width(width), m_height(height) {}

    int m_width;
    int m_height;
    int m_samples = 0;
    int m_stencilBits = 0;
    unsigned m_framebuffer = 0;
    unsigned m_color = 0;
    unsigned m_depth = 0;
    unsigned m_resolveFramebuffer = 0;
    unsigned m_resolveColor = 0;
};

}  // namespace gfx
