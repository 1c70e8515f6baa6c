#include <gtest/gtest.h>

#include <filesystem>

#include "DeviceFixture.h"
#include "platform/gfx/NormalMap.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/TextureBmp.h"
#include "platform/gfx/TextureFill.h"
#include "platform/gfx/TextureLoader.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace gfx::test {
namespace {

class TextureFileTest : public DeviceTest {
protected:
    void TearDown() override {
        for (Texture* texture : m_textures) {
            texture->Release();
        }
    }

    Texture* MakeTexture(uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels,
                         uint32_t levels = 1) {
        Texture* texture = nullptr;
        EXPECT_EQ(kOk, m_device->CreateTextureFromPixels(width, height, pixels.data(), levels,
                                                         Format::A8R8G8B8, &texture));
        m_textures.push_back(texture);
        return texture;
    }

    static std::vector<uint32_t> Pixels(Texture* texture, uint32_t level = 0) {
        LockedRect locked;
        EXPECT_EQ(kOk, texture->LockRect(level, &locked, kLockReadOnly));
        const auto* bits = static_cast<const uint32_t*>(locked.bits);
        std::vector<uint32_t> pixels(
            bits, bits + size_t{texture->GetWidth(level)} * texture->GetHeight(level));
        texture->UnlockRect(level);
        return pixels;
    }

    std::vector<Texture*> m_textures;
};

TEST_F(TextureFileTest, TextureFromFileBytesHasTheImagesPixelsAndLevels) {
    // 3 x 2: a non-power-of-two texture keeps its size.
    const std::vector<uint8_t> bgra = {0,   0, 0, 255, 0, 0, 255, 255, 0,   255, 0,   255,
                                       255, 0, 0, 255, 0, 0, 0,   255, 255, 255, 255, 255};
    image::CImage picture;
    ASSERT_TRUE(picture.CreateFromRows(bgra.data(), 3, 2, 12, image::PixelLayout::Bgra32));
    const std::vector<uint8_t> png = *picture.Encode(image::ImageFormat::Png);

    TextureLoadOptions options;
    options.colorKey = 0xFF000000;
    Texture* texture = nullptr;
    std::string error;
    ASSERT_EQ(kOk, CreateTextureFromFileInMemory(m_device.get(), png.data(), png.size(), options,
                                                 &texture, &error))
        << error;
    m_textures.push_back(texture);
    EXPECT_EQ(3u, texture->GetWidth(0));
    EXPECT_EQ(2u, texture->GetHeight(0));
    EXPECT_EQ(Format::A8R8G8B8, texture->GetFormat());
    EXPECT_EQ(2u, texture->GetLevelCount());
    EXPECT_EQ((std::vector<uint32_t>{0, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0, 0xFFFFFFFF}),
              Pixels(texture));

    const std::vector<uint8_t> damaged(png.begin(), png.begin() + 20);
    Texture* none = nullptr;
    EXPECT_TRUE(Failed(CreateTextureFromFileInMemory(m_device.get(), damaged.data(), damaged.size(),
                                                     {}, &none, &error)));
    EXPECT_EQ(nullptr, none);
}

TEST_F(TextureFileTest, FillGivesEachTexelItsCentreAndSize) {
    Texture* texture = MakeTexture(4, 2, std::vector<uint32_t>(8), 2);
    ASSERT_EQ(kOk, FillTexture(texture, [](const TexelCoord& texel) {
                  return ColorValue{texel.u, texel.v, texel.width, 2.0f};
              }));
    // Level 0, texel (1, 0): centre (0.375, 0.25), size 0.25; alpha clamped.
    EXPECT_EQ(ColorArgb(255, 96, 64, 64), Pixels(texture)[1]);
    // Level 1 is 2 x 1: texel (1, 0) has centre (0.75, 0.5), size 0.5.
    EXPECT_EQ(ColorArgb(255, 191, 128, 128), Pixels(texture, 1)[1]);
}

TEST_F(TextureFileTest, NormalMapOfAFlatTextureFacesStraightOut) {
    Texture* heights = MakeTexture(4, 4, std::vector<uint32_t>(16, 0xFF404040));
    Texture* normals = MakeTexture(4, 4, std::vector<uint32_t>(16), 0);
    ASSERT_EQ(kOk, ComputeNormalMap(normals, heights, 10.0f));
    for (uint32_t level = 0; level < normals->GetLevelCount(); ++level) {
        for (uint32_t normal : Pixels(normals, level)) {
            EXPECT_EQ(0xFF8080FFu, normal);
        }
    }
}

TEST_F(TextureFileTest, BmpKeepsTheTopRowOnTop) {
    // Red, green / blue, white; the alpha is not kept.
    Texture* texture = MakeTexture(2, 2, {0x80FF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
    std::vector<uint8_t> file;
    ASSERT_EQ(kOk, SaveTextureToBmp(texture, &file));
    ASSERT_GT(file.size(), 54u);
    EXPECT_EQ('B', file[0]);
    EXPECT_EQ(24, file[28]);  // bits per pixel

    TempFolder folder;
    const std::string path = (folder.Path() / "貼圖.bmp").string();
    std::string error;
    ASSERT_EQ(kOk, SaveTextureToBmpFile(texture, path, &error)) << error;
    for (const bool fromFile : {false, true}) {
        SCOPED_TRACE(fromFile ? "file" : "memory");
        image::CImage picture;
        ASSERT_TRUE(fromFile ? picture.Load(path) : picture.Decode(file.data(), file.size()));
        ASSERT_EQ(2, picture.GetWidth());
        EXPECT_EQ((image::Color{255, 0, 0, 255}), picture.GetPixelColor(0, 0));
        EXPECT_EQ((image::Color{0, 255, 0, 255}), picture.GetPixelColor(1, 0));
        EXPECT_EQ((image::Color{0, 0, 255, 255}), picture.GetPixelColor(0, 1));
        EXPECT_EQ((image::Color{255, 255, 255, 255}), picture.GetPixelColor(1, 1));
    }
}

}  // namespace
}  // namespace gfx::test
