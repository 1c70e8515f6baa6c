#pragma once

#include <cstdint>
#include <string>

#include "objects/TextureMappingRecord.h"

namespace gfx {
class Texture;
}

// One texture of a texture cache with the keys it is found by: the file name
// (with extension, without folder), the image data length, a second key
// (the scene's colour-key flag, 0 for the 3D objects) and the seam it was
// built with. The entry holds one reference to its texture.
class TextureCacheEntry {
public:
    TextureCacheEntry() = default;
    // Takes over the caller's reference to texture. Without a seam block the
    // entry has no seam.
    TextureCacheEntry(std::string name, std::int32_t key1, std::int32_t key2, gfx::Texture* texture,
                      const TextureSeamBlock* seam);
    // The copy gets a texture of its own, made from the source texture's
    // pixels on the same device (none when the device is gone).
    TextureCacheEntry(const TextureCacheEntry& other);
    // Shares the other entry's texture, taking a reference of its own.
    TextureCacheEntry& operator=(const TextureCacheEntry& other);
    ~TextureCacheEntry();

    const std::string& GetName() const { return m_name; }
    std::int32_t GetKey1() const { return m_key1; }
    std::int32_t GetKey2() const { return m_key2; }
    gfx::Texture* GetTexture() const { return m_texture; }
    const TextureSeamBlock& GetSeam() const { return m_seam; }

    // Puts texture in place of the one held, passing references on as they
    // are: the entry keeps the caller's reference to the new texture and
    // hands its reference to the old one, which it returns, to the caller.
    gfx::Texture* SwapTexture(gfx::Texture* texture);

private:
    std::string m_name;
    std::int32_t m_key1 = 0;
    std::int32_t m_key2 = 0;
    gfx::Texture* m_texture = nullptr;
    TextureSeamBlock m_seam;
};
