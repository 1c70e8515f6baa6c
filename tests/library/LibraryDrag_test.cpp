#include "library/LibraryDrag.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "document/DocumentRecords.h"
#include "library/TextureCatalogEntry.h"
#include "objects/TextureMappingRecord.h"

namespace {

TEST(LibraryDrag, OnlyTheAddModeOfFurnitureAndPhotosDrags) {
    struct Case {
        BrowserLibrary library;
        int mode;
        bool starts;
        int kind;
    };
    const std::vector<Case> cases = {
        {BrowserLibrary::Furniture, kBrowserModeAdd, true, 0},
        {BrowserLibrary::Photo, kBrowserModeAdd, true, 4},
        {BrowserLibrary::Furniture, kBrowserModeReplace, false, 0},
        {BrowserLibrary::Furniture, kBrowserModeDoorWindow, false, 0},
        {BrowserLibrary::Furniture, kBrowserModeDoorFrame, false, 0},
        {BrowserLibrary::Photo, kBrowserModeReplace, false, 0},
        {BrowserLibrary::Texture, kBrowserModeAdd, false, 0},
    };
    for (const Case& c : cases) {
        LibraryPlacement placement;
        EXPECT_EQ(StartPlacementDrag(placement, c.library, c.mode), c.starts) << c.mode;
        EXPECT_EQ(placement.inProgress, c.starts ? 1 : 0) << c.mode;
        EXPECT_EQ(placement.kind, c.kind) << c.mode;
        EXPECT_EQ(IsLibraryDragPending(placement, c.library), c.starts) << c.mode;
        EndLibraryDrag(placement, c.library);
        EXPECT_EQ(placement.inProgress, 0);
    }
}

TEST(LibraryDrag, TextureDragKeepsItsOwnCopyOfTheImage) {
    auto entry = std::make_unique<TextureCatalogEntry>();
    entry->filePath = "/p/STexture/Wood/oak.bmp";
    entry->width = 60.0;
    entry->height = 30.0;
    entry->material.data = {'B', 'M', 1, 2, 3};
    LibraryPlacement placement;
    StartTextureDrag(placement, *entry, false);
    EXPECT_EQ(placement.textureDrag, 1);
    EXPECT_EQ(placement.textureDragCtrl, 0);
    StartTextureDrag(placement, *entry, true);
    EXPECT_EQ(placement.textureDrag, 0);
    EXPECT_EQ(placement.textureDragCtrl, 1);
    ASSERT_NE(placement.pendingMapping, nullptr);
    EXPECT_EQ(placement.pendingMapping->tileWidth, 60.0f);
    EXPECT_EQ(placement.pendingMapping->tileHeight, 30.0f);
    EXPECT_EQ(placement.pendingMapping->tileFlag, 1);

    // The entry may go while the view still holds the pending texture.
    entry.reset();
    ASSERT_NE(placement.pendingTextureImage, nullptr);
    EXPECT_EQ(*placement.pendingTextureImage, (std::vector<uint8_t>{'B', 'M', 1, 2, 3}));
    EXPECT_EQ(placement.pendingTexturePath, "/p/STexture/Wood/oak.bmp");

    EndLibraryDrag(placement, BrowserLibrary::Texture);
    EXPECT_FALSE(IsLibraryDragPending(placement, BrowserLibrary::Texture));
    EXPECT_TRUE(placement.pendingTexturePath.empty());
    EXPECT_EQ(placement.pendingTextureImage, nullptr);
}

TEST(LibraryDrag, TheViewsAreToldTheSizeAndTheFolderHoldingTheFile) {
    LibraryPlacement placement;
    StoreSelectedEntrySize(placement, 60.0f, 80.0f, 100.0f, "/p/SModel/01桌椅/餐椅.qvx");
    EXPECT_EQ(placement.depth, 60.0f);
    EXPECT_EQ(placement.height, 80.0f);
    EXPECT_EQ(placement.width, 100.0f);
    EXPECT_EQ(placement.folder, "01桌椅");
    StoreSelectedEntrySize(placement, 0.1f, 1.0f, 2.0f, "a.bmp");
    EXPECT_EQ(placement.folder, "");
}

}  // namespace
