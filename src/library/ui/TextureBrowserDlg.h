#pragma once

#include <string>

#include "library/ui/LibraryBrowserDlg.h"

// "新增貼圖": browses the texture library. Pressing a thumbnail makes its
// texture the pending one that the 3D view applies where it is let go (Ctrl
// held at the press chooses the other variant). Mode 0 is the modeless
// browser of the 3D view; mode 1 picks a texture file for a material page,
// preset with the current one, and ends with "確定".
class CTextureBrowserDlg : public CLibraryBrowserDlg {
public:
    CTextureBrowserDlg(CHousDoc& doc, int mode, wxWindow* parent,
                       const std::string& presetTexturePath = {});

    // Selects the category and entry of a texture file below the program's
    // "STexture" folder; any other path changes nothing.
    void SelectTextureFile(const std::string& path);
    // Removes the bold mark from the item, its descendants and its following
    // siblings; an invalid item starts from the first root item.
    void ClearTreeBold(const wxTreeItemId& item);
    // The path of the entry last selected.
    const std::string& GetTexturePath() const { return m_texturePath; }

protected:
    BrowserEntryView DescribeEntry(int index) const override;
    void WriteEntryRate(int index, int rate) override;
    bool EditEntryRecord(int index) override;
    void ReloadEntryFromFile(int index) override;
    bool StartDrag(int index, bool ctrl) override;
    // 166 for all faces (Ctrl), 170 for one.
    int GetDragCursor(bool ctrl) const override { return ctrl ? 166 : 170; }
    void PressedOutsideEntries() override;
    bool IsDragPending() const override;
    void EndDrag() override;
    void EntryClicked() override;
    void SelectInitialEntry() override;

private:
    std::string m_texturePath;
};
