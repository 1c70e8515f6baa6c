#include "library/ui/LibraryBrowsers.h"

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "library/LibraryDrag.h"
#include "library/placing/LibraryPlacing.h"
#include "library/ui/FurnitureBrowserDlg.h"
#include "library/ui/PhotoBrowserDlg.h"
#include "library/ui/TextureBrowserDlg.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"

namespace {

template <typename Dialog>
Dialog& ShowBrowser(Dialog*& dialog, CHousDoc& doc, wxWindow* parent) {
    if (dialog == nullptr) {
        dialog = new Dialog(doc, kBrowserModeAdd, parent);
    }
    dialog->Show();
    dialog->Raise();
    return *dialog;
}

template <typename Dialog>
void DestroyBrowser(Dialog*& dialog) {
    if (dialog != nullptr) {
        dialog->Destroy();
        dialog = nullptr;
    }
}

}  // namespace

CLibraryBrowsers::CLibraryBrowsers(CHousDoc& doc, wxWindow* parent)
    : m_doc(doc), m_pParent(parent) {
    m_doc.SetLibraryBrowsers(this);
}

CLibraryBrowsers::~CLibraryBrowsers() {
    CloseAll();
    if (m_doc.GetLibraryBrowsers() == this) {
        m_doc.SetLibraryBrowsers(nullptr);
    }
}

CFurnitureBrowserDlg& CLibraryBrowsers::ShowFurnitureBrowser() {
    return ShowBrowser(m_pFurniture, m_doc, m_pParent);
}

CTextureBrowserDlg& CLibraryBrowsers::ShowTextureBrowser() {
    return ShowBrowser(m_pTexture, m_doc, m_pParent);
}

CPhotoBrowserDlg& CLibraryBrowsers::ShowPhotoBrowser() {
    return ShowBrowser(m_pPhoto, m_doc, m_pParent);
}

void CLibraryBrowsers::OpenReplaceBrowsers() {
    I3DView* view = m_doc.Get3DView();
    CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    if (scene == nullptr || m_doc.GetBusy() != 0) {
        return;
    }
    if (!scene->Selected(kModelObjectType).empty()) {
        m_doc.SetCurrentFurniture(static_cast<C3DObject*>(scene->Selected(kModelObjectType)[0]));
        CFurnitureBrowserDlg dialog(m_doc, kBrowserModeReplace, m_pParent);
        dialog.ShowModal();
    }
    if (!scene->Selected(kPhotoObjectType).empty()) {
        m_doc.SetCurrentPhoto(static_cast<C3DObject*>(scene->Selected(kPhotoObjectType)[0]));
        CPhotoBrowserDlg dialog(m_doc, kBrowserModeReplace, m_pParent);
        dialog.ShowModal();
    }
}

void CLibraryBrowsers::CloseAll() {
    LibraryPlacement& placement = m_doc.GetPlacement();
    EndLibraryDrag(placement, BrowserLibrary::Furniture);
    EndLibraryDrag(placement, BrowserLibrary::Texture);
    DestroyBrowser(m_pFurniture);
    DestroyBrowser(m_pTexture);
    DestroyBrowser(m_pPhoto);
}

C3DObject* CLibraryBrowsers::PlaceSelectedModel(const LibraryDropPoint& drop) {
    if (m_pFurniture == nullptr || m_doc.GetBusy() != 0) {
        return nullptr;
    }
    return m_pFurniture->PlaceSelectedModel(drop);
}

C3DObject* CLibraryBrowsers::PlaceSelectedPhoto(const LibraryDropPoint& drop) {
    if (m_pPhoto == nullptr || m_doc.GetBusy() != 0) {
        return nullptr;
    }
    return m_pPhoto->PlaceSelectedPhoto(drop);
}

C3DObject* CLibraryBrowsers::PlacePictureEntry(const PictureCatalogEntry& entry,
                                               const LibraryDropPoint& drop) {
    if (m_doc.GetBusy() != 0) {
        return nullptr;
    }
    // The modeless photo browser adds: mode 0, no size kept.
    return PlacePhotoEntry(m_doc, entry, drop, LibraryPlacingOptions{});
}

bool CLibraryBrowsers::IsTextureBrowserShown() const {
    return m_pTexture != nullptr && m_pTexture->IsShown();
}

void CLibraryBrowsers::SelectSurfaceTexture(const std::string& texturePath) {
    if (!IsTextureBrowserShown()) {
        return;
    }
    m_pTexture->ClearTreeBold(wxTreeItemId());
    m_pTexture->SelectTextureFile(texturePath);
}
