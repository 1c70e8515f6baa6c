#include "platform/image/Jpeg2000Grid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TestImages.h"
#include "platform/image/Image.h"
#include "platform/image/ImageFormat.h"
#include "support/ResourceUse.h"

namespace {

using image::CImage;
using image::ImageFormat;
using image::Jpeg2000Grid;
using Bytes = std::vector<std::uint8_t>;
using Planes = std::vector<Jpeg2000Grid::Sampling>;

const Planes kGrey = {{1, 1}};

void PutBe32(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        b.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void PutBox(Bytes& file, std::uint32_t length, const char* type, const Bytes& content) {
    PutBe32(file, length);
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), content.begin(), content.end());
}

Bytes Pattern(int width, int height, int components) {
    Bytes samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const image::Color c = image::test::PatternColor(x, y);
            const std::uint8_t all[] = {c.r, c.g, c.b, c.a};
            samples.insert(samples.end(), all, all + components);
        }
    }
    return samples;
}

TEST(Jpeg2000Grid, RefusesTilesThePixelsOrLayoutsNoFileOfThatLengthHolds) {
    const struct {
        const char* name;
        Jpeg2000Grid grid;
        std::size_t length;
        bool accepted;
    } cases[] = {
        // 14 bytes a tile: an SOT marker segment and an SOD marker.
        {"ten tiles in 140 bytes",
         {.x1 = 10, .y1 = 1, .tileWidth = 1, .tileHeight = 1, .components = kGrey},
         140,
         true},
        {"ten tiles in 139 bytes",
         {.x1 = 10, .y1 = 1, .tileWidth = 1, .tileHeight = 1, .components = kGrey},
         139,
         false},
        // Tiles are counted from the tile origin: 96..104 and 104..112 cover 100..110.
        {"two tiles of an offset image in 28 bytes",
         {.x0 = 100,
          .x1 = 110,
          .y1 = 1,
          .tileX0 = 96,
          .tileWidth = 8,
          .tileHeight = 8,
          .components = kGrey},
         28,
         true},
        {"two tiles of an offset image in 27 bytes",
         {.x0 = 100,
          .x1 = 110,
          .y1 = 1,
          .tileX0 = 96,
          .tileWidth = 8,
          .tileHeight = 8,
          .components = kGrey},
         27,
         false},
        {"tile origin after the image start",
         {.x0 = 100,
          .x1 = 110,
          .y1 = 1,
          .tileX0 = 101,
          .tileWidth = 8,
          .tileHeight = 8,
          .components = kGrey},
         1000,
         false},
        {"first tile ends before the image",
         {.x0 = 100, .x1 = 110, .y1 = 1, .tileWidth = 50, .tileHeight = 8, .components = kGrey},
         1000,
         false},
        {"tiles of no width",
         {.x1 = 10, .y1 = 10, .tileWidth = 0, .tileHeight = 10, .components = kGrey},
         1000,
         false},
        {"one plane at the pixel limit",
         {.x1 = 16384, .y1 = 8192, .tileWidth = 16384, .tileHeight = 8192, .components = kGrey},
         14,
         true},
        {"two planes at the pixel limit",
         {.x1 = 16384,
          .y1 = 8192,
          .tileWidth = 16384,
          .tileHeight = 8192,
          .components = {{1, 1}, {1, 1}}},
         14,
         false},
        {"subsampled planes within the limit",
         {.x1 = 8192,
          .y1 = 8192,
          .tileWidth = 8192,
          .tileHeight = 8192,
          .components = {{1, 1}, {2, 2}, {2, 2}, {2, 2}}},
         14,
         true},
        {"four full planes beyond the limit",
         {.x1 = 8192,
          .y1 = 8192,
          .tileWidth = 8192,
          .tileHeight = 8192,
          .components = {{1, 1}, {1, 1}, {1, 1}, {1, 1}}},
         14,
         false},
        {"a side beyond the limit",
         {.x1 = 70000, .y1 = 1, .tileWidth = 70000, .tileHeight = 1, .components = kGrey},
         14,
         false},
        {"no pixels",
         {.x0 = 5, .x1 = 5, .y1 = 1, .tileWidth = 8, .tileHeight = 8, .components = kGrey},
         1000,
         false},
        {"sampling step of zero",
         {.x1 = 8, .y1 = 8, .tileWidth = 8, .tileHeight = 8, .components = {{0, 1}}},
         1000,
         false},
        {"no component",
         {.x1 = 8, .y1 = 8, .tileWidth = 8, .tileHeight = 8, .components = {}},
         1000,
         false},
        {"five components",
         {.x1 = 8, .y1 = 8, .tileWidth = 8, .tileHeight = 8, .components = Planes(5, {1, 1})},
         1000,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_EQ(image::IsReasonableJpeg2000Grid(c.grid, c.length, error), c.accepted);
        EXPECT_EQ(error.empty(), c.accepted) << error;
    }
}

TEST(Jpeg2000Grid, ReadsTheGridOfCodestreamsAndOfEveryBoxLayout) {
    const Bytes samples = Pattern(10, 7, 3);
    const Bytes codestream = image::test::EncodeJpeg2000(samples, 10, 7, 3, false, 4);
    const Bytes signature = {0, 0, 0, 12, 'j', 'P', ' ', ' ', '\r', '\n', 0x87, '\n'};
    // A box with its length in the 64-bit field, then the codestream box
    // running to the end of the file.
    Bytes extended = signature;
    PutBe32(extended, 1);
    extended.insert(extended.end(),
                    {'f', 'r', 'e', 'e', 0, 0, 0, 0, 0, 0, 0, 20, 'x', 'x', 'x', 'x'});
    PutBox(extended, 0, "jp2c", codestream);

    const struct {
        const char* name;
        Bytes file;
        ImageFormat kind;
    } files[] = {
        {"codestream", codestream, ImageFormat::J2k},
        {"jp2 file", image::test::EncodeJpeg2000(samples, 10, 7, 3, true, 4), ImageFormat::Jp2},
        {"jp2 with extended and open-ended boxes", extended, ImageFormat::Jp2},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const std::optional<Jpeg2000Grid> grid =
            image::ReadJpeg2000Grid(f.file.data(), f.file.size(), f.kind);
        ASSERT_TRUE(grid);
        EXPECT_EQ(grid->x0, 0u);
        EXPECT_EQ(grid->y0, 0u);
        EXPECT_EQ(grid->x1, 10u);
        EXPECT_EQ(grid->y1, 7u);
        EXPECT_EQ(grid->tileWidth, 4u);
        EXPECT_EQ(grid->tileHeight, 4u);
        ASSERT_EQ(grid->components.size(), 3u);
        EXPECT_EQ(grid->components[2].dx, 1u);
        EXPECT_EQ(grid->components[2].dy, 1u);
    }

    // Left to the decoder: a SIZ cut short, a file with no codestream box, a
    // box running past the end before it.
    const Bytes cut(codestream.begin(), codestream.begin() + 40);
    Bytes noCodestream = signature;
    PutBox(noCodestream, 16, "free", Bytes(8, 0));
    Bytes overlong = signature;
    PutBox(overlong, 4096, "free", Bytes(8, 0));
    PutBox(overlong, 0, "jp2c", codestream);
    EXPECT_FALSE(image::ReadJpeg2000Grid(cut.data(), cut.size(), ImageFormat::J2k));
    EXPECT_FALSE(
        image::ReadJpeg2000Grid(noCodestream.data(), noCodestream.size(), ImageFormat::Jp2));
    EXPECT_FALSE(image::ReadJpeg2000Grid(overlong.data(), overlong.size(), ImageFormat::Jp2));
}

// The bound leaves room for what an encoder writes: tiles of a single pixel
// still decode.
TEST(Jpeg2000Grid, TiledFilesDecodeExactly) {
    const struct {
        int width;
        int height;
        int components;
        bool jp2;
        int tileSide;
    } cases[] = {
        {16, 12, 3, false, 4},
        {9, 7, 1, true, 1},
        {5, 5, 4, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << "x" << c.height << " in tiles of " << c.tileSide);
        const Bytes samples = Pattern(c.width, c.height, c.components);
        CImage expected;
        ASSERT_TRUE(expected.Create(c.width, c.height));
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                image::Color p = image::test::PatternColor(x, y);
                if (c.components == 1) {
                    p.g = p.b = p.r;
                }
                expected.SetPixelColor(x, y, p);
            }
        }
        const Bytes file = image::test::EncodeJpeg2000(samples, c.width, c.height, c.components,
                                                       c.jp2, c.tileSide);
        CImage decoded;
        ASSERT_TRUE(decoded.Decode(file.data(), file.size())) << decoded.GetLastError();
        EXPECT_EQ(image::test::MaxChannelDifference(decoded, expected), 0);
    }
}

}  // namespace
