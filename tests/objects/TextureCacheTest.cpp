#include "objects/TextureCache.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "OffscreenDevice.h"

namespace {

using TextureCacheTest = OffscreenDeviceTest;

TEST_F(TextureCacheTest, FindMatchesNameKeysAndSeam) {
    gfx::Texture* oak = MakeTexture(2, 2, 1);
    gfx::Texture* oakLarger = MakeTexture(2, 2, 2);
    gfx::Texture* oakKeyed = MakeTexture(2, 2, 3);
    gfx::Texture* tile = MakeTexture(2, 2, 4);
    gfx::Texture* plain = MakeTexture(2, 2, 5);
    const TextureSeamBlock tileSeam{1, 0.5f, 0.25f, 0xFF};
    const TextureSeamBlock unseamedGreen{0, 3.0f, 3.0f, 0x00FF00};

    CTextureCache cache;
    cache.Add("oak.jpg", 100, 0, oak, nullptr);
    cache.Add("oak.jpg", 200, 0, oakLarger, nullptr);
    cache.Add("oak.jpg", 100, 1, oakKeyed, nullptr);
    cache.Add("tile.qvp", 100, 0, tile, &tileSeam);
    cache.Add("plain.bmp", 10, 0, plain, &unseamedGreen);

    struct Case {
        const char* label;
        const char* name;
        std::int32_t key1;
        std::int32_t key2;
        std::optional<TextureSeamBlock> seam;
        gfx::Texture* expected;
    };
    const Case cases[] = {
        {"first key tells apart", "oak.jpg", 200, 0, std::nullopt, oakLarger},
        {"second key tells apart", "oak.jpg", 100, 1, std::nullopt, oakKeyed},
        {"plain look-up", "oak.jpg", 100, 0, std::nullopt, oak},
        {"names compare exactly", "OAK.jpg", 100, 0, std::nullopt, nullptr},
        {"no block skips seamed entries", "tile.qvp", 100, 0, std::nullopt, nullptr},
        {"same seam", "tile.qvp", 100, 0, TextureSeamBlock{1, 0.5f, 0.25f, 0xFF}, tile},
        {"other seam colour", "tile.qvp", 100, 0, TextureSeamBlock{1, 0.5f, 0.25f, 0xFE}, nullptr},
        {"other seam width", "tile.qvp", 100, 0, TextureSeamBlock{1, 0.6f, 0.25f, 0xFF}, nullptr},
        {"unseamed block ignores its sizes", "oak.jpg", 100, 0, TextureSeamBlock{0, 9.0f, 9.0f, 0},
         oak},
        {"unseamed block still compares colour", "oak.jpg", 100, 0,
         TextureSeamBlock{0, 0.0f, 0.0f, 0x10}, nullptr},
        {"entry with an unseamed block, no block", "plain.bmp", 10, 0, std::nullopt, plain},
        {"entry with an unseamed block, same colour", "plain.bmp", 10, 0,
         TextureSeamBlock{0, 0.0f, 0.0f, 0x00FF00}, plain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(cache.Find(c.name, c.key1, c.key2, c.seam ? &*c.seam : nullptr), c.expected);
    }
}

TEST_F(TextureCacheTest, ClearingReleasesEachTextureOnce) {
    gfx::Texture* first = MakeTexture(2, 2, 1);
    gfx::Texture* second = MakeTexture(4, 4, 2);
    // The test keeps a reference of its own to watch the counts.
    first->AddRef();
    second->AddRef();
    {
        CTextureCache cache;
        cache.Add("a.jpg", 1, 0, first, nullptr);
        cache.Add("b.jpg", 2, 0, second, nullptr);
        cache.Clear();
        EXPECT_EQ(RefCount(first), 1u);
        EXPECT_EQ(RefCount(second), 1u);
        EXPECT_EQ(cache.Find("a.jpg", 1, 0, nullptr), nullptr);

        second->AddRef();
        cache.Add("b.jpg", 2, 0, second, nullptr);
    }
    // The cache's destructor released what it still held.
    EXPECT_EQ(RefCount(second), 1u);
    first->Release();
    second->Release();
}

TEST_F(TextureCacheTest, RemovedTextureStaysWithTheCaller) {
    gfx::Texture* texture = MakeTexture(2, 2, 1);
    CTextureCache cache;
    cache.Add("wall.qvp", 64, 0, texture, nullptr);
    EXPECT_EQ(cache.GetName(texture), "wall.qvp");

    cache.Remove(texture);
    EXPECT_EQ(RefCount(texture), 1u);
    EXPECT_EQ(cache.FindEntry(texture), nullptr);
    EXPECT_EQ(cache.GetName(texture), "材質");
    EXPECT_EQ(cache.Find("wall.qvp", 64, 0, nullptr), nullptr);
    texture->Release();
}

TEST_F(TextureCacheTest, ReplacedTextureHandsTheOldReferenceBack) {
    gfx::Texture* oldTexture = MakeTexture(2, 2, 1);
    gfx::Texture* newTexture = MakeTexture(2, 2, 2);
    newTexture->AddRef();
    CTextureCache cache;
    cache.Add("floor.jpg", 8, 0, oldTexture, nullptr);

    cache.ReplaceTexture(oldTexture, newTexture);
    EXPECT_EQ(cache.Find("floor.jpg", 8, 0, nullptr), newTexture);
    EXPECT_EQ(cache.GetName(newTexture), "floor.jpg");
    EXPECT_EQ(RefCount(oldTexture), 1u);
    EXPECT_EQ(RefCount(newTexture), 2u);
    oldTexture->Release();

    cache.Clear();
    EXPECT_EQ(RefCount(newTexture), 1u);
    newTexture->Release();
}

TEST_F(TextureCacheTest, CopiedEntryOwnsADuplicateAndAssignedEntryShares) {
    gfx::Texture* texture = MakeTexture(4, 2, 7);
    texture->AddRef();
    const TextureSeamBlock seam{1, 2.0f, 3.0f, 0x123456};
    {
        const TextureCacheEntry original("brick.qvp", 32, 1, texture, &seam);

        const TextureCacheEntry copy(original);
        ASSERT_NE(copy.GetTexture(), nullptr);
        EXPECT_NE(copy.GetTexture(), texture);
        EXPECT_EQ(copy.GetTexture()->GetWidth(0), 4u);
        EXPECT_EQ(copy.GetTexture()->GetFormat(), texture->GetFormat());
        EXPECT_EQ(Pixels(copy.GetTexture()), Pixels(texture));
        EXPECT_EQ(copy.GetName(), "brick.qvp");
        EXPECT_EQ(copy.GetKey1(), 32);
        EXPECT_EQ(copy.GetKey2(), 1);
        EXPECT_EQ(copy.GetSeam().seamColor, 0x123456);
        EXPECT_EQ(RefCount(texture), 2u);

        gfx::Texture* other = MakeTexture(2, 2, 9);
        other->AddRef();
        TextureCacheEntry assigned("old.jpg", 1, 0, other, nullptr);
        assigned = original;
        EXPECT_EQ(assigned.GetTexture(), texture);
        EXPECT_EQ(assigned.GetName(), "brick.qvp");
        EXPECT_EQ(assigned.GetSeam().seamWidth, 2.0f);
        EXPECT_EQ(RefCount(texture), 3u);
        // The texture the entry held before is let go.
        EXPECT_EQ(RefCount(other), 1u);
        other->Release();

        assigned = assigned;
        EXPECT_EQ(RefCount(texture), 3u);
    }
    // The original and the assigned entry each released their reference.
    EXPECT_EQ(RefCount(texture), 1u);
    texture->Release();
}

TEST_F(TextureCacheTest, AppendedEntryIsFoundAndReleasedWithTheCache) {
    gfx::Texture* texture = MakeTexture(2, 2, 1);
    texture->AddRef();
    {
        CTextureCache cache;
        cache.AppendEntry(std::make_unique<TextureCacheEntry>("glass.tga", 5, 0, texture, nullptr));
        EXPECT_EQ(cache.FindEntry(texture)->GetName(), "glass.tga");
        EXPECT_EQ(cache.Find("glass.tga", 5, 0, nullptr), texture);
    }
    EXPECT_EQ(RefCount(texture), 1u);
    texture->Release();
}

}  // namespace
