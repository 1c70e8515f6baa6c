#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "TestImages.h"
#include "platform/image/Image.h"
#include "platform/image/ImageFormat.h"
#include "support/TempFolder.h"

namespace {

using image::CImage;
using image::Color;
using image::ImageFormat;
using image::test::MakePattern;
using image::test::MaxChannelDifference;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t Le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, static_cast<std::uint16_t>(v));
    Put16(b, static_cast<std::uint16_t>(v >> 16));
}

void PutInfoHeader(Bytes& b, std::int32_t width, std::int32_t height, std::uint16_t bpp) {
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, bpp);
    for (int i = 0; i < 6; ++i) {
        Put32(b, 0);
    }
}

// A .bmp whose header is written by hand, the pixel bytes following as given.
Bytes HandMadeBmp(std::int32_t width, std::int32_t height, std::uint16_t bpp, const Bytes& bits) {
    Bytes b = {'B', 'M'};
    Put32(b, static_cast<std::uint32_t>(54 + bits.size()));
    Put32(b, 0);
    Put32(b, 54);
    PutInfoHeader(b, width, height, bpp);
    b.insert(b.end(), bits.begin(), bits.end());
    return b;
}

Bytes RgbBytes(const CImage& picture) {
    Bytes rgb;
    for (int y = 0; y < picture.GetHeight(); ++y) {
        for (int x = 0; x < picture.GetWidth(); ++x) {
            const Color c = picture.GetPixelColor(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    }
    return rgb;
}

TEST(ImageCodec, EncodedBmpHasInfoHeaderAndPaddedBottomUpRows) {
    const CImage pattern = MakePattern(5, 3);
    const auto bmp = pattern.Encode(ImageFormat::Bmp);
    ASSERT_TRUE(bmp);
    const Bytes& b = *bmp;
    const std::size_t stride = 16;  // 5 x 3 bytes padded to a multiple of 4
    ASSERT_EQ(b.size(), 54 + 3 * stride);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Le32(b, 2), b.size());
    EXPECT_EQ(Le32(b, 6), 0u);
    EXPECT_EQ(Le32(b, 10), 54u);
    EXPECT_EQ(Le32(b, 14), 40u);
    EXPECT_EQ(Le32(b, 18), 5u);
    EXPECT_EQ(Le32(b, 22), 3u);  // positive: bottom-up
    EXPECT_EQ(Le16(b, 26), 1);
    EXPECT_EQ(Le16(b, 28), 24);
    EXPECT_EQ(Le32(b, 30), 0u);  // BI_RGB
    EXPECT_EQ(Le32(b, 34), 3 * stride);
    EXPECT_EQ(Le32(b, 46), 0u);  // no colour table
    for (int row = 0; row < 3; ++row) {
        const std::size_t start = 54 + row * stride;
        const int y = 2 - row;
        for (int x = 0; x < 5; ++x) {
            const Color c = pattern.GetPixelColor(x, y);
            EXPECT_EQ(b[start + x * 3], c.b);
            EXPECT_EQ(b[start + x * 3 + 1], c.g);
            EXPECT_EQ(b[start + x * 3 + 2], c.r);
        }
        EXPECT_EQ(b[start + 15], 0) << "padding of row " << row;
    }
}

TEST(ImageCodec, BmpAndPngRoundTripsAreExact) {
    CImage translucent = MakePattern(7, 5);
    translucent.CreateAlpha();
    translucent.SetPixelColor(1, 1, Color{10, 20, 30, 0}, true);
    translucent.SetPixelColor(6, 4, Color{200, 100, 50, 90}, true);

    const struct {
        ImageFormat format;
        CImage source;
        bool keepsAlpha;
    } cases[] = {
        {ImageFormat::Bmp, MakePattern(7, 5), false},
        {ImageFormat::Png, MakePattern(7, 5), false},
        {ImageFormat::Png, translucent, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.format));
        const auto bytes = c.source.Encode(c.format);
        ASSERT_TRUE(bytes) << c.source.GetLastError();
        CImage decoded;
        ASSERT_TRUE(decoded.Decode(bytes->data(), bytes->size())) << decoded.GetLastError();
        EXPECT_EQ(decoded.HasAlpha(), c.keepsAlpha);
        EXPECT_EQ(decoded.GetBpp(), c.keepsAlpha ? 32 : 24);
        EXPECT_EQ(MaxChannelDifference(decoded, c.source), 0);
    }

    // BMP has no alpha: the colours survive, the alpha does not.
    const auto bmp = translucent.Encode(ImageFormat::Bmp);
    ASSERT_TRUE(bmp);
    CImage opaque;
    ASSERT_TRUE(opaque.Decode(bmp->data(), bmp->size(), ImageFormat::Bmp));
    EXPECT_FALSE(opaque.HasAlpha());
    EXPECT_EQ(opaque.GetPixelColor(1, 1), (Color{10, 20, 30, 255}));
}

TEST(ImageCodec, JpegRoundTripIsCloseAndQualityIsApplied) {
    CImage gradient;
    ASSERT_TRUE(gradient.Create(32, 24));
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x) {
            gradient.SetPixelColor(x, y,
                                   Color{static_cast<std::uint8_t>(x * 8),
                                         static_cast<std::uint8_t>(y * 10), 128, 255});
        }
    }
    const auto fine = gradient.Encode(ImageFormat::Jpg, 95);
    const auto coarse = gradient.Encode(ImageFormat::Jpg, 20);
    ASSERT_TRUE(fine && coarse);
    EXPECT_LT(coarse->size(), fine->size());
    CImage decoded;
    ASSERT_TRUE(decoded.Decode(fine->data(), fine->size(), ImageFormat::Jpg));
    EXPECT_FALSE(decoded.HasAlpha());
    const int difference = MaxChannelDifference(decoded, gradient);
    EXPECT_GE(difference, 0);
    EXPECT_LE(difference, 12);
}

TEST(ImageCodec, DecodesEveryRasterFormatWrittenByGraphicsMagick) {
    const CImage colour = MakePattern(8, 6);
    CImage bilevel;
    ASSERT_TRUE(bilevel.Create(8, 6));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const std::uint8_t v = (x + y * 3) % 4 == 0 ? 255 : 0;
            bilevel.SetPixelColor(x, y, Color{v, v, v, 255});
        }
    }
    const struct {
        const char* magick;
        ImageFormat format;
        bool hasSignature;
        const CImage* source;
    } cases[] = {
        {"BMP", ImageFormat::Bmp, true, &colour},  {"GIF", ImageFormat::Gif, true, &colour},
        {"TIFF", ImageFormat::Tif, true, &colour}, {"TGA", ImageFormat::Tga, false, &colour},
        {"PCX", ImageFormat::Pcx, true, &colour},  {"PNM", ImageFormat::Pnm, true, &colour},
        {"SUN", ImageFormat::Ras, true, &colour},  {"WBMP", ImageFormat::Wbmp, false, &bilevel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.magick);
        const Bytes file = image::test::EncodeWithGraphicsMagick(
            RgbBytes(*c.source), c.source->GetWidth(), c.source->GetHeight(), c.magick);
        CImage named;
        ASSERT_TRUE(named.Decode(file.data(), file.size(), c.format)) << named.GetLastError();
        EXPECT_EQ(MaxChannelDifference(named, *c.source), 0);
        CImage sniffed;
        EXPECT_EQ(sniffed.Decode(file.data(), file.size()), c.hasSignature);
        if (c.hasSignature) {
            EXPECT_EQ(MaxChannelDifference(sniffed, *c.source), 0);
        }
    }
}

TEST(ImageCodec, DecodesIconAndWindowsMetafile) {
    // A 2 x 2 24-bit icon: directory, entry, DIB of double height, then the
    // XOR rows (padded to 8 bytes) and the all-opaque AND mask.
    Bytes ico;
    Put16(ico, 0);
    Put16(ico, 1);
    Put16(ico, 1);
    ico.insert(ico.end(), {2, 2, 0, 0});
    Put16(ico, 1);
    Put16(ico, 24);
    Put32(ico, 40 + 16 + 8);
    Put32(ico, 22);
    PutInfoHeader(ico, 2, 4, 24);
    // Bottom row: blue, green; top row: red, white (B, G, R order).
    ico.insert(ico.end(), {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0});
    ico.insert(ico.end(), 8, 0);
    CImage icon;
    ASSERT_TRUE(icon.Decode(ico.data(), ico.size())) << icon.GetLastError();
    ASSERT_EQ(icon.GetWidth(), 2);
    ASSERT_EQ(icon.GetHeight(), 2);
    EXPECT_EQ(icon.GetPixelColor(0, 0), (Color{255, 0, 0, 255}));
    EXPECT_EQ(icon.GetPixelColor(1, 0), (Color{255, 255, 255, 255}));
    EXPECT_EQ(icon.GetPixelColor(0, 1), (Color{0, 0, 255, 255}));
    EXPECT_EQ(icon.GetPixelColor(1, 1), (Color{0, 255, 0, 255}));

    // A placeable metafile of 100 x 50 units holding one red rectangle.
    Bytes wmf;
    Put32(wmf, 0x9AC6CDD7);
    for (std::uint16_t v : {0, 0, 0, 100, 50, 96}) {
        Put16(wmf, v);
    }
    Put32(wmf, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2) {
        checksum ^= Le16(wmf, i);
    }
    Put16(wmf, checksum);
    const std::vector<std::vector<std::uint16_t>> records = {
        {0x020B, 0, 0},                  // SetWindowOrg
        {0x020C, 50, 100},               // SetWindowExt
        {0x02FC, 0, 0x00FF, 0x0000, 0},  // CreateBrushIndirect: solid red
        {0x012D, 0},                     // SelectObject
        {0x041B, 50, 100, 0, 0},         // Rectangle
        {0x0000},                        // end of file
    };
    std::uint32_t words = 9;
    for (const auto& r : records) {
        words += static_cast<std::uint32_t>(r.size()) + 2;
    }
    Put16(wmf, 1);
    Put16(wmf, 9);
    Put16(wmf, 0x0300);
    Put32(wmf, words);
    Put16(wmf, 1);
    Put32(wmf, 7);
    Put16(wmf, 0);
    for (const auto& r : records) {
        Put32(wmf, static_cast<std::uint32_t>(r.size()) + 2);
        for (std::uint16_t v : r) {
            Put16(wmf, v);
        }
    }
    CImage metafile;
    ASSERT_TRUE(metafile.Decode(wmf.data(), wmf.size())) << metafile.GetLastError();
    EXPECT_NEAR(static_cast<double>(metafile.GetWidth()) / metafile.GetHeight(), 2.0, 0.1);
    const Color centre = metafile.GetPixelColor(metafile.GetWidth() / 2, metafile.GetHeight() / 2);
    EXPECT_EQ(centre, (Color{255, 0, 0, 255}));
}

TEST(ImageCodec, DecodesJpeg2000FilesAndCodestreams) {
    const int width = 9;
    const int height = 7;
    const struct {
        int components;
        bool jp2;
        ImageFormat code;
    } cases[] = {
        {3, true, ImageFormat::Jp2},
        {4, true, ImageFormat::Jp2},
        {1, false, ImageFormat::J2k},
        {3, false, ImageFormat::Jpc},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.components << (c.jp2 ? " jp2" : " j2k"));
        Bytes samples;
        CImage expected;
        ASSERT_TRUE(expected.Create(width, height));
        if (c.components == 4) {
            expected.CreateAlpha();
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                Color p = image::test::PatternColor(x, y);
                p.a = static_cast<std::uint8_t>(255 - x * 20);
                if (c.components == 1) {
                    p.g = p.b = p.r;
                }
                expected.SetPixelColor(x, y, p, true);
                const std::uint8_t all[] = {p.r, p.g, p.b, p.a};
                samples.insert(samples.end(), all, all + (c.components == 1 ? 1 : c.components));
            }
        }
        const Bytes file = image::test::EncodeJpeg2000(samples, width, height, c.components, c.jp2);
        CImage decoded;
        ASSERT_TRUE(decoded.Decode(file.data(), file.size(), c.code)) << decoded.GetLastError();
        EXPECT_EQ(decoded.HasAlpha(), c.components == 4);
        EXPECT_EQ(MaxChannelDifference(decoded, expected), 0);
        CImage sniffed;
        EXPECT_TRUE(sniffed.Decode(file.data(), file.size()));
    }
}

// Each fixture lives in a buffer of exactly the length given, so a read past
// it is caught by the sanitizer build.
TEST(ImageCodec, CutOffOrForeignBytesFailAndKeepTheImage) {
    const CImage source = MakePattern(16, 12);
    const Bytes rgb = RgbBytes(source);
    // trailerLast: the last byte only closes a complete picture (a GIF
    // trailer, a TIFF link to no further directory, a PCX palette end).
    const struct {
        const char* name;
        ImageFormat format;
        Bytes file;
        bool trailerLast;
    } files[] = {
        {"bmp", ImageFormat::Bmp, *source.Encode(ImageFormat::Bmp), false},
        {"png", ImageFormat::Png, *source.Encode(ImageFormat::Png), false},
        {"jpg", ImageFormat::Jpg, *source.Encode(ImageFormat::Jpg), false},
        {"gif", ImageFormat::Gif, image::test::EncodeWithGraphicsMagick(rgb, 16, 12, "GIF"), true},
        {"tif", ImageFormat::Tif, image::test::EncodeWithGraphicsMagick(rgb, 16, 12, "TIFF"), true},
        {"tga", ImageFormat::Tga, image::test::EncodeWithGraphicsMagick(rgb, 16, 12, "TGA"), false},
        {"pcx", ImageFormat::Pcx, image::test::EncodeWithGraphicsMagick(rgb, 16, 12, "PCX"), true},
        {"jp2", ImageFormat::Jp2, image::test::EncodeJpeg2000(rgb, 16, 12, 3, true), false},
        {"j2k", ImageFormat::J2k, image::test::EncodeJpeg2000(rgb, 16, 12, 3, false), false},
    };
    std::mt19937 random(7);
    Bytes garbage(4096);
    std::generate(garbage.begin(), garbage.end(), [&random] { return random() & 0xFF; });

    const CImage before = MakePattern(3, 2);
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        for (std::size_t length :
             {f.file.size() - 1, f.file.size() / 2, std::size_t{20}, std::size_t{1}}) {
            if (f.trailerLast && length == f.file.size() - 1) {
                continue;
            }
            SCOPED_TRACE(length);
            const Bytes cut(f.file.begin(), f.file.begin() + static_cast<std::ptrdiff_t>(length));
            CImage target = before;
            EXPECT_FALSE(target.Decode(cut.data(), cut.size(), f.format));
            EXPECT_FALSE(target.GetLastError().empty());
            EXPECT_EQ(MaxChannelDifference(target, before), 0);
        }
        CImage target = before;
        EXPECT_FALSE(target.Decode(garbage.data(), garbage.size(), f.format));
        EXPECT_EQ(MaxChannelDifference(target, before), 0);
    }
    // A named format is the only decoder tried, whatever the bytes look like.
    const Bytes png = *source.Encode(ImageFormat::Png);
    CImage target;
    EXPECT_FALSE(target.Decode(png.data(), png.size(), ImageFormat::Bmp));
    EXPECT_FALSE(target.Decode(png.data(), png.size(), ImageFormat::Jp2));
    EXPECT_FALSE(target.Decode(garbage.data(), garbage.size()));
    EXPECT_FALSE(target.IsValid());
    EXPECT_FALSE(target.Decode(garbage.data(), 0));
    EXPECT_FALSE(target.Decode(nullptr, 10));
}

TEST(ImageCodec, ThirtyTwoBitBmpWithEmptyFourthBytesIsOpaque) {
    // A screen or render-target capture: BI_RGB, 32 bits, the fourth byte 0.
    const Bytes bits = {10, 20, 30, 0, 40, 50, 60, 0};  // one row: two pixels
    const Bytes bmp = HandMadeBmp(2, 1, 32, bits);
    CImage capture;
    ASSERT_TRUE(capture.Decode(bmp.data(), bmp.size())) << capture.GetLastError();
    EXPECT_FALSE(capture.HasAlpha());
    EXPECT_EQ(capture.GetPixelColor(0, 0), (Color{30, 20, 10, 255}));
    EXPECT_EQ(capture.GetPixelColor(1, 0), (Color{60, 50, 40, 255}));
}

TEST(ImageCodec, OversizedImagesAreRefused) {
    // Complete pixel data, but wider than any image the system handles.
    const std::int32_t width = image::kMaxSide + 1;
    const Bytes bmp =
        HandMadeBmp(width, 1, 24, Bytes((static_cast<std::size_t>(width) * 3 + 3) & ~3u, 0x80));
    CImage wide;
    EXPECT_FALSE(wide.Decode(bmp.data(), bmp.size(), ImageFormat::Bmp));
    EXPECT_FALSE(wide.IsValid());
}

class ImageFiles : public testing::Test {
protected:
    static Bytes ReadAll(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteAll(const std::filesystem::path& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    TempFolder m_folder;
};

TEST_F(ImageFiles, LoadUsesTheGivenFormatAndReportsBadFiles) {
    const CImage pattern = MakePattern(6, 4);
    const std::string tga = (m_folder.Path() / "磚.TGA").string();
    WriteAll(tga, image::test::EncodeWithGraphicsMagick(RgbBytes(pattern), 6, 4, "TGA"));
    CImage loaded;
    ASSERT_TRUE(loaded.Load(tga, image::GetImageFormatByExtension(tga))) << loaded.GetLastError();
    EXPECT_EQ(MaxChannelDifference(loaded, pattern), 0);

    const std::string missing = (m_folder.Path() / "missing.bmp").string();
    EXPECT_FALSE(loaded.Load(missing, ImageFormat::Bmp));
    EXPECT_NE(loaded.GetLastError().find("missing.bmp"), std::string::npos);

    const std::string broken = (m_folder.Path() / "broken.bmp").string();
    WriteAll(broken, Bytes{'B', 'M', 1, 2, 3});
    EXPECT_FALSE(loaded.Load(broken, ImageFormat::Bmp));
    EXPECT_FALSE(loaded.Load(m_folder.Path().string()));
    EXPECT_EQ(MaxChannelDifference(loaded, pattern), 0) << "a failed load keeps the image";
}

TEST_F(ImageFiles, SaveReplacesTheFileWholeOrNotAtAll) {
    const CImage pattern = MakePattern(6, 4);
    const std::filesystem::path target = m_folder.Path() / "out.bmp";
    ASSERT_TRUE(pattern.Save(target.string(), ImageFormat::Bmp)) << pattern.GetLastError();
    const Bytes written = ReadAll(target);
    EXPECT_EQ(written, *pattern.Encode(ImageFormat::Bmp));

    // A format that cannot be written, and a folder that does not exist.
    EXPECT_FALSE(MakePattern(2, 2).Save(target.string(), ImageFormat::Gif));
    EXPECT_FALSE(pattern.Save((m_folder.Path() / "no" / "out.bmp").string(), ImageFormat::Bmp));
    EXPECT_FALSE(pattern.GetLastError().empty());
    EXPECT_EQ(ReadAll(target), written);

    ASSERT_TRUE(pattern.Save(target.string(), ImageFormat::Png));
    CImage reloaded;
    ASSERT_TRUE(reloaded.Load(target.string()));
    EXPECT_EQ(MaxChannelDifference(reloaded, pattern), 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
    EXPECT_FALSE(CImage().Save(target.string(), ImageFormat::Bmp));
}

}  // namespace
