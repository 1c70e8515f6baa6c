#include <gtest/gtest.h>

#include <string>

#include "FakeSceneServices.h"
#include "OffscreenDevice.h"
#include "TestWall.h"
#include "support/TempFolder.h"

namespace {

constexpr const char* kOutOfMemory = "因記憶體不足, 無法執行此功能, 請立即存檔後重新開啟本軟體!";

// A wall whose face 2 wears brick.jpg, a file of 10 bytes whose texture the
// scene has made already.
class WallObjectTileTextureTest : public OffscreenDeviceTest {
protected:
    void SetUp() override {
        OffscreenDeviceTest::SetUp();
        ASSERT_EQ(m_wall.Build(CTestWall::Square(100), 50.0f), 1);
        m_cached = MakeTexture(4, 4, 7);
        m_scene.cache.Add("brick.jpg", 10, 0, m_cached, nullptr);
        m_wall.TextureNames()[2] = m_folder.Write("brick.jpg", "0123456789").string();
        m_previous = MakeTexture(2, 2, 1);
        m_wall.SetTexturePointer(2, m_previous);
    }

    void TearDown() override {
        if (m_previous != nullptr) {
            m_previous->Release();
        }
        if (m_tiled != nullptr) {
            m_tiled->Release();
        }
    }

    static TextureMappingRecord Seamed(int tileFlag) {
        TextureMappingRecord mapping;
        mapping.tileFlag = tileFlag;
        mapping.tileWidth = 20.0f;
        mapping.tileHeight = 10.0f;
        mapping.seam.seamFlag = 1;
        mapping.seam.seamWidth = 0.5f;
        return mapping;
    }

    TempFolder m_folder;
    FakeSceneServices m_scene;
    CTestWall m_wall;
    gfx::Texture* m_cached = nullptr;
    gfx::Texture* m_previous = nullptr;
    gfx::Texture* m_tiled = nullptr;
};

}  // namespace

TEST_F(WallObjectTileTextureTest, SeamedTilesAreDrawnFromTheCachedPicture) {
    m_tiled = MakeTexture(8, 8, 3);
    m_scene.tileTextureToHand = m_tiled;
    m_wall.ApplyTextureMapping(2, Seamed(1), false);

    ASSERT_EQ(m_scene.tileRequests.size(), 1u);
    EXPECT_EQ(m_scene.tileRequests[0].name, "brick.jpg");
    EXPECT_GT(m_scene.tileRequests[0].imageSize, 54u);
    EXPECT_EQ(m_scene.tileRequests[0].tile.seam.seamWidth, 0.5f);
    EXPECT_EQ(m_wall.GetTexture(2), m_tiled);
}

TEST_F(WallObjectTileTextureTest, FailedTileBuildKeepsTheTextureButNotTheOldMapping) {
    MessageRecorder prompts;
    m_wall.ApplyTextureMapping(2, Seamed(1), false);

    EXPECT_EQ(prompts.messages, std::vector<std::string>{kOutOfMemory});
    EXPECT_EQ(m_wall.GetTexture(2), m_previous);
    EXPECT_EQ(m_wall.GetMappingRecord(2).tileWidth, 20.0f);
    EXPECT_EQ(m_wall.GetMappingRecord(2).tileFlag, 1);
}

TEST_F(WallObjectTileTextureTest, RefusedTileSizeLeavesTheTextureWithoutAMessageOfItsOwn) {
    MessageRecorder prompts;
    m_scene.tileFailure = kTileSizeRefused;
    m_wall.ApplyTextureMapping(2, Seamed(1), false);

    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(m_wall.GetTexture(2), m_previous);
}

TEST_F(WallObjectTileTextureTest, UntiledSeamTakesTheCachedPicture) {
    m_wall.ApplyTextureMapping(2, Seamed(0), false);
    EXPECT_TRUE(m_scene.tileRequests.empty());
    EXPECT_TRUE(m_scene.requestedTextures.empty());
    EXPECT_EQ(m_wall.GetTexture(2), m_cached);
}
