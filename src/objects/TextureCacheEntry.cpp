#include "objects/TextureCacheEntry.h"

#include <utility>

#include "platform/gfx/Device.h"
#include "platform/gfx/Texture.h"

namespace {

// A new texture with the same size, format, levels and pixels.
gfx::Texture* DuplicateTexture(gfx::Texture& source) {
    gfx::Device* device = source.GetDevice();
    gfx::LockedRect locked;
    if (device == nullptr || gfx::Failed(source.LockRect(0, &locked, gfx::kLockReadOnly))) {
        return nullptr;
    }
    gfx::Texture* copy = nullptr;
    const gfx::Result result = device->CreateTextureFromPixels(
        source.GetWidth(0), source.GetHeight(0), static_cast<const uint32_t*>(locked.bits),
        source.GetLevelCount(), source.GetFormat(), &copy);
    source.UnlockRect(0);
    return gfx::Failed(result) ? nullptr : copy;
}

}  // namespace

TextureCacheEntry::TextureCacheEntry(std::string name, std::int32_t key1, std::int32_t key2,
                                     gfx::Texture* texture, const TextureSeamBlock* seam)
    : m_name(std::move(name)), m_key1(key1), m_key2(key2), m_texture(texture) {
    if (seam != nullptr) {
        m_seam = *seam;
    }
}

TextureCacheEntry::TextureCacheEntry(const TextureCacheEntry& other)
    : m_name(other.m_name),
      m_key1(other.m_key1),
      m_key2(other.m_key2),
      m_texture(other.m_texture != nullptr ? DuplicateTexture(*other.m_texture) : nullptr),
      m_seam(other.m_seam) {}

TextureCacheEntry& TextureCacheEntry::operator=(const TextureCacheEntry& other) {
    if (other.m_texture != nullptr) {
        other.m_texture->AddRef();
    }
    if (m_texture != nullptr) {
        m_texture->Release();
    }
    m_name = other.m_name;
    m_key1 = other.m_key1;
    m_key2 = other.m_key2;
    m_texture = other.m_texture;
    m_seam = other.m_seam;
    return *this;
}

TextureCacheEntry::~TextureCacheEntry() {
    if (m_texture != nullptr) {
        m_texture->Release();
    }
}

gfx::Texture* TextureCacheEntry::SwapTexture(gfx::Texture* texture) {
    return std::exchange(m_texture, texture);
}
