#pragma once

#include <cstdint>
#include <vector>

#include "platform/draw/Brush.h"
#include "platform/draw/DrawTypes.h"

namespace draw {

// What a brush paints on each device pixel, repeating from the device origin:
// opaque cairo pixels, or 0 where the brush leaves the pixel alone (the gaps
// of a hatch on a transparent background).
struct BrushTile {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;

    // No pixels for a null brush.
    static BrushTile For(const Brush& brush, COLORREF textColor, COLORREF bkColor, int32_t bkMode);

    bool IsEmpty() const { return pixels.empty(); }
    bool IsSolid() const { return width == 1 && height == 1; }
    uint32_t At(int32_t x, int32_t y) const {
        const int32_t tx = ((x % width) + width) % width;
        const int32_t ty = ((y % height) + height) % height;
        return pixels[size_t(ty) * size_t(width) + size_t(tx)];
    }
};

}  // namespace draw
