#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "FakeDocumentServices.h"
#include "OffscreenDevice.h"
#include "objects/PhotoObject.h"
#include "platform/gfx/Texture.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

using PhotoObjectDeviceTest = OffscreenDeviceTest;

// The top row's first two pixels of level 0.
std::array<uint32_t, 2> FirstPixels(gfx::Texture& texture) {
    gfx::LockedRect locked;
    EXPECT_TRUE(gfx::Succeeded(texture.LockRect(0, &locked, 0)));
    const auto* row = static_cast<const uint32_t*>(locked.bits);
    const std::array<uint32_t, 2> pixels = {row[0], row[1]};
    texture.UnlockRect(0);
    return pixels;
}

// Opaque black but for one white pixel at (1, 0).
std::string SmallBmp() {
    image::CImage picture;
    EXPECT_TRUE(picture.Create(4, 2));
    picture.SetPixelColor(1, 0, {255, 255, 255, 255});
    const std::vector<uint8_t> bmp = picture.Encode(image::ImageFormat::Bmp).value();
    return {bmp.begin(), bmp.end()};
}

TEST_F(PhotoObjectDeviceTest, PictureGivesItsSizeAndOneCachedTexturePerBlendFlag) {
    FakeDocumentServices document;
    TempFolder folder;
    const std::string path = folder.Write("poster.bmp", SmallBmp()).string();
    CPhotoObject photo;
    photo.SetDevice(m_device.get());
    ASSERT_EQ(photo.BuildMesh(), 1);

    photo.SetBlend(1);
    const LoadedPicture loaded = photo.LoadTexture(m_device.get(), 0, path);
    EXPECT_EQ(loaded.width, 4);
    EXPECT_EQ(loaded.height, 2);
    EXPECT_TRUE(loaded.textured);
    gfx::Texture* blended = photo.GetTexture(0);
    ASSERT_NE(blended, nullptr);
    EXPECT_EQ(blended->GetWidth(0), 4u);
    EXPECT_EQ(blended->GetLevelCount(), 1u);
    // Blending keys exactly opaque black out.
    EXPECT_EQ(FirstPixels(*blended), (std::array<uint32_t, 2>{0x00000000u, 0xFFFFFFFFu}));
    // The same file again comes from the cache; without blending it is
    // another texture.
    photo.LoadTexture(m_device.get(), 0, path);
    EXPECT_EQ(photo.GetTexture(0), blended);
    photo.SetBlend(0);
    photo.LoadTexture(m_device.get(), 0, path);
    ASSERT_NE(photo.GetTexture(0), nullptr);
    EXPECT_NE(photo.GetTexture(0), blended);
    EXPECT_EQ(FirstPixels(*photo.GetTexture(0))[0] & 0x00FFFFFFu, 0u);
    EXPECT_NE(photo.GetTexture(0)->GetFormat(), gfx::Format::A8R8G8B8);
    EXPECT_EQ(photo.GetOwnTextureCache().GetEntries().size(), 2u);
}

}  // namespace
