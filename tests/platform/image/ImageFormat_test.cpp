#include "platform/image/ImageFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using image::ImageFormat;

TEST(ImageFormat, ExtensionsGiveTheStoredFormatCodes) {
    const struct {
        std::string_view path;
        int code;
    } cases[] = {
        {"a.bmp", 1},
        {"a.gif", 2},
        {"a.jpg", 3},
        {"a.jpeg", 3},
        {"a.png", 4},
        {"a.ico", 5},
        {"a.tif", 6},
        {"a.tga", 7},
        {"a.pcx", 8},
        {"a.wbmp", 9},
        {"a.wmf", 10},
        {"a.j2k", 11},
        {"a.jp2", 12},
        {"a.jpc", 13},
        {"a.pgx", 14},
        {"a.pnm", 15},
        {"a.ras", 16},
        {"C:\\牆\\磚.JPG", 3},
        {"/x/Y.TgA", 7},
        {"a.tiff", 0},
        {"a.bmp.txt", 0},
        {"dir.bmp/file", 0},
        {"dir.bmp\\file", 0},
        {"noextension", 0},
        {"", 0},
        {"a.", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<int>(image::GetImageFormatByExtension(c.path)), c.code) << c.path;
    }
}

TEST(ImageFormat, SniffingNeedsTheWholeSignature) {
    const std::string png = "\x89PNG\r\n\x1A\n";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(png.data());
    EXPECT_EQ(image::SniffImageFormat(bytes, png.size()), ImageFormat::Png);
    EXPECT_EQ(image::SniffImageFormat(bytes, png.size() - 1), ImageFormat::Unknown);
    EXPECT_EQ(image::SniffImageFormat(bytes, 0), ImageFormat::Unknown);
    EXPECT_EQ(image::SniffImageFormat(nullptr, 8), ImageFormat::Unknown);
}

TEST(ImageFormat, StoredImageWithoutSignatureIsTga) {
    const std::string bmp = "BM";
    const std::string tga = {0, 0, 2, 0};
    EXPECT_EQ(image::SniffStoredImageFormat(reinterpret_cast<const std::uint8_t*>(bmp.data()), 2),
              ImageFormat::Bmp);
    EXPECT_EQ(image::SniffStoredImageFormat(reinterpret_cast<const std::uint8_t*>(tga.data()), 4),
              ImageFormat::Tga);
}

}  // namespace
