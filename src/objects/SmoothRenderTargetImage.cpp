#include "objects/SmoothRenderTargetImage.h"

#include <cstddef>

#include "platform/gfx/Device.h"
#include "platform/image/Image.h"

namespace {

constexpr int kJitterRadius = 2;
constexpr float kRepairRadius = 0.5f;
constexpr int kRepairIterations = 4;

}  // namespace

bool SmoothRenderTargetPixels(std::vector<std::uint8_t>& bgra, int width, int height,
                              std::uint32_t seed) {
    if (width <= 0 || height <= 0 ||
        bgra.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        return false;
    }
    // The alpha of a render target means nothing here: the picture is taken
    // as opaque, as a .bmp of it would be.
    image::CImage picture;
    if (!picture.CreateFromRows(bgra.data(), width, height, static_cast<std::size_t>(width) * 4,
                                image::PixelLayout::Bgrx32) ||
        !picture.Jitter(kJitterRadius, seed) || !picture.Repair(kRepairRadius, kRepairIterations)) {
        return false;
    }
    bgra = picture.CopyRows(image::PixelLayout::Bgrx32);
    return true;
}

gfx::Result SmoothRenderTargetImage(gfx::Device& device, std::uint32_t seed) {
    std::vector<std::uint8_t> pixels;
    gfx::Result result = device.GetBackBufferPixels(&pixels);
    if (gfx::Succeeded(result)) {
        const gfx::PresentParameters& params = device.GetPresentParameters();
        result = SmoothRenderTargetPixels(pixels, static_cast<int>(params.backBufferWidth),
                                          static_cast<int>(params.backBufferHeight), seed)
                     ? device.SetBackBufferPixels(pixels)
                     : gfx::kErrFail;
    }
    const gfx::Result presented = device.Present();
    return gfx::Failed(result) ? result : presented;
}
