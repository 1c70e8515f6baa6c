#include "library/ui/TextureBrowserDlg.h"

#include <wx/button.h>

#include "document/HousDoc.h"
#include "foundation/PathUtils.h"
#include "library/LibraryDrag.h"
#include "library/ModelDatabase.h"
#include "library/TextureCatalogEntry.h"

CTextureBrowserDlg::CTextureBrowserDlg(CHousDoc& doc, int mode, wxWindow* parent,
                                       const std::string& presetTexturePath)
    : CLibraryBrowserDlg(doc, mode, parent, BrowserLibrary::Texture,
                         wxString::FromUTF8("新增貼圖")),
      m_texturePath(presetTexturePath) {
    Initialise();
}

void CTextureBrowserDlg::SelectInitialEntry() {
    if (!m_texturePath.empty()) {
        ClearTreeBold(wxTreeItemId());
        SelectTextureFile(m_texturePath);
    }
}

void CTextureBrowserDlg::SelectTextureFile(const std::string& path) {
    if (!IsFolderOfPath(GetRootFolder(), path)) {
        return;
    }
    const std::optional<BrowserFolderIndex> folder = FindFolderByPrefixWalk(GetFolderTree(), path);
    if (folder && ShowFolderEntry(*folder, path)) {
        m_texturePath = path;
        GetAddButton()->Enable();
    }
}

void CTextureBrowserDlg::ClearTreeBold(const wxTreeItemId& item) {
    wxTreeCtrl* tree = GetTree();
    wxTreeItemId current = item;
    if (!current.IsOk()) {
        wxTreeItemIdValue cookie;
        current = tree->GetFirstChild(tree->GetRootItem(), cookie);
    }
    for (; current.IsOk(); current = tree->GetNextSibling(current)) {
        tree->SetItemBold(current, false);
        wxTreeItemIdValue cookie;
        const wxTreeItemId child = tree->GetFirstChild(current, cookie);
        if (child.IsOk()) {
            ClearTreeBold(child);
        }
    }
}

BrowserEntryView CTextureBrowserDlg::DescribeEntry(int index) const {
    const TextureCatalogEntry* entry = EntryAt<TextureCatalogEntry>(index);
    BrowserEntryView view;
    view.name = entry->name;
    view.filePath = entry->filePath;
    view.rate = entry->rate;
    view.thumbnail = &entry->material.data;
    view.webLink = entry->material.GetWebLink();
    view.facts = {entry->serialNumber, entry->vendor, entry->price,
                  entry->width,        entry->height, std::nullopt};
    return view;
}

void CTextureBrowserDlg::WriteEntryRate(int index, int rate) {
    StoreEntryRate<TextureCatalogEntry>(index, rate, &CModelDatabase::GetFileRowKey);
}

bool CTextureBrowserDlg::EditEntryRecord(int index) {
    return EditEntryInRecordDialog<TextureCatalogEntry>(index);
}

void CTextureBrowserDlg::ReloadEntryFromFile(int index) {
    if (const std::unique_ptr<CModelDatabase> database = OpenCatalogue()) {
        database->ReloadTextureEntry(*EntryAt<TextureCatalogEntry>(index));
    }
}

bool CTextureBrowserDlg::StartDrag(int index, bool ctrl) {
    StartTextureDrag(GetDocument().GetPlacement(), *EntryAt<TextureCatalogEntry>(index), ctrl);
    return true;
}

void CTextureBrowserDlg::PressedOutsideEntries() {
    if (!IsDragPending()) {
        ClearPendingTexture(GetDocument().GetPlacement());
    }
}

bool CTextureBrowserDlg::IsDragPending() const {
    return IsLibraryDragPending(GetDocument().GetPlacement(), BrowserLibrary::Texture);
}

void CTextureBrowserDlg::EndDrag() {
    EndLibraryDrag(GetDocument().GetPlacement(), BrowserLibrary::Texture);
}

void CTextureBrowserDlg::EntryClicked() {
    if (const TextureCatalogEntry* entry = SelectedEntry<TextureCatalogEntry>()) {
        m_texturePath = entry->filePath;
    }
}
