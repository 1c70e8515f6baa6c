#pragma once

namespace gfx {

class Device;
class Texture;

// A new texture on device with the size, format, level count and pixels of
// texture; the levels below the first are filtered down again. Null for a
// null texture or when the copy cannot be made. The caller owns the copy.
[[nodiscard]] Texture* CloneTexture(Device* device, Texture* texture);

}  // namespace gfx
