#pragma once

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/treectrl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/LibraryBrowserPage.h"
#include "library/LibraryBrowserTree.h"
#include "library/ui/ObjectRecordDlg.h"
#include "objects/CatalogDatabase.h"

class CModelDatabase;

class CHousDoc;
class CLibraryCatalog;
class CThumbnailCell;
class wxButton;
class wxCheckBox;
class wxListBox;
class wxSlider;
class wxStaticText;
class wxPanel;

// What a browser shows of one entry of its library.
struct BrowserEntryView {
    std::string name;
    std::string filePath;
    // The entry's .bmp file image; null or empty when it holds none.
    const std::vector<uint8_t>* thumbnail = nullptr;
    BrowserEntryFacts facts;
    std::string webLink;
    int rate = 0;
};

// The design the three library browsers share: the category tree on the
// left, six thumbnails a page with paging, the counter, the information
// list, the favourite-rate strip and the web page, data editing and refresh
// buttons. What a choice does is the library's own (the subclasses).
class CLibraryBrowserDlg : public wxDialog {
public:
    static constexpr int kTreeId = 1185;
    static constexpr int kPlacingCursor = 593;
    static constexpr int kFirstCellId = 1145;
    static constexpr int kFirstNameId = 1151;
    static constexpr int kCounterId = 1157;
    static constexpr int kInfoListId = 1158;
    static constexpr int kSliderId = 1159;
    static constexpr int kPreviewId = 1160;
    static constexpr int kRateId = 1178;
    static constexpr int kPreviousPageId = 1016;
    static constexpr int kNextPageId = 1017;
    static constexpr int kAddId = 1018;
    static constexpr int kRefreshId = 1012;
    static constexpr int kEditRecordId = 1019;
    static constexpr int kExitId = 1;
    static constexpr int kWebLinkId = 1499;
    static constexpr int kKeepSizeId = 1443;
    static constexpr int kTurnId = 1506;
    static constexpr int kReloadFromFileCommand = 62040;

    ~CLibraryBrowserDlg() override;

    CHousDoc& GetDocument() const { return m_doc; }
    int GetMode() const { return m_mode; }
    BrowserLibrary GetLibrary() const { return m_library; }
    const CLibraryBrowserPage& GetPage() const { return m_page; }
    const BrowserFolderTree& GetFolderTree() const { return m_folders; }
    std::string GetRootFolder() const;
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    // The program cursor number a pending drag shows; 0 without a drag.
    int GetDragCursorShown() const { return m_dragCursor; }
    // The list index of the selected entry; nothing on an empty cell.
    std::optional<int> GetSelectedIndex() const { return m_page.GetSelectedIndex(); }
    bool IsKeepSizeChecked() const;

    // Rebuilds the category tree from the root folder; the list empties and
    // the catalogue's cached listings go.
    void BuildCategoryTree();
    // The folder's entries from the first page.
    void LoadCategory(const std::string& folder);
    // Selects the tree folder at the index, marks it bold and shows its
    // category with the entry of the path (compared ignoring case) selected.
    bool ShowFolderEntry(const BrowserFolderIndex& index, const std::string& filePath);
    // Walks the tree by the folders between the root and the file (names
    // compared ignoring case) and shows its entry; false, with nothing
    // selected, when a folder or the entry is missing.
    bool ShowEntryOfFile(const std::string& filePath);
    void LoadPage();
    void RefreshInformation();

    // Ends the dialog: a modal one with OK, a modeless one is hidden and kept.
    void CloseBrowser();

protected:
    CLibraryBrowserDlg(CHousDoc& doc, int mode, wxWindow* parent, BrowserLibrary library,
                       const wxString& title);

    // Builds the controls and the tree; the subclass calls it once its own
    // state is set, since it asks the subclass's hooks.
    void Initialise();

    template <typename Entry>
    Entry* EntryAt(int index) const {
        if (index < 0 || index >= GetEntryCount()) {
            return nullptr;
        }
        return static_cast<Entry*>(m_entries[index].get());
    }
    template <typename Entry>
    Entry* SelectedEntry() const {
        const std::optional<int> index = GetSelectedIndex();
        return index ? EntryAt<Entry>(*index) : nullptr;
    }

    wxButton* GetAddButton() const { return m_pAdd; }
    wxTreeCtrl* GetTree() const { return m_pTree; }
    int GetCatalogOpenResult() const;
    void SetCatalogRate(const std::string& rowKey, int rate);
    // A connection of its own to the program folder's catalogue, for reading
    // an entry again; null when it cannot be opened.
    std::unique_ptr<CModelDatabase> OpenCatalogue() const;
    std::string GetProgramFolder() const;
    // The entry's new rate, in its catalogue row (keyed as rowKey makes the
    // key of its path) and in the entry.
    template <typename Entry>
    void StoreEntryRate(int index, int rate, std::string (*rowKey)(std::string_view)) {
        Entry* entry = EntryAt<Entry>(index);
        SetCatalogRate(rowKey(entry->filePath), rate);
        entry->rate = rate;
    }
    // The record dialog on the entry; true when it was confirmed.
    template <typename Entry>
    bool EditEntryInRecordDialog(int index) {
        CObjectRecordDlg dialog(GetProgramFolder(), *EntryAt<Entry>(index), this);
        return dialog.ShowModal() == wxID_OK;
    }

    // ---- What each library does
    virtual BrowserEntryView DescribeEntry(int index) const = 0;
    // Before the information lines: the furniture browser previews the
    // entry, and the furniture and photo browsers tell the views its size.
    virtual void PrepareSelectedEntry(int /*index*/) {}
    virtual void NoEntrySelected() {}
    // Stores the new rate of the entry under its catalogue row key.
    virtual void WriteEntryRate(int index, int rate) = 0;
    // "資料編輯": the record dialog on the entry; true after OK.
    virtual bool EditEntryRecord(int index) = 0;
    // "載入原始資料".
    virtual void ReloadEntryFromFile(int index) = 0;
    virtual void OnAddButton() {}
    // A press on the filled cell of the selected entry; true when a drag
    // started.
    virtual bool StartDrag(int index, bool ctrl) = 0;
    // The cursor a drag shows wherever the pointer goes: 593 for a model or
    // a picture.
    virtual int GetDragCursor(bool /*ctrl*/) const { return kPlacingCursor; }
    // A press that hit no filled cell.
    virtual void PressedOutsideEntries() {}
    virtual bool IsDragPending() const = 0;
    virtual void EndDrag() = 0;
    virtual void OnDoubleClick() {}
    // A category was shown or a cell clicked (the texture browser keeps
    // the selected entry's path).
    virtual void EntryClicked() {}
    virtual void BeforeTreeRebuilt() {}
    virtual void AfterControlsBuilt(wxSizer& /*sideColumn*/) {}
    // Replace mode and presets: what the tree selects at start.
    virtual void SelectInitialEntry() {}

private:
    void BuildControls();
    wxImage LoadThumbnail(const BrowserEntryView& view) const;
    void ShowRate(int rate);
    void OnRatePaint(wxPaintEvent& event);
    void AddFolderItems(const wxTreeItemId& parent, const BrowserFolderTree& folders);
    wxTreeItemId TreeItemAt(const BrowserFolderIndex& index) const;
    void UpdateCellFrames();

    void OnTreeSelectionChanged(wxTreeEvent& event);
    void OnTreeItemExpanded(wxTreeEvent& event);
    void OnCellLeftDown(wxMouseEvent& event);
    void OnCellLeftUp(wxMouseEvent& event);
    void OnCellMotion(wxMouseEvent& event);
    void OnCellDoubleClick(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnRightUp(wxMouseEvent& event);
    void OnRateLeftDown(wxMouseEvent& event);
    void OnPreviousPage(wxCommandEvent& event);
    void OnNextPage(wxCommandEvent& event);
    void OnSlider(wxCommandEvent& event);
    void OnAdd(wxCommandEvent& event);
    void OnRefresh(wxCommandEvent& event);
    void OnEditRecord(wxCommandEvent& event);
    void OnWebLink(wxCommandEvent& event);
    void OnReloadFromFile(wxCommandEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    // The drag ends over the window under the pointer.
    void DropAt(const wxPoint& screenPoint);
    // The drag's cursor as the view under the pointer asks, or the
    // browser's own; 0 ends it.
    void ShowDragCursor(int cursor);

    CHousDoc& m_doc;
    int m_mode;
    BrowserLibrary m_library;
    std::unique_ptr<CLibraryCatalog> m_catalog;
    CatalogEntryList m_entries;
    CLibraryBrowserPage m_page;
    BrowserFolderTree m_folders;
    bool m_clearingTree = false;
    std::string m_webLink;

    wxTreeCtrl* m_pTree = nullptr;
    std::array<CThumbnailCell*, CLibraryBrowserPage::kCellCount> m_cells{};
    std::array<wxStaticText*, CLibraryBrowserPage::kCellCount> m_names{};
    wxStaticText* m_pCounter = nullptr;
    wxListBox* m_pInfo = nullptr;
    wxSlider* m_pSlider = nullptr;
    wxPanel* m_pRate = nullptr;
    wxBitmap m_rateBitmap;
    wxButton* m_pPrevious = nullptr;
    wxButton* m_pNext = nullptr;
    wxButton* m_pAdd = nullptr;
    wxButton* m_pEditRecord = nullptr;
    wxButton* m_pExit = nullptr;
    wxButton* m_pWebLink = nullptr;
    wxCheckBox* m_pKeepSize = nullptr;
    // The cell window holding the pointer while a drag is pending, whether
    // Ctrl was held when it started, and the cursor it shows.
    wxWindow* m_pDragSource = nullptr;
    bool m_dragCtrl = false;
    int m_dragCursor = 0;
};
