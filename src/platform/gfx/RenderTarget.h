#pragma once

// The device's back buffer: a framebuffer of the back-buffer size with
// colour and depth-stencil, multisampled when asked, plus the single-sampled
// copy it resolves into for reading and showing.
//
// A multisampled colour buffer is a texture where the driver allows one: it
// is then stretched over the window by a pass of its own instead of a
// scaled-resolve blit.
//
// The big buffers are made on first need. The depth-stencil storage waits
// for the first draw that reaches it; until then it stands for a buffer that
// holds the values of its last whole clear everywhere. The single-sampled
// copy waits for the first read (or for showing, where the driver cannot
// scale while it resolves); a back buffer that is not multisampled needs
// none.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/StretchResolve.h"

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
    [[nodiscard]] bool HasDepth() const { return m_depthFormat != 0; }

    // True while the depth-stencil storage is not made; DeferredDepth is
    // then the depth it holds everywhere.
    [[nodiscard]] bool IsDepthStencilDeferred() const { return HasDepth() && m_depth == 0; }
    [[nodiscard]] float DeferredDepth() const { return m_deferredDepth; }
    // A clear of the whole deferred buffer: only the values are kept.
    void RecordDepthStencilClear(bool depth, float z, bool stencil, uint32_t stencilValue);
    // Makes the depth-stencil storage, filled with the recorded values, and
    // leaves the framebuffer bound. The scissor test is left off and the
    // depth and stencil write masks open: the caller restores its own.
    // False when the driver cannot make it; drawing then goes on without.
    bool MakeDepthStencil();

    // The single-sampled framebuffer holding what was drawn so far.
    unsigned Resolve();
    // Stretches the back buffer over the whole window framebuffer. May leave
    // the drawing states StretchResolve::Draw names changed.
    void ShowIn(unsigned windowFramebuffer, int windowWidth, int windowHeight);
    // B, G, R, A bytes, top row first.
    [[nodiscard]] std::vector<uint8_t> ReadPixels();
    // Width x height B, G, R, A bytes, top row first, over the whole colour
    // image; depth and stencil stay.
    void WritePixels(const uint8_t* pixels);

private:
    RenderTarget(int width, int height, unsigned colorFormat, unsigned depthFormat,
                 uint32_t samples)
        : m_width(width),
          m_height(height),
          m_colorFormat(colorFormat),
          m_depthFormat(depthFormat),
          m_requestedSamples(samples) {}

    // The stretch pass into the window; false when the colour buffer is no
    // texture or the pass cannot be built, and nothing was drawn.
    bool StretchResolveIn(unsigned windowFramebuffer, int windowWidth, int windowHeight);
    // Checks the depth-stencil format against the colour buffer on a tiny
    // buffer of it, and learns its stencil size.
    bool ProbeDepthStencil();

    int m_width;
    int m_height;
    unsigned m_colorFormat;
    unsigned m_depthFormat;
    uint32_t m_requestedSamples;
    int m_samples = 0;
    int m_stencilBits = 0;
    bool m_scaledResolve = false;
    bool m_colorIsTexture = false;
    bool m_stretchFailed = false;
    std::unique_ptr<StretchResolve> m_stretch;
    // What a fresh buffer of the driver holds.
    float m_deferredDepth = 0.0f;
    uint32_t m_deferredStencil = 0;
    unsigned m_framebuffer = 0;
    unsigned m_color = 0;
    unsigned m_depth = 0;
    unsigned m_resolveFramebuffer = 0;
    unsigned m_resolveColor = 0;
};

}  // namespace gfx
