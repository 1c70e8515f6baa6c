#include <gtest/gtest.h>

#include <vector>

#include "platform/gfx/NormalMap.h"
#include "platform/gfx/TextureLoader.h"
#include "platform/image/Image.h"

namespace gfx::test {
namespace {

constexpr uint32_t kNoLimit = 1u << 14;

// An image file of BGRA pixels, top row first.
std::vector<uint8_t> EncodeImage(const std::vector<uint8_t>& bgra, int width, int height,
                                 image::ImageFormat format) {
    image::CImage picture;
    EXPECT_TRUE(picture.CreateFromRows(bgra.data(), width, height, size_t(width) * 4,
                                       image::PixelLayout::Bgra32));
    const std::optional<std::vector<uint8_t>> file = picture.Encode(format);
    EXPECT_TRUE(file) << picture.GetLastError();
    return file.value_or(std::vector<uint8_t>{});
}

TexturePixels Decode(const std::vector<uint8_t>& file, const TextureLoadOptions& options = {},
                     uint32_t maxWidth = kNoLimit, uint32_t maxHeight = kNoLimit) {
    TexturePixels pixels;
    std::string error;
    EXPECT_EQ(kOk, DecodeTexturePixels(file.data(), file.size(), options, maxWidth, maxHeight,
                                       &pixels, &error))
        << error;
    return pixels;
}

TEST(TexturePixelsTest, ColourKeyMakesExactMatchesTransparent) {
    // Opaque black, nearly black, half-transparent black, white.
    const std::vector<uint8_t> bgra = {0, 0, 0, 255, 0,   0,   1,   255,
                                       0, 0, 0, 128, 255, 255, 255, 255};
    const std::vector<uint8_t> png = EncodeImage(bgra, 4, 1, image::ImageFormat::Png);
    TextureLoadOptions keyed;
    keyed.colorKey = 0xFF000000;
    const TexturePixels pixels = Decode(png, keyed);
    EXPECT_EQ(Format::A8R8G8B8, pixels.format);
    EXPECT_EQ((std::vector<uint32_t>{0x00000000, 0xFF010000, 0x80000000, 0xFFFFFFFF}),
              pixels.pixels);

    EXPECT_EQ(0xFF000000u, Decode(png).pixels[0]);
}

TEST(TexturePixelsTest, OpaqueImageGivesOpaquePixelsTopRowFirst) {
    // Red over blue.
    const std::vector<uint8_t> bgra = {0, 0, 255, 255, 255, 0, 0, 255};
    const TexturePixels pixels = Decode(EncodeImage(bgra, 1, 2, image::ImageFormat::Bmp));
    EXPECT_EQ(Format::X8R8G8B8, pixels.format);
    EXPECT_EQ((std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF}), pixels.pixels);

    TextureLoadOptions keyed;
    keyed.colorKey = 0xFF0000FF;
    const TexturePixels keyedPixels =
        Decode(EncodeImage(bgra, 1, 2, image::ImageFormat::Bmp), keyed);
    EXPECT_EQ(Format::A8R8G8B8, keyedPixels.format);
    EXPECT_EQ((std::vector<uint32_t>{0xFFFF0000, 0}), keyedPixels.pixels);
}

TEST(TexturePixelsTest, SizeFollowsTheRuleAndTheLimit) {
    const std::vector<uint8_t> file =
        EncodeImage(std::vector<uint8_t>(3 * 5 * 4, 200), 3, 5, image::ImageFormat::Bmp);
    struct Case {
        TextureLoadOptions::Size rule;
        uint32_t maxWidth;
        uint32_t maxHeight;
        uint32_t width;
        uint32_t height;
    };
    const Case cases[] = {
        {TextureLoadOptions::Size::Image, kNoLimit, kNoLimit, 3, 5},
        {TextureLoadOptions::Size::PowerOfTwo, kNoLimit, kNoLimit, 4, 8},
        {TextureLoadOptions::Size::Image, 2, 4, 2, 4},
        {TextureLoadOptions::Size::PowerOfTwo, 4, 4, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        TextureLoadOptions options;
        options.size = c.rule;
        const TexturePixels pixels = Decode(file, options, c.maxWidth, c.maxHeight);
        EXPECT_EQ(c.width, pixels.width);
        EXPECT_EQ(c.height, pixels.height);
        ASSERT_EQ(size_t{c.width} * c.height, pixels.pixels.size());
        EXPECT_EQ(0xFFC8C8C8u, pixels.pixels.back());
    }
}

TEST(TexturePixelsTest, FileWithoutSignatureIsReadAsTga) {
    // 2 x 1, 24 bits, top row first: red then green.
    const std::vector<uint8_t> tga = {0, 0, 2, 0, 0,  0,    0, 0, 0,   0, 0,   0,
                                      2, 0, 1, 0, 24, 0x20, 0, 0, 255, 0, 255, 0};
    EXPECT_EQ((std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00}), Decode(tga).pixels);
}

TEST(TexturePixelsTest, DamagedImageIsRefusedWithAMessage) {
    std::vector<uint8_t> cut =
        EncodeImage(std::vector<uint8_t>(16 * 16 * 4, 90), 16, 16, image::ImageFormat::Png);
    cut.resize(cut.size() / 2);
    for (const std::vector<uint8_t>& bytes : {cut, std::vector<uint8_t>{}}) {
        TexturePixels pixels;
        std::string error;
        EXPECT_EQ(kErrInvalidCall, DecodeTexturePixels(bytes.data(), bytes.size(), {}, kNoLimit,
                                                       kNoLimit, &pixels, &error));
        EXPECT_TRUE(pixels.pixels.empty());
        EXPECT_NE(std::string::npos, error.find("貼圖")) << error;
    }
}

uint32_t Grey(uint32_t level) {
    return 0xFF000000u | level << 16 | level << 8 | level;
}

TEST(TexturePixelsTest, FlatHeightsGiveNormalsStraightOut) {
    const std::vector<uint32_t> flat(6, Grey(77));
    for (uint32_t normal : ComputeNormalMapPixels(flat.data(), 3, 2, 3, 2, 10.0f)) {
        EXPECT_EQ(0xFF8080FFu, normal);
    }
    // Heights of another size are sampled at the nearest texel.
    const std::vector<uint32_t> larger = ComputeNormalMapPixels(flat.data(), 3, 2, 8, 8, 10.0f);
    EXPECT_EQ(64u, larger.size());
    EXPECT_EQ(0xFF8080FFu, larger[63]);
}

// Levels 0, 64, 128, 192, 255 along the slope: in the middle dh = 128 / 255
// over two texels, so with amplitude 2 the normal is (-0.502, 0, 1)
// normalised = (-0.449, 0, 0.894), stored as (70, 128, 241).
TEST(TexturePixelsTest, SlopeTiltsTheNormalDownhill) {
    const uint32_t levels[5] = {0, 64, 128, 192, 255};
    std::vector<uint32_t> alongX;
    for (int row = 0; row < 3; ++row) {
        for (uint32_t level : levels) {
            alongX.push_back(Grey(level));
        }
    }
    EXPECT_EQ(0xFF4680F1u, ComputeNormalMapPixels(alongX.data(), 5, 3, 5, 3, 2.0f)[1 * 5 + 2]);

    std::vector<uint32_t> downRows;
    for (uint32_t level : levels) {
        downRows.insert(downRows.end(), 3, Grey(level));
    }
    EXPECT_EQ(0xFF8046F1u, ComputeNormalMapPixels(downRows.data(), 3, 5, 3, 5, 2.0f)[2 * 3 + 1]);
}

}  // namespace
}  // namespace gfx::test
