#include "platform/gfx/TextureFill.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/Texture.h"

namespace gfx {
namespace {

uint32_t Channel(float value) {
    return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Result FillTexture(Texture* texture, const TexelFunction& fill) {
    if (texture == nullptr || !fill) {
        return kErrInvalidCall;
    }
    for (uint32_t level = 0; level < texture->GetLevelCount(); ++level) {
        const uint32_t width = texture->GetWidth(level);
        const uint32_t height = texture->GetHeight(level);
        LockedRect locked;
        const Result result = texture->LockRect(level, &locked, 0);
        if (Failed(result)) {
            return result;
        }
        auto* pixels = static_cast<uint32_t*>(locked.bits);
        TexelCoord texel;
        texel.width = 1.0f / static_cast<float>(width);
        texel.height = 1.0f / static_cast<float>(height);
        for (uint32_t y = 0; y < height; ++y) {
            texel.v = (static_cast<float>(y) + 0.5f) * texel.height;
            for (uint32_t x = 0; x < width; ++x) {
                texel.u = (static_cast<float>(x) + 0.5f) * texel.width;
                const ColorValue c = fill(texel);
                pixels[size_t{y} * width + x] =
                    ColorArgb(Channel(c.a), Channel(c.r), Channel(c.g), Channel(c.b));
            }
        }
        texture->UnlockRect(level);
    }
    return kOk;
}

}  // namespace gfx
