#include "platform/gfx/TextureClone.h"

#include <cstdint>

#include "platform/gfx/Device.h"
#include "platform/gfx/Texture.h"

namespace gfx {

Texture* CloneTexture(Device* device, Texture* texture) {
    LockedRect locked;
    if (device == nullptr || texture == nullptr ||
        Failed(texture->LockRect(0, &locked, kLockReadOnly))) {
        return nullptr;
    }
    Texture* copy = nullptr;
    const Result result = device->CreateTextureFromPixels(
        texture->GetWidth(0), texture->GetHeight(0), static_cast<const uint32_t*>(locked.bits),
        texture->GetLevelCount(), texture->GetFormat(), &copy);
    texture->UnlockRect(0);
    return Failed(result) ? nullptr : copy;
}

}  // namespace gfx
