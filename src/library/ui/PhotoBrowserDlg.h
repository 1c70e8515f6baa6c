#pragma once

#include "document/LibraryBrowserLink.h"
#include "library/ui/LibraryBrowserDlg.h"

class C3DObject;

// "新增照片": browses the picture library. Mode 0 adds photos (modeless),
// mode 1 puts the chosen picture in place of the selected photos (modal,
// ended by the placing).
class CPhotoBrowserDlg : public CLibraryBrowserDlg {
public:
    CPhotoBrowserDlg(CHousDoc& doc, int mode, wxWindow* parent);

    // The selected picture placed at the drop point; null when nothing was
    // placed.
    C3DObject* PlaceSelectedPhoto(const LibraryDropPoint& drop);
    // The given picture placed as this browser places its own.
    C3DObject* PlacePicture(const PictureCatalogEntry& entry, const LibraryDropPoint& drop);

protected:
    BrowserEntryView DescribeEntry(int index) const override;
    void PrepareSelectedEntry(int index) override;
    void WriteEntryRate(int index, int rate) override;
    bool EditEntryRecord(int index) override;
    void ReloadEntryFromFile(int index) override;
    void OnAddButton() override;
    bool StartDrag(int index, bool ctrl) override;
    bool IsDragPending() const override;
    void EndDrag() override;
    void SelectInitialEntry() override;
};
