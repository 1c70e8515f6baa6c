#include "library/LibraryDrag.h"

#include <memory>
#include <vector>

#include "document/DocumentRecords.h"
#include "foundation/PathUtils.h"
#include "library/TextureCatalogEntry.h"
#include "objects/TextureMappingRecord.h"

namespace {

constexpr int kFurnitureKind = 0;
constexpr int kPhotoKind = 4;

}  // namespace

void StoreSelectedEntrySize(LibraryPlacement& placement, float depth, float height, float width,
                            const std::string& filePath) {
    placement.depth = depth;
    placement.height = height;
    placement.width = width;
    std::string folder = GetPathFolder(filePath);
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) {
        folder.pop_back();
    }
    placement.folder = GetPathFileName(folder);
}

bool StartPlacementDrag(LibraryPlacement& placement, BrowserLibrary library, int mode) {
    if (mode != kBrowserModeAdd || library == BrowserLibrary::Texture) {
        return false;
    }
    placement.kind = library == BrowserLibrary::Photo ? kPhotoKind : kFurnitureKind;
    placement.inProgress = 1;
    return true;
}

void StartTextureDrag(LibraryPlacement& placement, const TextureCatalogEntry& entry, bool ctrl) {
    placement.textureDragCtrl = ctrl ? 1 : 0;
    placement.textureDrag = ctrl ? 0 : 1;
    placement.pendingTexturePath = entry.filePath;
    // A copy of its own: the entry may be dropped or reloaded while the view
    // still holds the pending texture.
    placement.pendingTextureImage =
        std::make_shared<const std::vector<uint8_t>>(entry.material.data);
    auto mapping = std::make_shared<TextureMappingRecord>();
    mapping->tileWidth = static_cast<float>(entry.width);
    mapping->tileHeight = static_cast<float>(entry.height);
    mapping->tileFlag = 1;
    placement.pendingMapping = std::move(mapping);
}

void ClearPendingTexture(LibraryPlacement& placement) {
    placement.textureDrag = 0;
    placement.textureDragCtrl = 0;
    placement.pendingTexturePath.clear();
    placement.pendingTextureImage.reset();
}

bool IsLibraryDragPending(const LibraryPlacement& placement, BrowserLibrary library) {
    if (library == BrowserLibrary::Texture) {
        return placement.textureDrag != 0 || placement.textureDragCtrl != 0;
    }
    return placement.inProgress != 0;
}

void EndLibraryDrag(LibraryPlacement& placement, BrowserLibrary library) {
    if (library == BrowserLibrary::Texture) {
        ClearPendingTexture(placement);
    } else {
        placement.inProgress = 0;
    }
}
