#include "platform/image/Raster.h"

namespace image {

bool IsAcceptableSize(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxPixels;
}

bool AllocateRaster(Raster& raster, int width, int height) {
    if (!IsAcceptableSize(width, height)) {
        return false;
    }
    raster.width = width;
    raster.height = height;
    raster.hasAlpha = false;
    raster.bgra.assign(raster.Stride() * static_cast<std::size_t>(height), 0);
    for (std::size_t i = 3; i < raster.bgra.size(); i += 4) {
        raster.bgra[i] = 255;
    }
    return true;
}

}  // namespace image
