#pragma once

// Textures from image files held in memory, in any format the image class
// reads (a file without a signature is taken for TGA, as texture files may
// be).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

class Device;
class Texture;

struct TextureLoadOptions {
    // Image keeps the image's own sides, powers of two or not; PowerOfTwo
    // rounds each side up to one and stretches the image over it.
    enum class Size { Image, PowerOfTwo };
    Size size = Size::Image;
    // 0 makes a full chain.
    uint32_t mipLevels = 0;
    // Pixels of exactly this colour, alpha included (an image without alpha
    // is opaque), become transparent black; 0 keys nothing.
    Color colorKey = 0;
};

// Texture pixels: 0xAARRGGBB, top row first.
struct TexturePixels {
    uint32_t width = 0;
    uint32_t height = 0;
    Format format = Format::Unknown;
    std::vector<uint32_t> pixels;
};

// The pixels a texture made from the file image gets: sized by the options,
// then each side shrunk to at most maxWidth and maxHeight, then keyed. The
// format is A8R8G8B8 when the image has alpha or a colour key is given,
// else X8R8G8B8. Bytes that do not decode are refused with a message.
Result DecodeTexturePixels(const uint8_t* data, size_t length, const TextureLoadOptions& options,
                           uint32_t maxWidth, uint32_t maxHeight, TexturePixels* decoded,
                           std::string* error = nullptr);

// A texture of those pixels on the device, within its largest texture size;
// the levels below the first are filtered down from it.
Result CreateTextureFromFileInMemory(Device* device, const uint8_t* data, size_t length,
                                     const TextureLoadOptions& options, Texture** texture,
                                     std::string* error = nullptr);

}  // namespace gfx
