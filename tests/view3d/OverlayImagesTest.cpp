#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/fs/DefaultContent.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"
#include "view3d/OverlayImages.h"

namespace {

constexpr image::Color kWhite = {255, 255, 255, 255};
constexpr image::Color kMark = {60, 70, 90, 255};
// Almost white is not white.
constexpr image::Color kNearWhite = {255, 255, 254, 255};

// A BMP whose left half is white and whose right half holds the mark, with
// one almost-white pixel at the top-right corner.
std::string WriteHalfMarkedBitmap(const std::filesystem::path& path) {
    image::CImage picture;
    EXPECT_TRUE(picture.Create(8, 4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            picture.SetPixelColor(x, y, x < 4 ? kWhite : kMark);
        }
    }
    picture.SetPixelColor(7, 0, kNearWhite);
    EXPECT_TRUE(picture.Save(path.string(), image::ImageFormat::Bmp));
    return path.string();
}

TEST(OverlayImages, WatermarkWhiteIsSeeThroughAndEverythingElseFaint) {
    const TempFolder folder;
    const std::string path = WriteHalfMarkedBitmap(folder.Path() / "mark.bmp");
    image::CImage watermark;
    ASSERT_TRUE(LoadWatermarkImage(watermark, path));
    ASSERT_EQ(watermark.GetWidth(), 8);
    ASSERT_EQ(watermark.GetHeight(), 4);
    EXPECT_TRUE(watermark.HasAlpha());
    EXPECT_EQ(watermark.GetPixelColor(0, 2), (image::Color{255, 255, 255, 0}));
    EXPECT_EQ(watermark.GetPixelColor(5, 2), (image::Color{60, 70, 90, 90}));
    EXPECT_EQ(watermark.GetPixelColor(7, 0), (image::Color{255, 255, 254, 90}));
}

TEST(OverlayImages, BannerTurnsItsMarkLightGreyAtThousandByFourHundred) {
    const TempFolder folder;
    const std::string path = WriteHalfMarkedBitmap(folder.Path() / "banner.bmp");
    image::CImage banner;
    ASSERT_TRUE(LoadBannerImage(banner, path));
    ASSERT_EQ(banner.GetWidth(), 1000);
    ASSERT_EQ(banner.GetHeight(), 400);
    EXPECT_EQ(banner.GetPixelColor(100, 300), kWhite);
    EXPECT_EQ(banner.GetPixelColor(800, 300), (image::Color{245, 245, 245, 255}));
}

TEST(OverlayImages, UnreadableFilesLeaveTheImagesEmptyWithOneLineEach) {
    const TempFolder resources;
    std::filesystem::create_directories(resources.Path() / "bitmaps");
    // A watermark that is no picture; no banner at all.
    std::ofstream(resources.Path() / "bitmaps" / "watermark.bmp") << "not a picture";

    OverlayImages images;
    testing::internal::CaptureStderr();
    LoadOverlayImages(images, resources.Path());
    const std::string log = testing::internal::GetCapturedStderr();

    EXPECT_FALSE(images.watermark.IsValid());
    EXPECT_FALSE(images.banner.IsValid());
    EXPECT_NE(log.find("watermark.bmp"), std::string::npos) << log;
    EXPECT_NE(log.find("banner.bmp"), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
}

TEST(OverlayImages, ProgramBitmapsGiveAFaintWatermarkAndAGreyBanner) {
    OverlayImages images;
    testing::internal::CaptureStderr();
    LoadOverlayImages(images, pfs::FindResourceFolder());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    ASSERT_TRUE(images.watermark.IsValid());
    int seeThrough = 0;
    int faint = 0;
    for (int y = 0; y < images.watermark.GetHeight(); ++y) {
        for (int x = 0; x < images.watermark.GetWidth(); ++x) {
            const uint8_t alpha = images.watermark.GetPixelColor(x, y).a;
            seeThrough += alpha == 0 ? 1 : 0;
            faint += alpha == 90 ? 1 : 0;
        }
    }
    EXPECT_GT(seeThrough, 0);
    EXPECT_GT(faint, 0);
    EXPECT_EQ(seeThrough + faint, images.watermark.GetWidth() * images.watermark.GetHeight());

    ASSERT_TRUE(images.banner.IsValid());
    EXPECT_EQ(images.banner.GetWidth(), 1000);
    EXPECT_EQ(images.banner.GetHeight(), 400);
}

}  // namespace
