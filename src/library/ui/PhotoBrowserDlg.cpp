#include "library/ui/PhotoBrowserDlg.h"

#include "document/HousDoc.h"
#include "library/LibraryDrag.h"
#include "library/ModelDatabase.h"
#include "library/PictureCatalogEntry.h"
#include "library/placing/LibraryPlacing.h"
#include "objects/3DObject.h"
#include "objects/PhotoObject.h"

namespace {

// A photo stands 0.1 cm deep.
constexpr float kPhotoDepth = 0.1f;

}  // namespace

CPhotoBrowserDlg::CPhotoBrowserDlg(CHousDoc& doc, int mode, wxWindow* parent)
    : CLibraryBrowserDlg(doc, mode, parent, BrowserLibrary::Photo, wxString::FromUTF8("新增照片")) {
    Initialise();
}

BrowserEntryView CPhotoBrowserDlg::DescribeEntry(int index) const {
    const PictureCatalogEntry* entry = EntryAt<PictureCatalogEntry>(index);
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

void CPhotoBrowserDlg::PrepareSelectedEntry(int index) {
    const PictureCatalogEntry* entry = EntryAt<PictureCatalogEntry>(index);
    StoreSelectedEntrySize(GetDocument().GetPlacement(), kPhotoDepth,
                           static_cast<float>(entry->height), static_cast<float>(entry->width),
                           entry->filePath);
}

void CPhotoBrowserDlg::WriteEntryRate(int index, int rate) {
    StoreEntryRate<PictureCatalogEntry>(index, rate, &CModelDatabase::GetFileRowKey);
}

bool CPhotoBrowserDlg::EditEntryRecord(int index) {
    return EditEntryInRecordDialog<PictureCatalogEntry>(index);
}

void CPhotoBrowserDlg::ReloadEntryFromFile(int index) {
    if (const std::unique_ptr<CModelDatabase> database = OpenCatalogue()) {
        database->ReloadPictureEntry(*EntryAt<PictureCatalogEntry>(index));
    }
}

void CPhotoBrowserDlg::OnAddButton() {
    if (GetDocument().GetBusy() != 0) {
        return;
    }
    PlaceSelectedPhoto(LibraryDropPoint{});
}

C3DObject* CPhotoBrowserDlg::PlaceSelectedPhoto(const LibraryDropPoint& drop) {
    const PictureCatalogEntry* entry = SelectedEntry<PictureCatalogEntry>();
    if (entry == nullptr) {
        return nullptr;
    }
    C3DObject* placed = PlacePicture(*entry, drop);
    if (placed != nullptr && GetMode() == kBrowserModeReplace && IsModal()) {
        EndModal(wxID_OK);
    }
    return placed;
}

C3DObject* CPhotoBrowserDlg::PlacePicture(const PictureCatalogEntry& entry,
                                          const LibraryDropPoint& drop) {
    LibraryPlacingOptions options;
    options.mode = GetMode();
    options.keepSize = IsKeepSizeChecked();
    return PlacePhotoEntry(GetDocument(), entry, drop, options);
}

bool CPhotoBrowserDlg::StartDrag(int /*index*/, bool /*ctrl*/) {
    return StartPlacementDrag(GetDocument().GetPlacement(), BrowserLibrary::Photo, GetMode());
}

bool CPhotoBrowserDlg::IsDragPending() const {
    return IsLibraryDragPending(GetDocument().GetPlacement(), BrowserLibrary::Photo);
}

void CPhotoBrowserDlg::EndDrag() {
    EndLibraryDrag(GetDocument().GetPlacement(), BrowserLibrary::Photo);
}

void CPhotoBrowserDlg::SelectInitialEntry() {
    if (GetMode() != kBrowserModeReplace) {
        return;
    }
    const C3DObject* current = GetDocument().GetCurrentPhoto();
    if (current == nullptr) {
        return;
    }
    ShowEntryOfFile(current->GetFilePath());
}
