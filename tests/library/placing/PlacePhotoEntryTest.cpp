#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "PlacingFixture.h"
#include "document/PlanFacingAngle.h"
#include "foundation/GeometryMath.h"
#include "library/placing/LibraryPlacing.h"
#include "objects/2DPictureShape.h"
#include "objects/HistoryRecord.h"
#include "objects/MaterialFileReader.h"

namespace {

using placing_test::PlacingTest;

class PlacePhotoEntryTest : public PlacingTest {
protected:
    CPhotoObject* Place(const PictureCatalogEntry& entry, const LibraryDropPoint& drop,
                        int mode = 0, bool keepSize = false) {
        LibraryPlacingOptions options;
        options.mode = mode;
        options.keepSize = keepSize;
        return PlacePhotoEntry(*doc, entry, drop, options);
    }

    // Photos placed from the poster and selected, as replace mode finds them.
    std::vector<CPhotoObject*> PlaceSelectedPosters(int count) {
        const PictureCatalogEntry poster = PictureEntry("海報/poster.bmp", 800, 600);
        std::vector<CPhotoObject*> photos;
        for (int i = 0; i < count; ++i) {
            CPhotoObject* photo = Place(poster, Drop(300.0f * (i + 1), -400.0f, 0.0f, 1));
            EXPECT_NE(photo, nullptr);
            scene->SelectObject(kPhotoObjectType, photo);
            photos.push_back(photo);
        }
        return photos;
    }
};

TEST_F(PlacePhotoEntryTest, APictureIsSizedByItsPixelsAndTurnsToTheViewer) {
    const PictureCatalogEntry poster = PictureEntry("海報/poster.bmp", 800, 600);
    CPhotoObject* photo = Place(poster, Drop(500.0f, -300.0f, 0.0f, 1));

    ASSERT_NE(photo, nullptr);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Photos(), std::vector<CPhotoObject*>{photo});
    EXPECT_NEAR(photo->GetScale()[0], 100.0f, 1e-4);
    EXPECT_NEAR(photo->GetScale()[1], 75.0f, 1e-4);
    EXPECT_NEAR(photo->GetScale()[2], 1.0f, 1e-4);
    EXPECT_NE(photo->GetTexture(0), nullptr);
    EXPECT_EQ(photo->GetFilePath(), poster.filePath);
    EXPECT_EQ(photo->GetMapKind(), 0);
    EXPECT_EQ(photo->IsFacingViewer(), 1);
    EXPECT_FLOAT_EQ(photo->GetPosition().x, 500.0f);
    EXPECT_FLOAT_EQ(photo->GetPosition().z, -300.0f);
    const float facing = PlanFacingAngle(photo->GetPosition(),
                                         gfx::Vector3{view3D.eye.x, view3D.eye.y, view3D.eye.z});
    EXPECT_FLOAT_EQ(static_cast<float>(photo->GetHeading()), facing);

    C2DPictureShape* icon = photo->GetPlanIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetWidth(), 100);
    EXPECT_DOUBLE_EQ(icon->GetAngle(), static_cast<double>(facing));
    EXPECT_EQ(scene->Objects(kPhotoIconShapeType), std::vector<CDesignObject*>{icon});

    ASSERT_EQ(doc->HistoryList(0).size(), 1u);
    EXPECT_EQ(doc->HistoryList(0).back()->objectType, kPhotoObjectType);
    EXPECT_EQ(doc->HistoryList(0).back()->operation, kHistoryAdd);
    EXPECT_EQ(doc->GetCurrentPhoto(), photo);
    EXPECT_EQ(doc->GetLastPlacedObject(), photo);
    EXPECT_EQ(doc->GetDesignModified(), 1);
    EXPECT_EQ(view3D.hints.back(), kFullRefreshHint);
}

TEST_F(PlacePhotoEntryTest, TheCatalogueSizeWinsOverThePixels) {
    PictureCatalogEntry poster = PictureEntry("海報/poster.bmp", 800, 600);
    poster.width = 60.0;
    poster.height = 40.0;
    CPhotoObject* photo = Place(poster, LibraryDropPoint{});
    ASSERT_NE(photo, nullptr);
    EXPECT_DOUBLE_EQ(photo->GetPictureSize()[0], 60.0);
    EXPECT_DOUBLE_EQ(photo->GetPictureSize()[1], 40.0);
    EXPECT_EQ(photo->GetPlanIcon()->GetWidth(), 60);
}

TEST_F(PlacePhotoEntryTest, AMaterialFileTakesItsStoredSizeAndWebLink) {
    PictureCatalogEntry oak;
    oak.filePath = PathOf("STexture/木紋/wood-oak.qvp").string();
    ASSERT_TRUE(LoadMaterialFile(oak.filePath, oak.material, kMaterialFileQvp, false));
    ASSERT_GT(oak.material.width, 0.0f);
    oak.material.extra = std::string("http://example.com/oak\0", 23);
    CPhotoObject* photo = Place(oak, LibraryDropPoint{});
    ASSERT_NE(photo, nullptr);
    EXPECT_NEAR(photo->GetScale()[0], static_cast<float>(TruncateToInt(oak.material.width)), 1e-4);
    EXPECT_NEAR(photo->GetScale()[1], static_cast<float>(TruncateToInt(oak.material.height)), 1e-4);
    EXPECT_EQ(photo->GetWebLink(), "http://example.com/oak");
}

TEST_F(PlacePhotoEntryTest, AFloorPictureFacesTheWayTheCameraLooks) {
    const struct {
        double cameraHeading;
        double heading;
    } cases[] = {
        {0.0, 0.0},       {kPi / 4.0, 0.0},       {kPi / 2.0, 1.5 * kPi},
        {kPi, kPi},       {1.5 * kPi, 0.5 * kPi}, {7.0 * kPi / 4.0, 0.5 * kPi},
        {1.9 * kPi, 0.0},
    };
    const PictureCatalogEntry carpet = PictureEntry("地毯/rug.bmp", 160, 80);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cameraHeading);
        view3D.heading = c.cameraHeading;
        CPhotoObject* photo = Place(carpet, Drop(500.0f, -300.0f, 0.0f, 1));
        ASSERT_NE(photo, nullptr);
        EXPECT_EQ(photo->IsFacingViewer(), 0);
        EXPECT_NEAR(photo->GetHeading(), c.heading, 1e-5);
        EXPECT_NEAR(photo->GetPlanIcon()->GetAngle(), c.heading, 1e-5);
        EXPECT_EQ(photo->GetPlanOutlineShown(), 1);
    }
}

TEST_F(PlacePhotoEntryTest, AnUnreadablePictureIsNotPlaced) {
    PictureCatalogEntry broken;
    broken.filePath = PathOf("STPicture/海報/broken.bmp").string();
    WriteFile(broken.filePath, "not a picture");
    PictureCatalogEntry missing;
    missing.filePath = PathOf("STPicture/海報/gone.jpg").string();
    for (const PictureCatalogEntry* entry : {&broken, &missing}) {
        SCOPED_TRACE(entry->filePath);
        messages.clear();
        EXPECT_EQ(Place(*entry, Drop(500.0f, -300.0f, 0.0f, 0)), nullptr);
        EXPECT_EQ(messages, std::vector<std::string>{"找不到材質檔：" + entry->filePath});
        EXPECT_TRUE(Photos().empty());
        EXPECT_TRUE(scene->Objects(kPhotoIconShapeType).empty());
        EXPECT_TRUE(doc->HistoryList(0).empty());
        EXPECT_EQ(doc->GetDesignModified(), 0);
    }
}

TEST_F(PlacePhotoEntryTest, NothingIsPlacedWhileTheDocumentIsBusy) {
    const PictureCatalogEntry poster = PictureEntry("海報/poster.bmp", 800, 600);
    const std::vector<CPhotoObject*> selected = PlaceSelectedPosters(1);
    const std::size_t records = doc->HistoryList(0).size();
    doc->SetBusy(1);
    for (const int mode : {0, 1}) {
        EXPECT_EQ(Place(poster, Drop(500.0f, -300.0f, 0.0f, 0), mode), nullptr);
    }
    EXPECT_EQ(Photos(), selected);
    EXPECT_EQ(doc->HistoryList(0).size(), records);
}

TEST_F(PlacePhotoEntryTest, AReplacementLeavesOnlyTheNewPhotosSelected) {
    const std::vector<CPhotoObject*> old = PlaceSelectedPosters(2);
    old[1]->SetRotation(0.0f, 0.3f, 0.0f);
    const PictureCatalogEntry carpet = PictureEntry("地毯/rug.bmp", 160, 80);

    CPhotoObject* last = Place(carpet, LibraryDropPoint{}, 1);

    const std::vector<CPhotoObject*> photos = Photos();
    ASSERT_EQ(photos.size(), 2u);
    EXPECT_EQ(last, photos[1]);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(photos[i]->GetFilePath(), carpet.filePath);
        EXPECT_FLOAT_EQ(photos[i]->GetPosition().x, old[i]->GetPosition().x);
        EXPECT_EQ(photos[i]->IsSelected(), 1);
        EXPECT_EQ(old[i]->IsSelected(), 0);
    }
    EXPECT_FLOAT_EQ(static_cast<float>(photos[1]->GetElevation()), 0.3f);
    EXPECT_EQ(scene->Selected(kPhotoObjectType),
              (std::vector<CDesignObject*>{photos[0], photos[1]}));
    EXPECT_EQ(scene->Objects(kPhotoIconShapeType).size(), 2u);

    // One undo step brings the old photos back.
    doc->Undo();
    std::vector<CPhotoObject*> back = Photos();
    std::ranges::sort(back);
    std::vector<CPhotoObject*> expected = old;
    std::ranges::sort(expected);
    EXPECT_EQ(back, expected);
    EXPECT_EQ(scene->Objects(kPhotoIconShapeType).size(), 2u);
}

TEST_F(PlacePhotoEntryTest, AKeptSizeReplacementExchangesThePictureOrKeepsTheOld) {
    const std::vector<CPhotoObject*> old = PlaceSelectedPosters(1);
    CPhotoObject& photo = *old[0];
    const std::string oldPath = photo.GetFilePath();
    const std::string oldName = photo.GetTextureNames()[0];
    gfx::Texture* oldTexture = photo.GetTexture(0);
    const std::size_t records = doc->HistoryList(0).size();

    PictureCatalogEntry broken;
    broken.filePath = PathOf("STPicture/海報/broken.bmp").string();
    WriteFile(broken.filePath, "not a picture");
    EXPECT_EQ(Place(broken, LibraryDropPoint{}, 1, true), nullptr);
    EXPECT_EQ(messages, std::vector<std::string>{"找不到材質檔：" + broken.filePath});
    EXPECT_EQ(photo.GetFilePath(), oldPath);
    EXPECT_EQ(photo.GetTextureNames()[0], oldName);
    EXPECT_EQ(photo.GetTexture(0), oldTexture);
    EXPECT_EQ(doc->HistoryList(0).size(), records);

    const PictureCatalogEntry other = PictureEntry("海報/other.bmp", 400, 400);
    EXPECT_EQ(Place(other, LibraryDropPoint{}, 1, true), &photo);
    EXPECT_EQ(Photos(), old);
    EXPECT_EQ(photo.GetFilePath(), other.filePath);
    EXPECT_NE(photo.GetTexture(0), oldTexture);
    EXPECT_NEAR(photo.GetScale()[0], 100.0f, 1e-4);
    ASSERT_EQ(doc->HistoryList(0).size(), records + 1);
    const HistoryRecord& record = *doc->HistoryList(0).back();
    EXPECT_EQ(record.operation, kHistoryMaterial);
    EXPECT_EQ(record.object, &photo);

    // Undo brings the old picture back whole, redo the new one.
    gfx::Texture* newTexture = photo.GetTexture(0);
    doc->Undo();
    EXPECT_EQ(photo.GetTexture(0), oldTexture);
    EXPECT_EQ(photo.GetTextureNames()[0], oldName);
    EXPECT_EQ(photo.GetFilePath(), oldPath);
    doc->Redo();
    EXPECT_EQ(photo.GetTexture(0), newTexture);
    EXPECT_EQ(photo.GetTextureNames()[0], other.filePath);
    EXPECT_EQ(photo.GetFilePath(), other.filePath);
}

}  // namespace
