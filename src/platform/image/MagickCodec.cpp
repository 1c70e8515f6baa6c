#include "platform/image/MagickCodec.h"

#include <Magick++.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <mutex>
#include <string_view>

#include "platform/image/DeclaredPixels.h"

namespace image {

namespace {

void InitializeMagickOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        // The coders then refuse oversized images before allocating them.
        MagickLib::SetMagickResourceLimit(MagickLib::WidthResource, kMaxSide);
        MagickLib::SetMagickResourceLimit(MagickLib::HeightResource, kMaxSide);
        MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, kMaxPixels);
        // The pixel cache holds one image at the pixel limit in the library's
        // own pixel format, and no more: further frames, or a colour map's
        // indexes on top, are refused instead of going to a cache file on
        // disk.
        MagickLib::SetMagickResourceLimit(
            MagickLib::MemoryResource,
            kMaxPixels * static_cast<std::int64_t>(sizeof(MagickLib::PixelPacket)));
        MagickLib::SetMagickResourceLimit(MagickLib::MapResource, 0);
        MagickLib::SetMagickResourceLimit(MagickLib::DiskResource, 0);
    });
}

const char* MagickName(ImageFormat format) {
    switch (format) {
        case ImageFormat::Bmp:
            return "BMP";
        case ImageFormat::Gif:
            return "GIF";
        case ImageFormat::Jpg:
            return "JPEG";
        case ImageFormat::Png:
            return "PNG";
        case ImageFormat::Ico:
            return "ICO";
        case ImageFormat::Tif:
            return "TIFF";
        case ImageFormat::Tga:
            return "TGA";
        case ImageFormat::Pcx:
            return "PCX";
        case ImageFormat::Wbmp:
            return "WBMP";
        case ImageFormat::Wmf:
            return "WMF";
        case ImageFormat::Pnm:
            return "PNM";
        case ImageFormat::Ras:
            return "SUN";
        default:
            return nullptr;
    }
}

// A 32-bit BMP from a screen or a render target carries an unused fourth
// byte, usually 0; read as alpha it would make the whole image invisible.
void DropEmptyAlpha(Raster& raster) {
    for (std::size_t i = 3; i < raster.bgra.size(); i += 4) {
        if (raster.bgra[i] != 0) {
            return;
        }
    }
    raster.hasAlpha = false;
    for (std::size_t i = 3; i < raster.bgra.size(); i += 4) {
        raster.bgra[i] = 255;
    }
}

struct InfoDeleter {
    void operator()(MagickLib::ImageInfo* info) const { MagickLib::DestroyImageInfo(info); }
};
struct ImageDeleter {
    void operator()(MagickLib::Image* image) const { MagickLib::DestroyImageList(image); }
};

// The outcome of one library call, errors and warnings alike.
struct Exception {
    Exception() { MagickLib::GetExceptionInfo(&info); }
    ~Exception() { MagickLib::DestroyExceptionInfo(&info); }
    Exception(const Exception&) = delete;
    Exception& operator=(const Exception&) = delete;

    bool IsError() const { return info.severity >= MagickLib::ErrorException; }
    // The library's own words; empty when it gave none.
    std::string Detail() const {
        std::string detail = info.reason != nullptr ? info.reason : "";
        if (info.description != nullptr) {
            detail += std::string(" (") + info.description + ")";
        }
        return detail;
    }
    std::string Message() const {
        const std::string detail = Detail();
        return detail.empty() ? "無法讀取影像。" : "無法讀取影像：" + detail;
    }

    MagickLib::ExceptionInfo info;
};

// Coders read a cut-off file as far as it goes and only warn; such a file is
// refused, while other remarks (stray bytes between JPEG markers) are not.
bool IsCutOff(std::string_view message) {
    return message.find("end of") != std::string_view::npos ||
           message.find("end-of-file") != std::string_view::npos;
}

// The coder name of a format whose header promises no more pixels than the
// bytes hold, with GraphicsMagick ready; null, with the reason, otherwise.
const char* CheckedMagickName(const std::uint8_t* data, std::size_t length, ImageFormat format,
                              std::string& error) {
    const char* name = MagickName(format);
    if (name == nullptr) {
        error = "不支援這種影像格式。";
        return nullptr;
    }
    if (!HoldsDeclaredPixels(data, length, format)) {
        error = "影像檔標頭宣告的尺寸過大，或檔案容納不下那麼多像素，已拒絕讀取。";
        return nullptr;
    }
    InitializeMagickOnce();
    return name;
}

// The coder is affirmed: the bytes are never handed to another coder picked
// from their content (through Magick++ a PNG read as "BMP" is still read as
// PNG, and scripted formats could be reached the same way).
std::unique_ptr<MagickLib::ImageInfo, InfoDeleter> AffirmedInfo(const char* name) {
    std::unique_ptr<MagickLib::ImageInfo, InfoDeleter> info(MagickLib::CloneImageInfo(nullptr));
    std::snprintf(info->filename, sizeof info->filename, "%s:", name);
    std::snprintf(info->magick, sizeof info->magick, "%s", name);
    info->affirm = MagickTrue;
    return info;
}

}  // namespace

bool PingWithMagick(const std::uint8_t* data, std::size_t length, ImageFormat format, int& width,
                    int& height, std::string& error) {
    const char* name = CheckedMagickName(data, length, format, error);
    if (name == nullptr) {
        return false;
    }
    const auto info = AffirmedInfo(name);
    Exception exception;
    std::unique_ptr<MagickLib::Image, ImageDeleter> pinged(
        MagickLib::PingBlob(info.get(), data, length, &exception.info));
    if (!pinged || exception.IsError()) {
        error = exception.Message();
        return false;
    }
    if (!IsAcceptableSize(pinged->columns, pinged->rows)) {
        error = kSizeOutOfRange;
        return false;
    }
    width = static_cast<int>(pinged->columns);
    height = static_cast<int>(pinged->rows);
    return true;
}

bool DecodeWithMagick(const std::uint8_t* data, std::size_t length, ImageFormat format, Raster& out,
                      std::string& error) {
    const char* name = CheckedMagickName(data, length, format, error);
    if (name == nullptr) {
        return false;
    }
    const auto info = AffirmedInfo(name);
    Exception exception;
    std::unique_ptr<MagickLib::Image, ImageDeleter> decoded(
        MagickLib::BlobToImage(info.get(), data, length, &exception.info));
    if (!decoded || exception.IsError() ||
        (exception.info.severity == MagickLib::CorruptImageWarning &&
         IsCutOff(exception.Detail()))) {
        error = exception.Message();
        return false;
    }
    if (!IsAcceptableSize(decoded->columns, decoded->rows)) {
        error = kSizeOutOfRange;
        return false;
    }
    if (decoded->colorspace != MagickLib::RGBColorspace &&
        !MagickLib::TransformColorspace(decoded.get(), MagickLib::RGBColorspace)) {
        error = "無法將影像轉換為 RGB 色彩。";
        return false;
    }
    Raster raster;
    AllocateRaster(raster, static_cast<int>(decoded->columns), static_cast<int>(decoded->rows));
    if (!MagickLib::DispatchImage(decoded.get(), 0, 0, decoded->columns, decoded->rows, "BGRA",
                                  MagickLib::CharPixel, raster.bgra.data(), &exception.info)) {
        error = exception.Message();
        return false;
    }
    raster.hasAlpha = decoded->matte != 0;
    if (!raster.hasAlpha) {
        for (std::size_t i = 3; i < raster.bgra.size(); i += 4) {
            raster.bgra[i] = 255;
        }
    } else if (format == ImageFormat::Bmp) {
        DropEmptyAlpha(raster);
    }
    out = std::move(raster);
    return true;
}

bool EncodeWithMagick(const Raster& raster, ImageFormat format, int quality,
                      std::vector<std::uint8_t>& out, std::string& error) {
    if (format != ImageFormat::Jpg && format != ImageFormat::Png) {
        error = "不支援以這種格式儲存影像。";
        return false;
    }
    InitializeMagickOnce();
    const bool withAlpha = raster.hasAlpha && format == ImageFormat::Png;
    std::vector<std::uint8_t> packed;
    if (!withAlpha) {
        packed.reserve(static_cast<std::size_t>(raster.width) * raster.height * 3);
        for (std::size_t i = 0; i < raster.bgra.size(); i += 4) {
            packed.insert(packed.end(), raster.bgra.begin() + i, raster.bgra.begin() + i + 3);
        }
    }
    try {
        Magick::Image encoded(raster.width, raster.height, withAlpha ? "BGRA" : "BGR",
                              Magick::CharPixel, withAlpha ? raster.bgra.data() : packed.data());
        encoded.quiet(true);
        encoded.depth(8);
        encoded.magick(MagickName(format));
        if (format == ImageFormat::Jpg) {
            encoded.quality(static_cast<unsigned>(std::clamp(quality, 1, 100)));
        }
        Magick::Blob blob;
        encoded.write(&blob);
        const auto* bytes = static_cast<const std::uint8_t*>(blob.data());
        out.assign(bytes, bytes + blob.length());
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

}  // namespace image
