#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "DesignFileFixture.h"
#include "objects/2DPictureShape.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"

namespace {

class DesignFilePhotosTest : public DesignFileTest {
protected:
    CPhotoObject* AddPhoto(const std::string& fileName, int number, int mapKind, float x) {
        auto* photo = new CPhotoObject();
        EXPECT_EQ(photo->BuildMesh(), 1);
        photo->SetMapKind(mapKind);
        photo->SetNumber(number);
        photo->SetFilePath(PathOf(fileName).string());
        WriteBytes(PathOf(fileName), "picture bytes");
        photo->SetPictureSize(100.0f, 75.0f);
        photo->SetPixelSize(800, 600);
        photo->SetPosition(x, 90.0f, -200.0f);
        photo->SetRotation(0.5f, 0.25f, 0.0f);
        scene->AddObjectIfAbsent(kPhotoObjectType, photo);
        return photo;
    }

    std::vector<CPhotoObject*> Photos() {
        std::vector<CPhotoObject*> photos;
        for (CDesignObject* object : scene->Objects(kPhotoObjectType)) {
            photos.push_back(static_cast<CPhotoObject*>(object));
        }
        return photos;
    }
};

}  // namespace

TEST_F(DesignFilePhotosTest, PhotosComeBackWithTheirIconsAndTheCameraPhotoIsNotStored) {
    AddPhoto("poster.jpg", 3, 0, 100.0f);
    AddPhoto("light.bmp", 4, 1, 300.0f);
    CPhotoObject* background = AddPhoto("sky.jpg", 5, 0, 0.0f);
    background->SetCameraAttached(1);
    const std::string bytes = WriteDesignBytes();
    scene->ClearScene();

    ASSERT_TRUE(Read(bytes));
    const std::vector<CPhotoObject*> read = Photos();
    ASSERT_EQ(read.size(), 2u);
    const struct {
        const char* name;
        int mapKind;
        float x;
        const char* file;
    } expected[] = {{"照片-3", 0, 100.0f, "poster.jpg"}, {"照片-4", 1, 300.0f, "light.bmp"}};
    std::vector<CDesignObject*> icons;
    for (std::size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        const CPhotoObject& photo = *read[i];
        EXPECT_EQ(photo.GetName(), expected[i].name);
        EXPECT_EQ(photo.GetMapKind(), expected[i].mapKind);
        EXPECT_EQ(photo.GetBlend(), 1);
        EXPECT_EQ(photo.GetPosition().x, expected[i].x);
        EXPECT_EQ(photo.GetElevation(), 0.25);
        EXPECT_EQ(photo.GetPictureSize(), (std::array<double, 2>{100.0, 75.0}));
        EXPECT_EQ(photo.GetPixelSize(), (std::array<int, 2>{800, 600}));
        EXPECT_EQ(photo.GetFilePath(), PathOf(expected[i].file).string());
        if (expected[i].mapKind == 0) {
            EXPECT_EQ(photo.GetMaterial(0).diffuse.a, CPhotoObject::kPhotoAlpha);
        }
        ASSERT_NE(photo.GetPlanIcon(), nullptr);
        EXPECT_EQ(photo.GetPlanIcon()->GetOwnerObject(), &photo);
        icons.push_back(photo.GetPlanIcon());
    }
    // Each icon is listed once, with its photo.
    EXPECT_EQ(scene->Objects(kPhotoIconShapeType), icons);
    // Saved again, the photo sections are the same bytes.
    EXPECT_TRUE(WriteDesignBytes().substr(200) == std::string_view(bytes).substr(200));
}

TEST_F(DesignFilePhotosTest, PhotoWhosePictureIsGoneIsLeftOutAndReported) {
    AddPhoto("gone.jpg", 3, 0, 100.0f);
    const std::string bytes = WriteDesignBytes();
    scene->ClearScene();
    std::filesystem::remove(PathOf("gone.jpg"));
    messages.clear();

    ASSERT_TRUE(Read(bytes));
    EXPECT_TRUE(Photos().empty());
    EXPECT_TRUE(scene->Objects(kPhotoIconShapeType).empty());
}
