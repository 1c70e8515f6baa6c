#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "objects/TextureCacheEntry.h"
#include "objects/TextureMappingRecord.h"

namespace gfx {
class Texture;
}

// The textures already made from files, so that a file used by many
// materials is loaded once. The cache owns its entries, and each entry one
// reference to its texture; textures handed out by Find stay the cache's.
class CTextureCache {
public:
    CTextureCache() = default;
    ~CTextureCache();

    CTextureCache(const CTextureCache&) = delete;
    CTextureCache& operator=(const CTextureCache&) = delete;

    // The texture of the first entry with exactly this name and these keys
    // whose seam matches: without a seam block only entries without a seam;
    // with one, equal seam width and height (both taken as 0 where the seam
    // flag is 0) and equal seam colour whatever the flags. Null when none.
    gfx::Texture* Find(const std::string& name, std::int32_t key1, std::int32_t key2,
                       const TextureSeamBlock* seam) const;
    // Takes over the caller's reference to texture.
    void Add(const std::string& name, std::int32_t key1, std::int32_t key2, gfx::Texture* texture,
             const TextureSeamBlock* seam);
    void AppendEntry(std::unique_ptr<TextureCacheEntry> entry);
    [[nodiscard]] const std::vector<std::unique_ptr<TextureCacheEntry>>& GetEntries() const {
        return m_entries;
    }

    // The first entry holding texture, or null.
    TextureCacheEntry* FindEntry(const gfx::Texture* texture) const;
    // The name of the first entry holding texture, or "材質".
    std::string GetName(const gfx::Texture* texture) const;

    // When textures move to a new device: the entry holding oldTexture takes
    // over the caller's reference to newTexture, and its reference to
    // oldTexture passes to the caller.
    void ReplaceTexture(const gfx::Texture* oldTexture, gfx::Texture* newTexture);
    // Drops the entry holding texture; the cache's reference to the texture
    // passes to the caller, so the texture stays valid.
    void Remove(const gfx::Texture* texture);
    // Drops every entry, releasing the textures.
    void Clear();

private:
    std::vector<std::unique_ptr<TextureCacheEntry>>::const_iterator Locate(
        const gfx::Texture* texture) const;

    std::vector<std::unique_ptr<TextureCacheEntry>> m_entries;
};
