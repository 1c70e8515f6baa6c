#include "view3d/OverlayImages.h"

#include <cstdio>

namespace {

constexpr std::uint8_t kFull = 255;
constexpr std::uint8_t kWatermarkAlpha = 90;
constexpr std::uint8_t kBannerGrey = 245;
constexpr int kBannerWidth = 1000;
constexpr int kBannerHeight = 400;

bool IsPureWhite(const image::Color& color) {
    return color.r == kFull && color.g == kFull && color.b == kFull;
}

// Runs edit on every pixel's colour.
template <typename Edit>
void EditPixels(image::CImage& image, bool setAlpha, Edit edit) {
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            image::Color color = image.GetPixelColor(x, y);
            edit(color);
            image.SetPixelColor(x, y, color, setAlpha);
        }
    }
}

void LoadOrReport(bool (*load)(image::CImage&, const std::string&), image::CImage& image,
                  const std::filesystem::path& file) {
    if (!load(image, file.string())) {
        std::fprintf(stderr, "velmora: 無法載入圖檔 %s（%s），略過此圖。\n", file.c_str(),
                     image.GetLastError().c_str());
    }
}

}  // namespace

bool LoadWatermarkImage(image::CImage& image, const std::string& path) {
    if (!image.Load(path)) {
        return false;
    }
    image.CreateAlpha();
    EditPixels(image, true,
               [](image::Color& color) { color.a = IsPureWhite(color) ? 0 : kWatermarkAlpha; });
    return true;
}

bool LoadBannerImage(image::CImage& image, const std::string& path) {
    if (!image.Load(path)) {
        return false;
    }
    EditPixels(image, false, [](image::Color& color) {
        if (!IsPureWhite(color)) {
            color.r = color.g = color.b = kBannerGrey;
        }
    });
    return image.Resample2(kBannerWidth, kBannerHeight);
}

void LoadOverlayImages(OverlayImages& images, const std::filesystem::path& resourceFolder) {
    const std::filesystem::path folder = resourceFolder / "bitmaps";
    LoadOrReport(LoadWatermarkImage, images.watermark, folder / "watermark.bmp");
    LoadOrReport(LoadBannerImage, images.banner, folder / "banner.bmp");
}
