#pragma once

#include <vector>

#include "document/LibraryBrowserLink.h"

namespace placing_test {

// Browsers that only note where they were asked to place.
class RecordingBrowsers : public ILibraryBrowsers {
public:
    C3DObject* PlaceSelectedModel(const LibraryDropPoint& drop) override {
        models.push_back(drop);
        return nullptr;
    }
    C3DObject* PlaceSelectedPhoto(const LibraryDropPoint& drop) override {
        photos.push_back(drop);
        return nullptr;
    }
    C3DObject* PlacePictureEntry(const PictureCatalogEntry&, const LibraryDropPoint&) override {
        return nullptr;
    }

    std::vector<LibraryDropPoint> models;
    std::vector<LibraryDropPoint> photos;
};

}  // namespace placing_test
