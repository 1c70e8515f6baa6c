#pragma once

#include <filesystem>
#include <string>

#include "platform/image/Image.h"

// The two overlay images of the design window, made from the program's own
// bitmaps once the 3D view has had its first size.
struct OverlayImages {
    image::CImage watermark;
    image::CImage banner;
};

// Pure white becomes fully see-through and every other pixel faint
// (alpha 90). False, and the image as it was, when the file cannot be read.
bool LoadWatermarkImage(image::CImage& image, const std::string& path);
// Every pixel that is not pure white turns light grey (245, 245, 245, its
// alpha kept); then the image is resampled to 1000 x 400. False, and the
// image as it was, when the file cannot be read; false too when the
// resampling fails.
bool LoadBannerImage(image::CImage& image, const std::string& path);

// Both from the "bitmaps" folder of the resource folder. The view works
// without them: an image that cannot be read is reported on stderr and
// stays empty.
void LoadOverlayImages(OverlayImages& images, const std::filesystem::path& resourceFolder);
