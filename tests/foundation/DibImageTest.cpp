#include "foundation/DibImage.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/draw/ImageDrawContext.h"
#include "platform/draw/RecordingDrawContext.h"
#include "platform/image/Raster.h"
#include "support/ResourceUse.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;
using draw::COLORREF;
using draw::Rgb;

void Put16(Bytes& b, size_t at, uint16_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = uint8_t(v >> (8 * i));
    }
}

// A .bmp file laid out byte by byte: file header, info header of the given
// size, masks after a 40-byte header (inside a larger one), colour table,
// then the rows in stored order, each padded to four bytes.
struct BmpLayout {
    uint32_t headerSize = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t clrUsed = 0;
    std::array<uint32_t, 3> masks{};
    std::vector<COLORREF> palette{};
    std::vector<Bytes> rows{};
};

Bytes BuildBmp(const BmpLayout& s) {
    const bool trailingMasks = s.compression == 3 && s.headerSize == 40;
    const size_t pixelOffset = 14 + s.headerSize + (trailingMasks ? 12 : 0) + 4 * s.palette.size();
    Bytes b(pixelOffset);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, uint32_t(pixelOffset));
    Put32(b, 14, s.headerSize);
    Put32(b, 18, uint32_t(s.width));
    Put32(b, 22, uint32_t(s.height));
    Put16(b, 26, 1);
    Put16(b, 28, s.bitCount);
    Put32(b, 30, s.compression);
    Put32(b, 46, s.clrUsed);
    if (s.compression == 3) {
        for (size_t i = 0; i < 3; ++i) {
            Put32(b, 14 + 40 + 4 * i, s.masks[i]);
        }
    }
    size_t at = 14 + s.headerSize + (trailingMasks ? 12 : 0);
    for (const COLORREF c : s.palette) {
        b[at++] = draw::BlueOf(c);
        b[at++] = draw::GreenOf(c);
        b[at++] = draw::RedOf(c);
        b[at++] = 0;
    }
    for (Bytes row : s.rows) {
        row.resize((row.size() + 3) / 4 * 4);
        b.insert(b.end(), row.begin(), row.end());
    }
    Put32(b, 2, uint32_t(b.size()));
    return b;
}

// The image drawn 1:1 at (0, 0), read back top row first.
std::vector<std::vector<COLORREF>> Drawn(const CDibImage& image) {
    const draw::Size size = image.GetSize();
    draw::ImageDrawContext dc(size.cx, size.cy);
    image.Draw(dc, size.cx, size.cy, false);
    std::vector<std::vector<COLORREF>> pixels(size_t(size.cy));
    for (int32_t y = 0; y < size.cy; ++y) {
        for (int32_t x = 0; x < size.cx; ++x) {
            pixels[size_t(y)].push_back(dc.GetPixel(x, y));
        }
    }
    return pixels;
}

const COLORREF kRed = Rgb(255, 0, 0);
const COLORREF kGreen = Rgb(0, 255, 0);
const COLORREF kBlue = Rgb(0, 0, 255);
const COLORREF kYellow = Rgb(255, 255, 0);
const COLORREF kBlack = Rgb(0, 0, 0);

std::vector<COLORREF> GreyRamp() {
    std::vector<COLORREF> ramp;
    for (int i = 0; i < 256; ++i) {
        ramp.push_back(Rgb(uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)));
    }
    return ramp;
}

TEST(DibImage, EveryPixelFormatDrawsItsColours) {
    struct Case {
        const char* name;
        BmpLayout layout;
        std::vector<std::vector<COLORREF>> expected;
    };
    const Case cases[] = {
        {"1-bit bottom-up",
         {.width = 3,
          .height = 2,
          .bitCount = 1,
          .palette = {kBlue, kYellow},
          .rows = {{0b10100000}, {0b01000000}}},
         {{kBlue, kYellow, kBlue}, {kYellow, kBlue, kYellow}}},
        {"4-bit top-down, short table",
         {.width = 3,
          .height = -2,
          .bitCount = 4,
          .clrUsed = 3,
          .palette = {kRed, kGreen, kBlue},
          .rows = {{0x01, 0x20}, {0x52, 0x00}}},
         {{kRed, kGreen, kBlue}, {kBlack, kBlue, kRed}}},
        {"8-bit, index equal to a short table's count draws black",
         {.width = 4,
          .height = 1,
          .bitCount = 8,
          .clrUsed = 2,
          .palette = {kRed, kGreen},
          // Read as a table entry, index 2 would be these very bytes.
          .rows = {{2, 200, 0, 1}}},
         {{kBlack, kBlack, kRed, kGreen}}},
        {"8-bit, full table",
         {.width = 2,
          .height = 2,
          .bitCount = 8,
          .palette = GreyRamp(),
          .rows = {{7, 200}, {255, 0}}},
         {{Rgb(255, 0, 127), Rgb(0, 255, 0)}, {Rgb(7, 248, 3), Rgb(200, 55, 100)}}},
        {"24-bit bottom-up",
         {.width = 2, .height = 2, .rows = {{0, 0, 255, 0, 255, 0}, {255, 0, 0, 10, 20, 30}}},
         {{kBlue, Rgb(30, 20, 10)}, {kRed, kGreen}}},
        {"24-bit top-down",
         {.width = 2, .height = -2, .rows = {{0, 0, 255, 0, 255, 0}, {255, 0, 0, 10, 20, 30}}},
         {{kRed, kGreen}, {kBlue, Rgb(30, 20, 10)}}},
        {"16-bit 5-5-5",
         {.width = 4,
          .height = 1,
          .bitCount = 16,
          .rows = {{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}}},
         {{kRed, kGreen, kBlue, Rgb(132, 132, 132)}}},
        {"32-bit BI_RGB, the usual 32-bit file",
         {.width = 2, .height = 1, .bitCount = 32, .rows = {{10, 20, 30, 0, 0, 0, 255, 0}}},
         {{Rgb(30, 20, 10), kRed}}},
        {"32-bit bitfields after a 40-byte header, with a colour table",
         {.width = 2,
          .height = 1,
          .bitCount = 32,
          .compression = 3,
          .clrUsed = 2,
          .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
          .palette = {kYellow, kYellow},
          .rows = {{10, 20, 30, 0, 255, 0, 0, 0}}},
         {{Rgb(10, 20, 30), kRed}}},
        {"32-bit bitfields in a V4 header",
         {.headerSize = 108,
          .width = 2,
          .height = 1,
          .bitCount = 32,
          .compression = 3,
          .masks = {0xFF000000, 0x00FF0000, 0x0000FF00},
          .rows = {{0xFF, 30, 20, 10, 0, 0, 0, 0xFF}}},
         {{Rgb(10, 20, 30), kRed}}},
        {"24-bit in a V5 header with a colour table",
         {.headerSize = 124,
          .width = 1,
          .height = 2,
          .clrUsed = 1,
          .palette = {kYellow},
          .rows = {{1, 2, 3}, {4, 5, 6}}},
         {{Rgb(6, 5, 4)}, {Rgb(3, 2, 1)}}},
        {"16-bit 5-6-5 in a V5 header",
         {.headerSize = 124,
          .width = 2,
          .height = 1,
          .bitCount = 16,
          .compression = 3,
          .masks = {0xF800, 0x07E0, 0x001F},
          .rows = {{0x00, 0xF8, 0xE0, 0x07}}},
         {{kRed, kGreen}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = BuildBmp(c.layout);
        CDibImage image;
        ASSERT_TRUE(image.LoadFromMemory(file));
        EXPECT_EQ(image.GetSize(), (draw::Size{c.layout.width, std::abs(c.layout.height)}));
        EXPECT_EQ(Drawn(image), c.expected);
        // The stored pixels start after the header, masks and colour table.
        const size_t pixelOffset =
            file.size() - c.layout.rows.size() * ((c.layout.rows[0].size() + 3) / 4 * 4);
        EXPECT_EQ(image.GetBits()[0], file[pixelOffset]);
    }
}

TEST(DibImage, BlitReadyRowsAreDrawnFromTheBlockItself) {
    CDibImage image;
    ASSERT_TRUE(image.LoadFromMemory(BuildBmp({.width = 1, .height = 1, .rows = {{1, 2, 3}}})));
    const draw::DibPixels pixels = image.GetPixelData();
    EXPECT_EQ(pixels.bits, image.GetBits());
    EXPECT_EQ(pixels.bitCount, 24);
    EXPECT_TRUE(CDibImage().GetBits() == nullptr);
    EXPECT_FALSE(CDibImage().GetPixelData().IsValid());
}

Bytes Grey24(int32_t width, int32_t height) {
    return BuildBmp({.width = width,
                     .height = height,
                     .rows = std::vector<Bytes>(size_t(height), Bytes(size_t(width) * 3, 128))});
}

TEST(DibImage, KeepAspectCentresTheImageInTheBox) {
    CDibImage image;
    ASSERT_TRUE(image.LoadFromMemory(Grey24(100, 50)));
    image.SetPosition(10, 10);
    draw::RecordingDrawContext dc;
    image.Draw(dc, 100, 100, true);
    image.Draw(dc, 40, 30, false);
    ASSERT_EQ(dc.Records().size(), 2u);
    EXPECT_EQ(dc.Records()[0].op, draw::DrawOp::StretchDIBits);
    EXPECT_EQ(dc.Records()[0].points, (std::vector<draw::Point>{{10, 35}, {110, 85}}));
    EXPECT_EQ(dc.Records()[0].source, (draw::Rect{0, 0, 100, 50}));
    EXPECT_EQ(dc.Records()[1].points, (std::vector<draw::Point>{{10, 10}, {50, 40}}));
}

TEST(DibImage, AnEmptyOrFreedImageDrawsNothing) {
    draw::RecordingDrawContext dc;
    CDibImage image;
    image.Draw(dc, 10, 10, false);
    ASSERT_TRUE(image.LoadFromMemory(Grey24(2, 2)));
    image.Free();
    image.Draw(dc, 10, 10, true);
    EXPECT_TRUE(dc.Records().empty());
    EXPECT_EQ(image.GetSize(), (draw::Size{0, 0}));
    EXPECT_FALSE(image.HasImage());
}

TEST(DibImage, AssignCopiesTheBytesAndPosition) {
    CDibImage original;
    ASSERT_TRUE(original.LoadFromMemory(BuildBmp(
        {.width = 2, .height = 1, .bitCount = 1, .palette = {kRed, kBlue}, .rows = {{0x40}}})));
    original.SetPosition(3, 4);
    CDibImage copy;
    copy.Assign(original);
    copy.Assign(copy);
    original.Free();
    draw::RecordingDrawContext dc;
    copy.Draw(dc, 2, 1, false);
    ASSERT_EQ(dc.Records().size(), 1u);
    EXPECT_EQ(dc.Records()[0].points[0], (draw::Point{3, 4}));
    copy.SetPosition(0, 0);
    EXPECT_EQ(Drawn(copy), (std::vector<std::vector<COLORREF>>{{kRed, kBlue}}));
}

// Each refused buffer is copied into a block of exactly its size, so a read
// past the end shows under the address sanitizer.
bool LoadExact(CDibImage& image, const Bytes& bytes) {
    const auto exact = std::make_unique<uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), exact.get());
    return image.LoadFromMemory({exact.get(), bytes.size()});
}

TEST(DibImage, LyingOrTruncatedHeadersAreRefused) {
    const Bytes valid = Grey24(2, 2);  // 14 + 40 + 2 x 8 = 70 bytes
    ASSERT_EQ(valid.size(), 70u);
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
    };
    const Case cases[] = {
        {"signature MB", [](Bytes& b) { std::swap(b[0], b[1]); }},
        {"shorter than a file header", [](Bytes& b) { b.resize(13); }},
        {"file size 0", [](Bytes& b) { Put32(b, 2, 0); }},
        {"file size below the file header", [](Bytes& b) { Put32(b, 2, 13); }},
        {"file size below both headers", [](Bytes& b) { Put32(b, 2, 53); }},
        {"file size beyond the buffer", [](Bytes& b) { Put32(b, 2, 71); }},
        {"file size cuts the pixels", [](Bytes& b) { Put32(b, 2, 60); }},
        {"buffer cut short", [](Bytes& b) { b.resize(69); }},
        {"core header", [](Bytes& b) { Put32(b, 14, 12); }},
        {"header beyond the block", [](Bytes& b) { Put32(b, 14, 1000); }},
        {"more rows than stored", [](Bytes& b) { Put32(b, 22, 3); }},
        {"more top-down rows than stored", [](Bytes& b) { Put32(b, 22, uint32_t(-3)); }},
        {"zero width", [](Bytes& b) { Put32(b, 18, 0); }},
        {"negative width", [](Bytes& b) { Put32(b, 18, uint32_t(-2)); }},
        {"huge width", [](Bytes& b) { Put32(b, 18, INT32_MAX); }},
        {"zero height", [](Bytes& b) { Put32(b, 22, 0); }},
        {"lowest height", [](Bytes& b) { Put32(b, 22, uint32_t(INT32_MIN)); }},
        {"7 bits per pixel", [](Bytes& b) { Put16(b, 28, 7); }},
        {"run-length compressed", [](Bytes& b) { Put32(b, 30, 1); }},
        {"bitfields at 24 bits", [](Bytes& b) { Put32(b, 30, 3); }},
        {"colour table beyond the block", [](Bytes& b) { Put32(b, 46, 0xFFFFFFFF); }},
        {"masks beyond the block",
         [](Bytes& b) {
             Put16(b, 28, 32);
             Put32(b, 30, 3);
             Put32(b, 22, 1);
             Put32(b, 18, 1);
             b.resize(14 + 44);
             Put32(b, 2, 14 + 44);
         }},
    };
    for (const Case& c : cases) {
        Bytes damaged = valid;
        c.damage(damaged);
        CDibImage image;
        ASSERT_TRUE(image.LoadFromMemory(valid));
        EXPECT_FALSE(LoadExact(image, damaged)) << c.name;
        EXPECT_FALSE(image.HasImage()) << c.name;
    }
    CDibImage image;
    EXPECT_TRUE(LoadExact(image, valid));
}

// A 1-bit block becomes 32-bit rows for the blit, 32 times its bytes; one
// beyond the image limits is refused before that.
TEST(DibImage, OneBitBlocksBeyondTheImageLimitsAreRefused) {
    const struct {
        const char* name;
        int32_t width;
        int32_t height;
    } cases[] = {
        {"wider than any image", image::kMaxSide + 1, 1},
        {"more pixels than any image", 16384, int32_t(image::kMaxPixels / 16384 + 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes bmp = BuildBmp(
            {.width = c.width,
             .height = c.height,
             .bitCount = 1,
             .palette = {kBlack, kYellow},
             .rows = std::vector<Bytes>(size_t(c.height), Bytes(size_t(c.width + 7) / 8, 0x5A))});
        CDibImage image;
        bool loaded = true;
        const ResourceUse use = MeasureResourceUse([&] { loaded = image.LoadFromMemory(bmp); });
        EXPECT_FALSE(loaded);
        EXPECT_FALSE(image.HasImage());
        EXPECT_LT(use.seconds, 5.0);
        EXPECT_LT(use.peakGrowthBytes, int64_t(bmp.size()) + (int64_t{16} << 20));
    }
}

class DibImageFile : public testing::Test {
protected:
    std::string Write(const char* name, const Bytes& bytes) {
        const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return m_folder.Write(name, content).string();
    }

    TempFolder m_folder;
};

TEST_F(DibImageFile, TheFileLengthDecidesNotTheStoredSize) {
    CDibImage image;
    EXPECT_TRUE(image.LoadFromFile(Write("plain.bmp", Grey24(3, 2))));
    EXPECT_EQ(image.GetSize(), (draw::Size{3, 2}));

    Bytes noSize = Grey24(3, 2);
    Put32(noSize, 2, 0);
    EXPECT_TRUE(image.LoadFromFile(Write("nosize.bmp", noSize)));
    EXPECT_EQ(image.GetSize(), (draw::Size{3, 2}));

    Bytes overstated = Grey24(3, 2);
    Put32(overstated, 2, 0x7FFFFFFF);
    EXPECT_TRUE(image.LoadFromFile(Write("overstated.bmp", overstated)));

    Bytes truncated = Grey24(3, 2);
    truncated.resize(truncated.size() - 1);
    EXPECT_FALSE(image.LoadFromFile(Write("truncated.bmp", truncated)));
    EXPECT_FALSE(image.HasImage());

    Bytes swapped = Grey24(3, 2);
    std::swap(swapped[0], swapped[1]);
    EXPECT_FALSE(image.LoadFromFile(Write("swapped.bmp", swapped)));
    EXPECT_FALSE(image.LoadFromFile(Write("tiny.bmp", Bytes{'B', 'M', 0})));
    EXPECT_FALSE(image.LoadFromFile((m_folder.Path() / "missing.bmp").string()));
}

}  // namespace
