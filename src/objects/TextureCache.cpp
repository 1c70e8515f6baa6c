#include "objects/TextureCache.h"

#include <algorithm>
#include <utility>

namespace {

bool SeamMatches(const TextureSeamBlock& entry, const TextureSeamBlock* wanted) {
    if (wanted == nullptr) {
        return entry.seamFlag == 0;
    }
    const bool entrySeamed = entry.seamFlag != 0;
    const bool wantedSeamed = wanted->seamFlag != 0;
    return (entrySeamed ? entry.seamWidth : 0.0f) == (wantedSeamed ? wanted->seamWidth : 0.0f) &&
           (entrySeamed ? entry.seamHeight : 0.0f) == (wantedSeamed ? wanted->seamHeight : 0.0f) &&
           entry.seamColor == wanted->seamColor;
}

}  // namespace

CTextureCache::~CTextureCache() {
    Clear();
}

gfx::Texture* CTextureCache::Find(const std::string& name, std::int32_t key1, std::int32_t key2,
                                  const TextureSeamBlock* seam) const {
    for (const std::unique_ptr<TextureCacheEntry>& entry : m_entries) {
        if (entry->GetName() == name && entry->GetKey1() == key1 && entry->GetKey2() == key2 &&
            SeamMatches(entry->GetSeam(), seam)) {
            return entry->GetTexture();
        }
    }
    return nullptr;
}

void CTextureCache::Add(const std::string& name, std::int32_t key1, std::int32_t key2,
                        gfx::Texture* texture, const TextureSeamBlock* seam) {
    m_entries.push_back(std::make_unique<TextureCacheEntry>(name, key1, key2, texture, seam));
}

void CTextureCache::AppendEntry(std::unique_ptr<TextureCacheEntry> entry) {
    m_entries.push_back(std::move(entry));
}

std::vector<std::unique_ptr<TextureCacheEntry>>::const_iterator CTextureCache::Locate(
    const gfx::Texture* texture) const {
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [texture](const auto& entry) { return entry->GetTexture() == texture; });
}

TextureCacheEntry* CTextureCache::FindEntry(const gfx::Texture* texture) const {
    const auto found = Locate(texture);
    return found != m_entries.end() ? found->get() : nullptr;
}

std::string CTextureCache::GetName(const gfx::Texture* texture) const {
    const TextureCacheEntry* entry = FindEntry(texture);
    return entry != nullptr ? entry->GetName() : "材質";
}

void CTextureCache::ReplaceTexture(const gfx::Texture* oldTexture, gfx::Texture* newTexture) {
    if (TextureCacheEntry* entry = FindEntry(oldTexture)) {
        entry->SwapTexture(newTexture);
    }
}

void CTextureCache::Remove(const gfx::Texture* texture) {
    const auto found = Locate(texture);
    if (found != m_entries.end()) {
        (*found)->SwapTexture(nullptr);
        m_entries.erase(found);
    }
}

void CTextureCache::Clear() {
    m_entries.clear();
}
