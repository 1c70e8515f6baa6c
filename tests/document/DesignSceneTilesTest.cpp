#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "SceneDeviceFixture.h"
#include "platform/gfx/Texture.h"
#include "support/RecordingProgress.h"

namespace {

constexpr image::Color kGreen{0, 200, 0, 255};
constexpr uint32_t kGreenPixel = 0xFF00C800;
// COLORREF red, as a mapping's seam colour holds it.
constexpr int32_t kRedGrout = 0x0000FF;
constexpr uint32_t kRedPixel = 0xFFFF0000;

TextureMappingRecord Seamed(float width, float height, float seamWidth, float seamHeight) {
    TextureMappingRecord tile;
    tile.tileFlag = 1;
    tile.tileWidth = width;
    tile.tileHeight = height;
    tile.seam.seamFlag = 1;
    tile.seam.seamWidth = seamWidth;
    tile.seam.seamHeight = seamHeight;
    tile.seam.seamColor = kRedGrout;
    return tile;
}

class DesignSceneTilesTest : public SceneDeviceTest {
protected:
    std::string Green(const std::string& relativePath) {
        return WriteBitmap(relativePath, 2, 2, [](int, int) { return kGreen; });
    }
};

}  // namespace

TEST_F(DesignSceneTilesTest, TexturesAreSharedByBareFileNameAndColourKey) {
    const std::string first = Green("a/oak.bmp");
    const std::string second = WriteBitmap("b/oak.bmp", 4, 4, [](int, int) {
        return image::Color{9, 9, 9, 255};
    });
    gfx::Texture* fromFirst = nullptr;
    gfx::Texture* fromSecond = nullptr;
    gfx::Texture* keyed = nullptr;
    ASSERT_EQ(scene->GetTexture(first, 0, &fromFirst, nullptr), S_OK);
    ASSERT_EQ(scene->GetTexture(second, 0, &fromSecond, nullptr), S_OK);
    ASSERT_EQ(scene->GetTexture(first, 1, &keyed, nullptr), S_OK);
    EXPECT_EQ(fromFirst, fromSecond) << "one texture for one file name, whatever the folder";
    EXPECT_NE(keyed, fromFirst);
    EXPECT_EQ(fromFirst->GetWidth(0), 2u);
    // The cache knows the texture by its file name, found again under a
    // folder tree; a texture it does not hold is the placeholder.
    EXPECT_EQ(scene->ResolveTexturePath(fromFirst, folder.Path().string()), first);
    EXPECT_EQ(scene->ResolveTexturePath(nullptr, folder.Path().string()), "材質");

    gfx::Texture* none = nullptr;
    EXPECT_EQ(scene->GetTexture((folder.Path() / "gone.bmp").string(), 0, &none, nullptr), E_FAIL);
    EXPECT_EQ(scene->GetTextureOrWarn((folder.Path() / "gone.bmp").string(), 0, nullptr), nullptr);
    EXPECT_EQ(messages,
              std::vector<std::string>{"找不到材質檔：" + (folder.Path() / "gone.bmp").string()});
}

TEST_F(DesignSceneTilesTest, SeamedTileIsDrawnAtTenPixelsPerCentimetreWithGroutRightAndBottom) {
    const std::string path = Green("oak.bmp");
    RecordingProgress progress;
    const TextureMappingRecord tile = Seamed(6, 3, 0.5f, 0.2f);
    gfx::Texture* texture = scene->GetTextureOrWarn(path, 0, &tile);
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(texture->GetWidth(0), 65u);
    ASSERT_EQ(texture->GetHeight(0), 32u);
    EXPECT_EQ(PixelOf(texture, 0, 0), kGreenPixel);
    EXPECT_EQ(PixelOf(texture, 59, 29), kGreenPixel);
    EXPECT_EQ(PixelOf(texture, 60, 0), kRedPixel);
    EXPECT_EQ(PixelOf(texture, 0, 30), kRedPixel);
    EXPECT_EQ(PixelOf(texture, 64, 31), kRedPixel);
    EXPECT_TRUE(progress.windows.empty()) << "a small tile is quick";

    // Another seam is another texture; the same one is the cached one.
    const TextureMappingRecord wider = Seamed(6, 3, 1, 0);
    EXPECT_NE(scene->GetTextureOrWarn(path, 0, &wider), texture);
    EXPECT_EQ(scene->GetTextureOrWarn(path, 0, &tile), texture);

    const TextureMappingRecord large = Seamed(200, 150, 1.5f, 0);
    gfx::Texture* big = scene->GetTextureOrWarn(path, 0, &large);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->GetWidth(0), 2015u);
    ASSERT_EQ(progress.windows.size(), 1u);
    EXPECT_EQ(progress.windows[0].request.text, "計算中, 請稍候 ...");
    EXPECT_EQ(progress.windows[0].steps, progress.windows[0].request.range);
    EXPECT_TRUE(progress.windows[0].closed);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DesignSceneTilesTest, TileSizesBeyondReachGetOneClearMessage) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    const std::string tooLarge = "拼貼尺寸過大, 改以原圖作為材質.";
    const std::string invalid = "拼貼尺寸無效, 無法製作材質：oak.bmp";
    const struct {
        const char* what;
        TextureMappingRecord tile;
        std::string message;
        bool untiled;
    } cases[] = {
        {"the catalogue's 10,000 cm tile", Seamed(10000, 10000, 0.5f, 0.5f), tooLarge, true},
        {"a seam past the largest texture", Seamed(10, 10, 900, 0), tooLarge, true},
        {"a tile without width", Seamed(0, 30, 0.5f, 0), invalid, false},
        {"a tile of no number", Seamed(kNaN, 30, 0.5f, 0), invalid, false},
        {"an endless seam", Seamed(60, 30, std::numeric_limits<float>::infinity(), 0), invalid,
         false},
    };
    const std::string path = Green("oak.bmp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        gfx::Texture* texture = scene->GetTextureOrWarn(path, 0, &c.tile);
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
        if (!c.untiled) {
            EXPECT_EQ(texture, nullptr);
            EXPECT_EQ(scene->GetTextureCache().Find("oak.bmp", 0, 0, &c.tile.seam), nullptr);
            continue;
        }
        // Nothing is lost: the picture serves untiled, and is asked about once.
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->GetWidth(0), 2u);
        EXPECT_EQ(PixelOf(texture, 1, 1), kGreenPixel);
        EXPECT_EQ(scene->GetTextureOrWarn(path, 0, &c.tile), texture);
        EXPECT_EQ(messages.size(), 1u);
    }
}
