#include "platform/gfx/TextureLoader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/gfx/Device.h"
#include "platform/gfx/Texture.h"
#include "platform/image/Image.h"

namespace gfx {
namespace {

Result Refuse(std::string* error, std::string message, Result result = kErrInvalidCall) {
    if (error != nullptr) {
        *error = std::move(message);
    }
    return result;
}

uint32_t TargetSide(uint32_t side, TextureLoadOptions::Size rule, uint32_t limit) {
    if (rule == TextureLoadOptions::Size::PowerOfTwo) {
        side = std::bit_ceil(side);
    }
    return std::min(side, limit);
}

}  // namespace

Result DecodeTexturePixels(const uint8_t* data, size_t length, const TextureLoadOptions& options,
                           uint32_t maxWidth, uint32_t maxHeight, TexturePixels* decoded,
                           std::string* error) {
    if (decoded == nullptr || maxWidth == 0 || maxHeight == 0) {
        return kErrInvalidCall;
    }
    image::CImage picture;
    if (data == nullptr || length == 0 ||
        !picture.Decode(data, length, image::SniffStoredImageFormat(data, length))) {
        return Refuse(error, "貼圖影像已損壞或格式不支援，無法讀取。");
    }
    const auto width = static_cast<uint32_t>(picture.GetWidth());
    const auto height = static_cast<uint32_t>(picture.GetHeight());
    const uint32_t targetWidth = TargetSide(width, options.size, maxWidth);
    const uint32_t targetHeight = TargetSide(height, options.size, maxHeight);
    if ((targetWidth != width || targetHeight != height) &&
        !picture.Resample(static_cast<int>(targetWidth), static_cast<int>(targetHeight))) {
        return Refuse(error, "貼圖影像太大，無法縮放。", kErrOutOfMemory);
    }
    const bool opaque = !picture.HasAlpha();
    const std::vector<uint8_t> rows = picture.CopyRows(image::PixelLayout::Bgra32);
    TexturePixels result;
    result.width = targetWidth;
    result.height = targetHeight;
    result.format = opaque && options.colorKey == 0 ? Format::X8R8G8B8 : Format::A8R8G8B8;
    result.pixels.resize(rows.size() / 4);
    std::memcpy(result.pixels.data(), rows.data(), rows.size());  // B, G, R, A is 0xAARRGGBB
    for (uint32_t& pixel : result.pixels) {
        if (opaque) {
            pixel |= 0xFF000000u;
        }
        if (options.colorKey != 0 && pixel == options.colorKey) {
            pixel = 0;
        }
    }
    *decoded = std::move(result);
    return kOk;
}

Result CreateTextureFromFileInMemory(Device* device, const uint8_t* data, size_t length,
                                     const TextureLoadOptions& options, Texture** texture,
                                     std::string* error) {
    if (device == nullptr || texture == nullptr) {
        return kErrInvalidCall;
    }
    *texture = nullptr;
    Caps caps;
    Result result = device->GetDeviceCaps(&caps);
    if (Failed(result)) {
        return result;
    }
    TexturePixels decoded;
    result = DecodeTexturePixels(data, length, options, caps.maxTextureWidth, caps.maxTextureHeight,
                                 &decoded, error);
    if (Failed(result)) {
        return result;
    }
    const uint32_t levels =
        std::min(options.mipLevels, Texture::FullChainLength(decoded.width, decoded.height));
    result = device->CreateTextureFromPixels(decoded.width, decoded.height, decoded.pixels.data(),
                                             levels, decoded.format, texture);
    if (Failed(result)) {
        return Refuse(error, "無法建立貼圖。", result);
    }
    return kOk;
}

}  // namespace gfx
