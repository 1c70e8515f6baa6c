#include <memory>
#include <string>

#include "document/DocumentRecords.h"
#include "document/HousDoc.h"
#include "document/LibraryBrowserLink.h"
#include "library/LibraryDrag.h"
#include "objects/MaterialFileRecord.h"
#include "objects/TextureMappingRecord.h"
#include "view3d/HousView.h"
#include "view3d/HousViewInput.h"

namespace {

// The pending texture as a copied surface: its file, image and tile size,
// without colours and without a face it came from.
CopiedSurface SurfaceOfPendingTexture(const LibraryPlacement& placement) {
    CopiedSurface surface;
    surface.texturePath = placement.pendingTexturePath;
    auto image = std::make_shared<MaterialFileRecord>();
    image->data = *placement.pendingTextureImage;
    surface.image = std::move(image);
    surface.imageFlag = 1;
    if (placement.pendingMapping) {
        surface.mapping = std::make_shared<TextureMappingRecord>(*placement.pendingMapping);
        surface.textureWidth = placement.pendingMapping->tileWidth;
        surface.textureHeight = placement.pendingMapping->tileHeight;
    }
    return surface;
}

// Whatever becomes of a drop, the texture browser's drag is over.
class TextureDragEnd {
public:
    explicit TextureDragEnd(LibraryPlacement& placement) : m_placement(placement) {}
    ~TextureDragEnd() { EndLibraryDrag(m_placement, BrowserLibrary::Texture); }
    TextureDragEnd(const TextureDragEnd&) = delete;
    TextureDragEnd& operator=(const TextureDragEnd&) = delete;

private:
    LibraryPlacement& m_placement;
};

}  // namespace

void CHousView::DropPendingTexture(int x, int y, int keyState) {
    LibraryPlacement& placement = m_pDoc->GetPlacement();
    const TextureDragEnd dragEnd(placement);
    // A texture applied during a save would change the objects being written.
    if (m_pDoc->GetBusy() != 0 || m_inputBlocked || placement.pendingTexturePath.empty() ||
        !placement.pendingTextureImage || placement.pendingTextureImage->empty()) {
        return;
    }
    CopiedSurface surface = SurfaceOfPendingTexture(placement);
    if ((keyState & view_input::kMkControl) != 0 || placement.textureDragCtrl != 0) {
        ApplySurfaceToAllFaces(surface, x, y, true);
    } else if ((keyState & view_input::kMkShift) != 0) {
        ApplySurfaceToAllFaces(surface, x, y, false);
    } else {
        ApplySurfaceToPicked(surface, x, y);
    }
    RepaintNow();
}

void CHousView::ShowPickedTextureInBrowser() {
    ILibraryBrowsers* browsers = m_pDoc->GetLibraryBrowsers();
    if (browsers == nullptr || m_picked.object == nullptr || !browsers->IsTextureBrowserShown()) {
        return;
    }
    const std::string path = GetPickedFaceTextureFile(*m_picked.object);
    if (!path.empty()) {
        browsers->SelectSurfaceTexture(path);
    }
}
