#include "objects/TextureCacheEntry.h"

#include <utility>

#include "platform/gfx/Texture.h"
#include "platform/gfx/TextureClone.h"

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
      m_texture(other.m_texture != nullptr
                    ? gfx::CloneTexture(other.m_texture->GetDevice(), other.m_texture)
                    : nullptr),
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
