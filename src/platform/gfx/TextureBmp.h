#pragma once

// Textures saved as .bmp files, for the texture edits that go through an
// image and for files the user keeps.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

class Texture;

// Level 0 as a 24-bit BMP file image; alpha is not kept. The texture's own
// pixels are read, so no picture is read back from the GPU.
Result SaveTextureToBmp(Texture* texture, std::vector<uint8_t>* file);

// The same, replacing the file at path atomically.
Result SaveTextureToBmpFile(Texture* texture, const std::string& path,
                            std::string* error = nullptr);

}  // namespace gfx
