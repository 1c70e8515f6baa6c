#include "platform/draw/BrushTile.h"

#include "platform/draw/PixelOps.h"

namespace draw {

namespace {

constexpr int32_t kHatchSize = 8;

bool HatchBit(int32_t hatch, int32_t x, int32_t y) {
    const bool horizontal = y == 0;
    const bool vertical = x == 0;
    const bool forward = x == y;                    // top left to bottom right
    const bool backward = x + y == kHatchSize - 1;  // bottom left to top right
    switch (hatch) {
        case HS_HORIZONTAL:
            return horizontal;
        case HS_VERTICAL:
            return vertical;
        case HS_FDIAGONAL:
            return forward;
        case HS_BDIAGONAL:
            return backward;
        case HS_CROSS:
            return horizontal || vertical;
        default:
            return forward || backward;
    }
}

}  // namespace

BrushTile BrushTile::For(const Brush& brush, COLORREF textColor, COLORREF bkColor, int32_t bkMode) {
    BrushTile tile;
    switch (brush.style) {
        case BS_SOLID:
            tile.width = tile.height = 1;
            tile.pixels.push_back(PixelFromColor(brush.color));
            break;
        case BS_HATCHED: {
            tile.width = tile.height = kHatchSize;
            const uint32_t background = bkMode == OPAQUE ? PixelFromColor(bkColor) : 0;
            for (int32_t y = 0; y < kHatchSize; ++y) {
                for (int32_t x = 0; x < kHatchSize; ++x) {
                    tile.pixels.push_back(HatchBit(brush.hatch, x, y) ? PixelFromColor(brush.color)
                                                                      : background);
                }
            }
            break;
        }
        case BS_PATTERN: {
            const MonoPattern& pattern = *brush.pattern;
            tile.width = pattern.width;
            tile.height = pattern.height;
            for (int32_t y = 0; y < pattern.height; ++y) {
                for (int32_t x = 0; x < pattern.width; ++x) {
                    tile.pixels.push_back(
                        PixelFromColor(pattern.BitAt(x, y) ? bkColor : textColor));
                }
            }
            break;
        }
        default:
            break;
    }
    return tile;
}

}  // namespace draw
