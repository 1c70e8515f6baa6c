#include "document/TileTexturePlan.h"

#include <algorithm>
#include <cmath>

#include "document/DesignScene.h"

namespace {

// Tiles whose area with the seam exceeds this, in square centimetres, show
// progress while they are resampled.
constexpr double kProgressArea = 30000.0;

// A length in centimetres as pixels; a positive length gets at least one.
int ToPixels(double centimetres) {
    return std::max(1, static_cast<int>(std::lround(centimetres)));
}

}  // namespace

TileTexturePlan PlanTileTexture(const TextureMappingRecord* tile, std::uint32_t maxWidth,
                                std::uint32_t maxHeight) {
    TileTexturePlan plan;
    if (tile == nullptr || tile->seam.seamFlag == 0) {
        return plan;
    }
    const float seamWidth = tile->seam.seamWidth;
    const float seamHeight = tile->seam.seamHeight;
    if (!std::isfinite(seamWidth) || !std::isfinite(seamHeight)) {
        plan.kind = TileTexturePlan::Kind::InvalidSize;
        return plan;
    }
    // A negative seam draws no grout on its side.
    const float right = std::max(seamWidth, 0.0f);
    const float bottom = std::max(seamHeight, 0.0f);
    if (right == 0.0f && bottom == 0.0f) {
        return plan;
    }
    if (!std::isfinite(tile->tileWidth) || !std::isfinite(tile->tileHeight) ||
        tile->tileWidth <= 0.0f || tile->tileHeight <= 0.0f) {
        plan.kind = TileTexturePlan::Kind::InvalidSize;
        return plan;
    }

    const double perCm = CDesignScene::GetTilePixelsPerCm();
    const double width = perCm * tile->tileWidth;
    const double height = perCm * tile->tileHeight;
    const double seamPixelsRight = perCm * right;
    const double seamPixelsBottom = perCm * bottom;
    const auto limit = [](std::uint32_t offered) {
        return static_cast<double>(offered == 0 ? kMaxTileTextureSide
                                                : std::min(offered, kMaxTileTextureSide));
    };
    if (width + seamPixelsRight > limit(maxWidth) || height + seamPixelsBottom > limit(maxHeight)) {
        plan.kind = TileTexturePlan::Kind::TooLarge;
        return plan;
    }
    plan.kind = TileTexturePlan::Kind::Seamed;
    plan.tileWidth = ToPixels(width);
    plan.tileHeight = ToPixels(height);
    plan.seamRight = static_cast<int>(std::lround(seamPixelsRight));
    plan.seamBottom = static_cast<int>(std::lround(seamPixelsBottom));
    plan.showProgress = (static_cast<double>(tile->tileHeight) + bottom) *
                            (static_cast<double>(tile->tileWidth) + right) >
                        kProgressArea;
    return plan;
}

bool IsBitmapHeader(const std::uint8_t* bytes, std::size_t length) {
    return length >= 2 && (bytes[0] == 'B' || bytes[0] == 'b') &&
           (bytes[1] == 'M' || bytes[1] == 'm');
}
