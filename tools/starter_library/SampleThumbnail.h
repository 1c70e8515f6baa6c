#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "SampleDesigns.h"

class CDesignScene;
namespace gfx {
class Adapter;
class Device;
class EglOffscreenContext;
}  // namespace gfx

// The offscreen device the samples are built on, of the thumbnails' size.
struct OffscreenDevice {
    OffscreenDevice();
    ~OffscreenDevice();
    OffscreenDevice(OffscreenDevice&&) noexcept;

    std::unique_ptr<gfx::EglOffscreenContext> context;
    std::unique_ptr<gfx::Adapter> adapter;
    std::unique_ptr<gfx::Device> device;
};

// Throws std::runtime_error when no device can be had.
OffscreenDevice MakeThumbnailDevice();

// The room seen from above its front corner, before the ceiling closes it,
// as a .bmp file image of the size the program's own thumbnails have.
std::vector<uint8_t> RenderThumbnail(CDesignScene& scene, gfx::Device& device,
                                     const SampleDesign& design);
