#include "platform/image/DeclaredPixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/image/Image.h"
#include "platform/image/ImageFormat.h"
#include "support/ResourceUse.h"

namespace {

using image::CImage;
using image::ImageFormat;
using Bytes = std::vector<std::uint8_t>;

void PutLe(Bytes& b, std::size_t at, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

void PutBe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * (3 - i)));
    }
}

Bytes WithData(Bytes header, std::size_t dataBytes) {
    header.resize(header.size() + dataBytes, 0x11);
    return header;
}

Bytes Bmp(std::uint32_t headerSize, std::int32_t width, std::int32_t height, std::uint16_t bits,
          std::uint32_t compression, std::size_t dataBytes) {
    Bytes b(14 + headerSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLe(b, 14, headerSize, 4);
    if (headerSize == 12) {
        PutLe(b, 18, static_cast<std::uint32_t>(width), 2);
        PutLe(b, 20, static_cast<std::uint32_t>(height), 2);
        PutLe(b, 22, 1, 2);
        PutLe(b, 24, bits, 2);
    } else {
        PutLe(b, 18, static_cast<std::uint32_t>(width), 4);
        PutLe(b, 22, static_cast<std::uint32_t>(height), 4);
        PutLe(b, 26, 1, 2);
        PutLe(b, 28, bits, 2);
        PutLe(b, 30, compression, 4);
    }
    return WithData(b, dataBytes);
}

Bytes Tga(std::uint8_t type, std::uint16_t width, std::uint16_t height, std::uint8_t bits,
          std::size_t dataBytes, std::uint8_t idLength = 0, std::uint16_t mapEntries = 0) {
    Bytes b(18 + idLength + mapEntries * 3u, 0);
    b[0] = idLength;
    b[1] = mapEntries > 0 ? 1 : 0;
    b[2] = type;
    PutLe(b, 5, mapEntries, 2);
    b[7] = mapEntries > 0 ? 24 : 0;
    PutLe(b, 12, width, 2);
    PutLe(b, 14, height, 2);
    b[16] = bits;
    b[17] = 0x20;
    return WithData(b, dataBytes);
}

Bytes Pcx(std::uint16_t width, std::uint16_t height, std::uint8_t planes,
          std::uint16_t bytesPerLine, bool runLength, std::size_t dataBytes) {
    Bytes b(128, 0);
    b[0] = 0x0A;
    b[1] = 5;
    b[2] = runLength ? 1 : 0;
    b[3] = 8;
    PutLe(b, 8, width - 1u, 2);
    PutLe(b, 10, height - 1u, 2);
    b[65] = planes;
    PutLe(b, 66, bytesPerLine, 2);
    return WithData(b, dataBytes);
}

Bytes Text(const std::string& header, std::size_t dataBytes) {
    return WithData(Bytes(header.begin(), header.end()), dataBytes);
}

Bytes Sun(std::uint32_t width, std::uint32_t height, std::uint32_t bits, std::uint32_t type,
          std::size_t dataBytes, std::uint32_t dataLength = 0) {
    Bytes b(32, 0);
    PutBe32(b, 0, 0x59A66A95);
    PutBe32(b, 4, width);
    PutBe32(b, 8, height);
    PutBe32(b, 12, bits);
    PutBe32(b, 16, dataLength);
    PutBe32(b, 20, type);
    return WithData(b, dataBytes);
}

struct HeaderCase {
    const char* name;
    ImageFormat format;
    Bytes file;
    bool holds;
};

TEST(DeclaredPixels, HeaderSizeIsWeighedAgainstTheBytesThatFollow) {
    const HeaderCase cases[] = {
        // Plain rows: every pixel's bits, rows unpadded at the least.
        {"bmp 24-bit 5x3", ImageFormat::Bmp, Bmp(40, 5, 3, 24, 0, 45), true},
        {"bmp 24-bit 5x3 short", ImageFormat::Bmp, Bmp(40, 5, 3, 24, 0, 44), false},
        {"bmp 1-bit 9x2", ImageFormat::Bmp, Bmp(40, 9, 2, 1, 0, 4), true},
        {"bmp 1-bit 9x2 short", ImageFormat::Bmp, Bmp(40, 9, 2, 1, 0, 3), false},
        {"bmp top-down", ImageFormat::Bmp, Bmp(40, 2, -2, 24, 0, 11), false},
        {"bmp core header", ImageFormat::Bmp, Bmp(12, 4, 4, 8, 0, 16), true},
        {"bmp core header short", ImageFormat::Bmp, Bmp(12, 4, 4, 8, 0, 15), false},
        {"bmp bitfields", ImageFormat::Bmp, Bmp(40, 3, 1, 32, 3, 11), false},
        // Runs of up to 255 pixels in two bytes.
        {"bmp rle8 600 pixels", ImageFormat::Bmp, Bmp(40, 600, 1, 8, 1, 6), true},
        {"bmp rle8 600 pixels short", ImageFormat::Bmp, Bmp(40, 600, 1, 8, 1, 5), false},
        {"bmp rle4 short", ImageFormat::Bmp, Bmp(40, 300, 2, 4, 2, 5), false},
        {"bmp embedded png", ImageFormat::Bmp, Bmp(40, 5000, 5000, 0, 5, 0), true},
        {"bmp wider than any image", ImageFormat::Bmp, Bmp(40, 70000, 1, 1, 0, 8750), false},
        // TGA: after the id and the colour map; runs of up to 128 pixels in a
        // count byte and one pixel.
        {"tga true colour", ImageFormat::Tga, Tga(2, 4, 4, 24, 48), true},
        {"tga true colour short", ImageFormat::Tga, Tga(2, 4, 4, 24, 47), false},
        {"tga mapped after id and map", ImageFormat::Tga, Tga(1, 4, 4, 8, 16, 10, 2), true},
        {"tga mapped short", ImageFormat::Tga, Tga(1, 4, 4, 8, 15, 10, 2), false},
        {"tga rle 300 pixels", ImageFormat::Tga, Tga(10, 300, 1, 24, 12), true},
        {"tga rle 300 pixels short", ImageFormat::Tga, Tga(10, 300, 1, 24, 11), false},
        {"tga rle grey short", ImageFormat::Tga, Tga(11, 65535, 2048, 8, 5), false},
        {"tga other type", ImageFormat::Tga, Tga(32, 4, 4, 24, 0), true},
        // PCX: the wider of the stated and the needed line, runs of up to 63
        // bytes in two.
        {"pcx rle", ImageFormat::Pcx, Pcx(100, 2, 1, 100, true, 8), true},
        {"pcx rle short", ImageFormat::Pcx, Pcx(100, 2, 1, 100, true, 7), false},
        {"pcx stated line wider", ImageFormat::Pcx, Pcx(100, 2, 1, 200, true, 13), false},
        {"pcx stated line narrower", ImageFormat::Pcx, Pcx(100, 2, 3, 1, true, 19), false},
        {"pcx plain", ImageFormat::Pcx, Pcx(10, 2, 3, 10, false, 60), true},
        {"pcx plain short", ImageFormat::Pcx, Pcx(10, 2, 3, 10, false, 59), false},
        // WBMP: a bit a pixel, rows padded to bytes.
        {"wbmp 10x3", ImageFormat::Wbmp, WithData({0, 0, 10, 3}, 6), true},
        {"wbmp 10x3 short", ImageFormat::Wbmp, WithData({0, 0, 10, 3}, 5), false},
        {"wbmp two-byte width", ImageFormat::Wbmp, WithData({0, 0, 0x81, 0x00, 1}, 15), false},
        {"wbmp other type", ImageFormat::Wbmp, Bytes{1, 0, 0x83, 0xFF, 0x7F, 0x90, 0}, true},
        {"wbmp number cut", ImageFormat::Wbmp, Bytes{0, 0, 0x83, 0xFF}, true},
        // PNM: binary after one whitespace byte; text takes a digit and a
        // space a sample.
        {"ppm", ImageFormat::Pnm, Text("P6 4 2 255\n", 24), true},
        {"ppm short", ImageFormat::Pnm, Text("P6 4 2 255\n", 23), false},
        {"pgm 16-bit short", ImageFormat::Pnm, Text("P5\n4 2\n65535\n", 15), false},
        {"pbm", ImageFormat::Pnm, Text("P4 9 2\n", 4), true},
        {"pbm short", ImageFormat::Pnm, Text("P4 9 2\n", 3), false},
        {"plain pbm with a comment", ImageFormat::Pnm, Text("P1\n# made by hand\n3 2\n", 6), true},
        {"plain pbm short", ImageFormat::Pnm, Text("P1\n# made by hand\n3 2\n", 5), false},
        {"plain ppm short", ImageFormat::Pnm, Text("P3 2 1 255\n", 10), false},
        {"pnm without numbers", ImageFormat::Pnm, Text("P6 x", 40), true},
        // Sun raster: rows padded to 16 bits; runs of up to 256 bytes in
        // three; the stated data length counts too.
        {"sun 24-bit", ImageFormat::Ras, Sun(5, 2, 24, 1, 32), true},
        {"sun 24-bit short", ImageFormat::Ras, Sun(5, 2, 24, 1, 31), false},
        {"sun rle", ImageFormat::Ras, Sun(100, 10, 24, 2, 36), true},
        {"sun rle short", ImageFormat::Ras, Sun(100, 10, 24, 2, 35), false},
        {"sun data length past the end", ImageFormat::Ras, Sun(5, 2, 24, 1, 32, 1000), false},
        // No size in a header read here.
        {"png", ImageFormat::Png, Bytes{0x89, 'P', 'N', 'G'}, true},
    };
    for (const HeaderCase& c : cases) {
        EXPECT_EQ(image::HoldsDeclaredPixels(c.file.data(), c.file.size(), c.format), c.holds)
            << c.name;
    }
}

TEST(DeclaredPixels, RunsAtTheBestRatioStillDecode) {
    // Each picture is filled by runs of the longest kind its format has.
    const struct {
        const char* name;
        ImageFormat format;
        Bytes header;
        Bytes runs;
    } cases[] = {
        {"tga", ImageFormat::Tga, Tga(10, 128, 1, 24, 0), {0xFF, 10, 20, 30}},
        {"pcx", ImageFormat::Pcx, Pcx(63, 1, 3, 63, true, 0), {0xFF, 30, 0xFF, 20, 0xFF, 10}},
        {"sun",
         ImageFormat::Ras,
         Sun(256, 1, 24, 2, 0, 9),
         {0x80, 0xFF, 7, 0x80, 0xFF, 7, 0x80, 0xFF, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes file = c.header;
        file.insert(file.end(), c.runs.begin(), c.runs.end());
        ASSERT_TRUE(image::HoldsDeclaredPixels(file.data(), file.size(), c.format));
        CImage picture;
        EXPECT_TRUE(picture.Decode(file.data(), file.size(), c.format)) << picture.GetLastError();
    }
}

// A crafted file and how long refusing it may take.
struct CraftedFile {
    const char* name;
    double seconds;
};

class HugeHeaderFixture : public testing::TestWithParam<CraftedFile> {};

// A few bytes each that declare far more than they hold: the WBMP and TGA
// 65535 x 2048 pixels, for which the decoder took more than a gigabyte
// before it found no pixels; the JPEG-2000 files 65535 tiles of one pixel
// (2 seconds and 700 MB to set up) or four planes of 65535 x 2048 (8 seconds
// and 2 GB to decode to nothing).
TEST_P(HugeHeaderFixture, IsRefusedBeforeTheDecoderAllocates) {
    const std::string path =
        VELMORA_TEST_DATA_DIR "/platform/image/" + std::string(GetParam().name);
    std::ifstream in(path, std::ios::binary);
    const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(file.empty()) << path;
    CImage picture;
    bool decoded = true;
    const ResourceUse use = MeasureResourceUse([&] {
        decoded = picture.Decode(file.data(), file.size(), image::GetImageFormatByExtension(path));
    });
    EXPECT_FALSE(decoded);
    EXPECT_FALSE(picture.GetLastError().empty());
    EXPECT_LT(use.seconds, GetParam().seconds);
    EXPECT_LT(use.peakGrowthBytes, std::int64_t{64} << 20);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, HugeHeaderFixture,
    testing::Values(CraftedFile{"huge-declared.wbmp", 5.0},
                    CraftedFile{"huge-declared-rle.tga", 5.0}, CraftedFile{"many-tiles.j2k", 0.5},
                    CraftedFile{"many-tiles.jp2", 0.5}, CraftedFile{"huge-planes.j2k", 0.5}),
    [](const testing::TestParamInfo<CraftedFile>& info) {
        std::string name = info.param.name;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return c == '-' || c == '.'; }, '_');
        return name;
    });

// A complete WBMP of 65535 x 2048 pixels passes the header check, but as a
// colour-mapped picture it needs more than the decoder's memory limit: it is
// refused when the picture is allocated, not after gigabytes were filled.
TEST(DeclaredPixels, PictureBeyondTheDecodersMemoryIsRefusedUpFront) {
    Bytes file = {0, 0, 0x83, 0xFF, 0x7F, 0x90, 0x00};
    file.resize(file.size() + std::size_t{2048} * 8192, 0);
    ASSERT_TRUE(image::HoldsDeclaredPixels(file.data(), file.size(), ImageFormat::Wbmp));
    CImage picture;
    bool decoded = true;
    const ResourceUse use = MeasureResourceUse(
        [&] { decoded = picture.Decode(file.data(), file.size(), ImageFormat::Wbmp); });
    EXPECT_FALSE(decoded);
    EXPECT_LT(use.seconds, 5.0);
    EXPECT_LT(use.peakGrowthBytes, std::int64_t{64} << 20);
}

}  // namespace
