#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDocumentServices.h"
#include "ModelObjectTestPackage.h"
#include "OffscreenDevice.h"
#include "objects/ModelObject.h"
#include "objects/ModelPackage.h"
#include "platform/image/Image.h"
#include "support/TempFolder.h"

namespace {

using ModelObjectDeviceTest = OffscreenDeviceTest;

std::string SmallBmp() {
    image::CImage picture;
    EXPECT_TRUE(picture.Create(4, 2));
    const std::vector<uint8_t> bmp = picture.Encode(image::ImageFormat::Bmp).value();
    return {bmp.begin(), bmp.end()};
}

TEST_F(ModelObjectDeviceTest, EmbeddedImageBecomesTheMaterialsTextureUnderItsName) {
    struct Case {
        std::string imageName;
        bool textured;
    };
    FakeDocumentServices document;
    TempFolder folder;
    for (const Case& c : {Case{model_test::kBoxTexture, true}, Case{"other.bmp", false}}) {
        model_test::PackageLayout layout;
        layout.textureName = c.imageName;
        layout.textureBytes = SmallBmp();
        const CModelPackage package(
            folder.Write("box.qvx", model_test::MakePackage(layout)).string(), kPackageReadAll);
        CModelObject model;
        model.SetDevice(m_device.get());
        ASSERT_EQ(model.LoadFromPackage(package), 1) << c.imageName;
        ASSERT_EQ(model.GetMaterialCount(), 2);
        EXPECT_EQ(model.GetTexture(0) != nullptr, c.textured) << c.imageName;
        EXPECT_EQ(model.GetTexture(1), nullptr);
        const std::string kept = c.textured ? model_test::kBoxTexture : "材質";
        EXPECT_EQ(model.GetTextureNames(), (std::vector<std::string>{kept, "材質"}));
        if (c.textured) {
            EXPECT_EQ(model.GetTexture(0)->GetWidth(0), 4u);
        }
    }
}

}  // namespace
