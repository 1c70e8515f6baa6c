#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gfx {
class Adapter;
class Device;
class EglOffscreenContext;
}  // namespace gfx

inline constexpr int kPreviewWidth = 128;
inline constexpr int kPreviewHeight = 96;

// Renders the furniture browser's pictures of the models offscreen: each
// model seen from the front left and above, lit from the upper left, on a
// light background, filling the picture. No multisampling, so one machine
// always renders the same pixels.
class FurniturePreviewRenderer {
public:
    ~FurniturePreviewRenderer();

    // Null, with the reason in *error, when no offscreen device can be had.
    static std::unique_ptr<FurniturePreviewRenderer> Create(std::string* error);

    // A .bmp file image of the .x mesh; false with *error when the mesh
    // cannot be loaded or drawn.
    bool Render(const std::vector<std::uint8_t>& xFile, std::vector<std::uint8_t>* bmp,
                std::string* error);

private:
    FurniturePreviewRenderer() = default;

    std::unique_ptr<gfx::EglOffscreenContext> m_context;
    std::unique_ptr<gfx::Adapter> m_adapter;
    std::unique_ptr<gfx::Device> m_device;
};
