#pragma once

#include "document/LibraryBrowserLink.h"
#include "library/ui/LibraryBrowserDlg.h"

class C3DObject;
class CModelPreviewPanel;
class wxCheckBox;

// "新增傢俱": browses the model library. Mode 0 adds (modeless, dragging
// into the views or the add button), 1 replaces the selected furniture, 2
// picks a door or window, 3 a door frame; the last three are modal and end
// once a model is placed.
class CFurnitureBrowserDlg : public CLibraryBrowserDlg {
public:
    CFurnitureBrowserDlg(CHousDoc& doc, int mode, wxWindow* parent);

    // The selected entry placed at the drop point; null when nothing was
    // placed. In modes 1 to 3 a placing ends the dialog with OK.
    C3DObject* PlaceSelectedModel(const LibraryDropPoint& drop);
    C3DObject* GetLastPlacedObject() const { return m_lastPlaced; }
    // Door mode: the placed model is a door.
    bool GetDoorFlag() const { return m_doorFlag; }
    CModelPreviewPanel* GetPreview() const { return m_pPreview; }

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
    void OnDoubleClick() override;
    void BeforeTreeRebuilt() override;
    void AfterControlsBuilt(wxSizer& sideColumn) override;
    void SelectInitialEntry() override;

private:
    void OnTurn(wxCommandEvent& event);

    CModelPreviewPanel* m_pPreview = nullptr;
    wxCheckBox* m_pTurn = nullptr;
    C3DObject* m_lastPlaced = nullptr;
    bool m_doorFlag = false;
};
