#pragma once

#include "platform/image/Raster.h"

namespace image {

enum class Interpolation {
    NearestPixel,
    Bilinear,
    // Catmull-Rom cubic with the edge pixels repeated beyond the border; an
    // axis that shrinks averages the source pixels each target pixel covers
    // instead, so a large render reduced to a thumbnail or a video frame
    // keeps its thin lines.
    Bicubic,
};

// source scaled to newWidth x newHeight (both within the raster limits).
Raster ResampleRaster(const Raster& source, int newWidth, int newHeight,
                      Interpolation interpolation);

}  // namespace image
