#pragma once

#include "document/LibraryBrowserLink.h"

class CFurnitureBrowserDlg;
class CHousDoc;
class CPhotoBrowserDlg;
class CTextureBrowserDlg;
class wxWindow;

// The modeless furniture, texture and photo browsers of the 3D view's
// commands: each made on its first opening and kept, hidden, until the
// views go. The document reaches them through it while it lives, so that a
// view can place the entry dragged out of a browser.
class CLibraryBrowsers : public ILibraryBrowsers {
public:
    CLibraryBrowsers(CHousDoc& doc, wxWindow* parent);
    ~CLibraryBrowsers() override;
    CLibraryBrowsers(const CLibraryBrowsers&) = delete;
    CLibraryBrowsers& operator=(const CLibraryBrowsers&) = delete;

    // Opens (the first time makes) the browser and brings it to the front.
    CFurnitureBrowserDlg& ShowFurnitureBrowser();
    CTextureBrowserDlg& ShowTextureBrowser();
    CPhotoBrowserDlg& ShowPhotoBrowser();

    CFurnitureBrowserDlg* GetFurnitureBrowser() const { return m_pFurniture; }
    CTextureBrowserDlg* GetTextureBrowser() const { return m_pTexture; }
    CPhotoBrowserDlg* GetPhotoBrowser() const { return m_pPhoto; }

    // "置換": with furniture selected, the furniture browser replaces it
    // (the first selected model is the one it starts from); then, with
    // photos selected, the photo browser replaces them. Both are modal.
    void OpenReplaceBrowsers();

    // Ends any pending drag and destroys the browsers.
    void CloseAll();

    // ILibraryBrowsers. Nothing is placed while the document is busy (a
    // save, load, undo or redo is writing the lists).
    C3DObject* PlaceSelectedModel(const LibraryDropPoint& drop) override;
    C3DObject* PlaceSelectedPhoto(const LibraryDropPoint& drop) override;
    C3DObject* PlacePictureEntry(const PictureCatalogEntry& entry,
                                 const LibraryDropPoint& drop) override;
    bool IsTextureBrowserShown() const override;
    void SelectSurfaceTexture(const std::string& texturePath) override;

private:
    CHousDoc& m_doc;
    wxWindow* m_pParent;
    CFurnitureBrowserDlg* m_pFurniture = nullptr;
    CTextureBrowserDlg* m_pTexture = nullptr;
    CPhotoBrowserDlg* m_pPhoto = nullptr;
};
