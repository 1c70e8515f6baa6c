#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "document/TileTexturePlan.h"

namespace {

using Kind = TileTexturePlan::Kind;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

TextureMappingRecord Tile(float width, float height, float seamWidth, float seamHeight,
                          int seamFlag = 1) {
    TextureMappingRecord tile;
    tile.tileFlag = 1;
    tile.tileWidth = width;
    tile.tileHeight = height;
    tile.seam.seamFlag = seamFlag;
    tile.seam.seamWidth = seamWidth;
    tile.seam.seamHeight = seamHeight;
    return tile;
}

}  // namespace

TEST(TileTexturePlanTest, TilesAreDrawnAtTenPixelsPerCentimetreWithinTheTextureLimit) {
    struct Case {
        const char* what;
        std::optional<TextureMappingRecord> tile;
        uint32_t maxSide;
        Kind kind;
        int width, height, right, bottom;
        bool progress;
    };
    const std::vector<Case> cases = {
        {"no tile", std::nullopt, 8192, Kind::AsStored, 0, 0, 0, 0, false},
        {"seam switched off", Tile(60, 30, 0.5f, 0.5f, 0), 8192, Kind::AsStored, 0, 0, 0, 0, false},
        {"seams of 0 take the picture as it is", Tile(60, 30, 0, 0), 8192, Kind::AsStored, 0, 0, 0,
         0, false},
        {"half a centimetre of seam on the right", Tile(60, 30, 0.5f, 0), 8192, Kind::Seamed, 600,
         300, 5, 0, false},
        {"seam along the bottom", Tile(60, 30, 0, 0.3f), 8192, Kind::Seamed, 600, 300, 0, 3, false},
        {"a negative seam draws no grout", Tile(60, 30, -2, 1), 8192, Kind::Seamed, 600, 300, 0, 10,
         false},
        {"a tiny tile keeps a pixel", Tile(0.01f, 0.01f, 0.01f, 0), 8192, Kind::Seamed, 1, 1, 0, 0,
         false},
        {"just over 30000 square cm shows progress", Tile(200, 150, 1, 0), 8192, Kind::Seamed, 2000,
         1500, 10, 0, true},
        {"30000 square cm exactly does not", Tile(199, 150, 1, 0), 8192, Kind::Seamed, 1990, 1500,
         10, 0, false},
        {"right up to the device's side", Tile(800, 10, 19, 0), 8192, Kind::Seamed, 8000, 100, 190,
         0, false},
        {"a seam beyond the side", Tile(800, 10, 19.5f, 0), 8192, Kind::TooLarge, 0, 0, 0, 0,
         false},
        {"the catalogue's 10,000 cm tile", Tile(10000, 10000, 0.5f, 0.5f), 8192, Kind::TooLarge, 0,
         0, 0, 0, false},
        {"a smaller device", Tile(500, 10, 1, 0), 4096, Kind::TooLarge, 0, 0, 0, 0, false},
        {"a larger device is held to 8192", Tile(1000, 10, 1, 0), 16384, Kind::TooLarge, 0, 0, 0, 0,
         false},
        {"unknown limits are 8192", Tile(819, 10, 0.1f, 0), 0, Kind::Seamed, 8190, 100, 1, 0,
         false},
        {"and are held to", Tile(819, 10, 0.5f, 0), 0, Kind::TooLarge, 0, 0, 0, 0, false},
        {"zero width", Tile(0, 30, 0.5f, 0), 8192, Kind::InvalidSize, 0, 0, 0, 0, false},
        {"negative height", Tile(60, -30, 0.5f, 0), 8192, Kind::InvalidSize, 0, 0, 0, 0, false},
        {"width not a number", Tile(kNaN, 30, 0.5f, 0), 8192, Kind::InvalidSize, 0, 0, 0, 0, false},
        {"infinite height", Tile(60, kInfinity, 0.5f, 0), 8192, Kind::InvalidSize, 0, 0, 0, 0,
         false},
        {"seam not a number", Tile(60, 30, kNaN, 0), 8192, Kind::InvalidSize, 0, 0, 0, 0, false},
        {"infinite seam", Tile(60, 30, 0, kInfinity), 8192, Kind::InvalidSize, 0, 0, 0, 0, false},
        {"broken tile sizes without a seam are not used", Tile(kNaN, 0, 0, 0), 8192, Kind::AsStored,
         0, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TileTexturePlan plan =
            PlanTileTexture(c.tile ? &*c.tile : nullptr, c.maxSide, c.maxSide);
        EXPECT_EQ(plan.kind, c.kind);
        if (c.kind == Kind::Seamed) {
            EXPECT_EQ(plan.tileWidth, c.width);
            EXPECT_EQ(plan.tileHeight, c.height);
            EXPECT_EQ(plan.seamRight, c.right);
            EXPECT_EQ(plan.seamBottom, c.bottom);
        }
        EXPECT_EQ(plan.showProgress, c.progress);
    }
}

TEST(TileTexturePlanTest, BitmapHeaderIsBmInEitherCase) {
    const struct {
        std::string bytes;
        bool bitmap;
    } cases[] = {
        {"BM\x36", true}, {"bm", true}, {"bM", true},  {"Bm", true},
        {"B", false},     {"", false},  {"MB", false}, {"\x00\x00\x02", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(IsBitmapHeader(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size()),
                  c.bitmap);
    }
}
