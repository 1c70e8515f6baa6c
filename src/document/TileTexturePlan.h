#pragma once

#include <cstddef>
#include <cstdint>

#include "objects/TextureMappingRecord.h"

// How the scene makes the texture of a tiled mapping: the picture is drawn
// at ten pixels a centimetre of tile, with the seam's grout added along the
// right and bottom edges.
struct TileTexturePlan {
    enum class Kind {
        // No seam to draw: the file's picture is the texture as it is.
        AsStored,
        // Resampled to the tile's pixels, grout added.
        Seamed,
        // A tile or seam size that is not a finite positive length.
        InvalidSize,
        // The seamed picture would be larger than a texture may be: the
        // file's picture is used untiled instead.
        TooLarge,
    };

    Kind kind = Kind::AsStored;
    int tileWidth = 0;
    int tileHeight = 0;
    int seamRight = 0;
    int seamBottom = 0;
    // Large tiles take long to resample.
    bool showProgress = false;
};

// The largest texture side the scene asks a device for, whatever it offers.
inline constexpr std::uint32_t kMaxTileTextureSide = 8192;

// The plan for tile (null: no tiling) on a device whose textures may be
// maxWidth x maxHeight pixels (0: unknown, taken as kMaxTileTextureSide).
[[nodiscard]] TileTexturePlan PlanTileTexture(const TextureMappingRecord* tile,
                                              std::uint32_t maxWidth, std::uint32_t maxHeight);

// The bytes begin with a BMP file's "BM", in either case.
[[nodiscard]] bool IsBitmapHeader(const std::uint8_t* bytes, std::size_t length);
