#include "library/ui/LibraryBrowserDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcbuffer.h>
#include <wx/display.h>
#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/mstream.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>

#include <algorithm>
#include <utility>

#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "foundation/FolderOperations.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "library/ModelDatabase.h"
#include "library/ui/DocumentViewAtPoint.h"
#include "library/ui/RateBitmaps.h"
#include "library/ui/ThumbnailCell.h"
#include "objects/LibraryCatalog.h"
#include "platform/desktop/ProgramCursors.h"
#include "platform/desktop/WebLink.h"

namespace {

constexpr const char* kRateTip = "注意:喜好設定越高,排列順序越前面";
constexpr const char* kNoPictureFile = "NoPic.bmp";
constexpr int kScreenTopGap = 20;

int CatalogKindOf(BrowserLibrary library) {
    switch (library) {
        case BrowserLibrary::Furniture:
            return kCatalogKindModels;
        case BrowserLibrary::Texture:
            return kCatalogKindTextures;
        case BrowserLibrary::Photo:
            return kCatalogKindPictures;
    }
    return kCatalogKindNone;
}

// The folder path each tree item stands for.
class FolderItemData : public wxTreeItemData {
public:
    explicit FolderItemData(std::string path) : m_path(std::move(path)) {}
    const std::string& GetPath() const { return m_path; }

private:
    std::string m_path;
};

wxImage ImageFromBmpBytes(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) {
        return {};
    }
    wxLogNull quiet;
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    wxImage image;
    if (!image.LoadFile(stream, wxBITMAP_TYPE_BMP)) {
        return {};
    }
    return image;
}

}  // namespace

CLibraryBrowserDlg::CLibraryBrowserDlg(CHousDoc& doc, int mode, wxWindow* parent,
                                       BrowserLibrary library, const wxString& title)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_doc(doc),
      m_mode(mode),
      m_library(library),
      m_catalog(std::make_unique<CLibraryCatalog>(std::make_unique<CModelDatabase>(),
                                                  doc.GetProgramFolder())) {
    m_catalog->SetKind(CatalogKindOf(library));
}

CLibraryBrowserDlg::~CLibraryBrowserDlg() {
    if (m_pDragSource != nullptr && m_pDragSource->HasCapture()) {
        m_pDragSource->ReleaseMouse();
    }
    m_clearingTree = true;
}

void CLibraryBrowserDlg::Initialise() {
    BuildControls();
    // Its top 20 pixels below the screen's top, its right edge on the
    // screen's right edge.
    const wxRect screen = wxDisplay(0u).GetClientArea();
    Move(screen.GetRight() + 1 - GetSize().x, screen.GetTop() + kScreenTopGap);
    BuildCategoryTree();
    if (m_mode == kBrowserModeReplace && m_library != BrowserLibrary::Texture) {
        m_pAdd->SetLabel(wxString::FromUTF8("置換"));
        m_pAdd->Disable();
        if (m_pKeepSize != nullptr) {
            m_pKeepSize->Enable();
            m_pKeepSize->SetValue(true);
        }
    } else if (m_pKeepSize != nullptr) {
        m_pKeepSize->Disable();
    }
    SelectInitialEntry();
    RefreshInformation();
    if (m_catalog->GetOpenResult() != 1) {
        m_pEditRecord->Disable();
    }
}

void CLibraryBrowserDlg::BuildControls() {
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    m_pTree = new wxTreeCtrl(this, kTreeId, wxDefaultPosition, wxSize(200, 420),
                             wxTR_DEFAULT_STYLE | wxTR_HIDE_ROOT | wxTR_SINGLE);
    top->Add(m_pTree, 0, wxEXPAND | wxALL, 5);

    auto* middle = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxGridSizer(2, 3, 4, 4);
    for (int i = 0; i < CLibraryBrowserPage::kCellCount; ++i) {
        auto* cellColumn = new wxBoxSizer(wxVERTICAL);
        m_cells[i] = new CThumbnailCell(this, kFirstCellId + i);
        m_names[i] =
            new wxStaticText(this, kFirstNameId + i, wxString(), wxDefaultPosition,
                             wxSize(CThumbnailCell::kCellWidth, -1),
                             wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
        cellColumn->Add(m_cells[i], 0, wxALIGN_CENTRE_HORIZONTAL);
        cellColumn->Add(m_names[i], 0, wxEXPAND | wxTOP, 2);
        grid->Add(cellColumn);
        m_cells[i]->Bind(wxEVT_LEFT_DOWN, &CLibraryBrowserDlg::OnCellLeftDown, this);
        m_cells[i]->Bind(wxEVT_LEFT_UP, &CLibraryBrowserDlg::OnCellLeftUp, this);
        m_cells[i]->Bind(wxEVT_MOTION, &CLibraryBrowserDlg::OnCellMotion, this);
        m_cells[i]->Bind(wxEVT_LEFT_DCLICK, &CLibraryBrowserDlg::OnCellDoubleClick, this);
        m_cells[i]->Bind(wxEVT_MOUSE_CAPTURE_LOST, &CLibraryBrowserDlg::OnCaptureLost, this);
        m_cells[i]->Bind(wxEVT_RIGHT_UP, &CLibraryBrowserDlg::OnRightUp, this);
    }
    middle->Add(grid, 0, wxALL, 5);

    auto* paging = new wxBoxSizer(wxHORIZONTAL);
    m_pPrevious = new wxButton(this, kPreviousPageId, wxString::FromUTF8("上一頁"));
    m_pCounter = new wxStaticText(this, kCounterId, "[0/0]", wxDefaultPosition, wxSize(110, -1),
                                  wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
    m_pNext = new wxButton(this, kNextPageId, wxString::FromUTF8("下一頁"));
    paging->Add(m_pPrevious, 0, wxALIGN_CENTRE_VERTICAL);
    paging->Add(m_pCounter, 1, wxALIGN_CENTRE_VERTICAL | wxLEFT | wxRIGHT, 5);
    paging->Add(m_pNext, 0, wxALIGN_CENTRE_VERTICAL);
    middle->Add(paging, 0, wxEXPAND | wxLEFT | wxRIGHT, 5);
    m_pSlider = new wxSlider(this, kSliderId, 0, 0, 1);
    middle->Add(m_pSlider, 0, wxEXPAND | wxALL, 5);
    top->Add(middle, 0, wxEXPAND);

    auto* side = new wxBoxSizer(wxVERTICAL);
    AfterControlsBuilt(*side);
    m_pInfo = new wxListBox(this, kInfoListId, wxDefaultPosition, wxSize(220, 120));
    side->Add(m_pInfo, 0, wxEXPAND | wxALL, 5);
    m_pRate = new wxPanel(this, kRateId, wxDefaultPosition,
                          wxSize(kRateStripWidth, kRateStripHeight), wxBORDER_NONE);
    m_pRate->SetMinSize(wxSize(kRateStripWidth, kRateStripHeight));
    m_pRate->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_pRate->SetToolTip(wxString::FromUTF8(kRateTip));
    m_pRate->Bind(wxEVT_PAINT, &CLibraryBrowserDlg::OnRatePaint, this);
    m_pRate->Bind(wxEVT_LEFT_DOWN, &CLibraryBrowserDlg::OnRateLeftDown, this);
    side->Add(m_pRate, 0, wxALL, 5);
    if (m_library != BrowserLibrary::Texture) {
        m_pKeepSize = new wxCheckBox(this, kKeepSizeId, wxString::FromUTF8("置換後大小不變"));
        side->Add(m_pKeepSize, 0, wxALL, 5);
    }

    auto* buttons = new wxGridSizer(3, 2, 4, 4);
    m_pAdd = new wxButton(this, kAddId, wxString::FromUTF8("新增"));
    m_pWebLink = new wxButton(this, kWebLinkId, wxString::FromUTF8("連接網頁"));
    m_pEditRecord = new wxButton(this, kEditRecordId, wxString::FromUTF8("資料編輯"));
    auto* refresh = new wxButton(this, kRefreshId, wxString::FromUTF8("重新整理"));
    const bool picks = m_library == BrowserLibrary::Texture && m_mode != kBrowserModeAdd;
    m_pExit = new wxButton(this, kExitId, wxString::FromUTF8(picks ? "確定" : "離開"));
    for (wxButton* button : {m_pAdd, m_pWebLink, m_pEditRecord, refresh, m_pExit}) {
        buttons->Add(button, 0, wxEXPAND);
    }
    side->Add(buttons, 0, wxEXPAND | wxALL, 5);
    top->Add(side, 0, wxEXPAND);
    SetSizerAndFit(top);

    m_pTree->Bind(wxEVT_TREE_SEL_CHANGED, &CLibraryBrowserDlg::OnTreeSelectionChanged, this);
    m_pTree->Bind(wxEVT_TREE_ITEM_EXPANDED, &CLibraryBrowserDlg::OnTreeItemExpanded, this);
    Bind(wxEVT_BUTTON, &CLibraryBrowserDlg::OnPreviousPage, this, kPreviousPageId);
    Bind(wxEVT_BUTTON, &CLibraryBrowserDlg::OnNextPage, this, kNextPageId);
    Bind(wxEVT_BUTTON, &CLibraryBrowserDlg::OnAdd, this, kAddId);
    Bind(wxEVT_BUTTON, &CLibraryBrowserDlg::OnRefresh, this, kRefreshId);
    Bind(wxEVT_BUTTON, &CLibraryBrowserDlg::OnEditRecord, this, kEditRecordId);
    Bind(wxEVT_BUTTON, &CLibraryBrowserDlg::OnWebLink, this, kWebLinkId);
    Bind(wxEVT_BUTTON, &CLibraryBrowserDlg::OnExit, this, kExitId);
    Bind(wxEVT_SLIDER, &CLibraryBrowserDlg::OnSlider, this, kSliderId);
    Bind(wxEVT_MENU, &CLibraryBrowserDlg::OnReloadFromFile, this, kReloadFromFileCommand);
    Bind(wxEVT_RIGHT_UP, &CLibraryBrowserDlg::OnRightUp, this);
    Bind(wxEVT_CLOSE_WINDOW, &CLibraryBrowserDlg::OnClose, this);
}

std::string CLibraryBrowserDlg::GetRootFolder() const {
    return GetBrowserRootFolder(m_library, m_mode, m_doc.GetModelFolder(),
                                m_doc.GetProgramFolder());
}

bool CLibraryBrowserDlg::IsKeepSizeChecked() const {
    return m_pKeepSize != nullptr && m_pKeepSize->IsEnabled() && m_pKeepSize->GetValue();
}

int CLibraryBrowserDlg::GetCatalogOpenResult() const {
    return m_catalog->GetOpenResult();
}

void CLibraryBrowserDlg::SetCatalogRate(const std::string& rowKey, int rate) {
    m_catalog->SetRate(rowKey, rate);
}

std::string CLibraryBrowserDlg::GetProgramFolder() const {
    return m_doc.GetProgramFolder();
}

std::unique_ptr<CModelDatabase> CLibraryBrowserDlg::OpenCatalogue() const {
    auto database = std::make_unique<CModelDatabase>();
    if (database->Open(CLibraryCatalog::GetCatalogFilePath(GetProgramFolder())) != 1) {
        return nullptr;
    }
    return database;
}

// ---- Tree

void CLibraryBrowserDlg::BuildCategoryTree() {
    const std::string root = GetRootFolder();
    CreateFolderPath(root);
    BeforeTreeRebuilt();
    m_clearingTree = true;
    m_pTree->DeleteAllItems();
    m_folders = ListCategoryFolders(
        root, m_library == BrowserLibrary::Furniture && m_mode == kBrowserModeDoorWindow);
    const wxTreeItemId hiddenRoot = m_pTree->AddRoot(wxString());
    AddFolderItems(hiddenRoot, m_folders);
    m_clearingTree = false;

    m_entries.clear();
    m_catalog->RemoveAllFolders();
    m_page.LoadCategory(0);
    LoadPage();
    m_pAdd->Enable(!m_entries.empty());
}

void CLibraryBrowserDlg::AddFolderItems(const wxTreeItemId& parent,
                                        const BrowserFolderTree& folders) {
    for (const BrowserFolder& folder : folders) {
        const wxTreeItemId item = m_pTree->AppendItem(parent, wxString::FromUTF8(folder.name), -1,
                                                      -1, new FolderItemData(folder.path));
        AddFolderItems(item, folder.children);
    }
}

wxTreeItemId CLibraryBrowserDlg::TreeItemAt(const BrowserFolderIndex& index) const {
    wxTreeItemId item = m_pTree->GetRootItem();
    for (int position : index) {
        wxTreeItemIdValue cookie;
        wxTreeItemId child = m_pTree->GetFirstChild(item, cookie);
        for (int i = 0; i < position && child.IsOk(); ++i) {
            child = m_pTree->GetNextChild(item, cookie);
        }
        if (!child.IsOk()) {
            return {};
        }
        item = child;
    }
    return item;
}

bool CLibraryBrowserDlg::ShowFolderEntry(const BrowserFolderIndex& index,
                                         const std::string& filePath) {
    const BrowserFolder* folder = GetFolderAt(m_folders, index);
    const wxTreeItemId item = TreeItemAt(index);
    if (folder == nullptr || !item.IsOk()) {
        return false;
    }
    m_clearingTree = true;
    m_pTree->SelectItem(item);
    m_clearingTree = false;
    m_pTree->SetItemBold(item, true);
    m_pTree->EnsureVisible(item);
    LoadCategory(folder->path);
    for (int i = 0; i < GetEntryCount(); ++i) {
        if (PathsEqualIgnoringCase(DescribeEntry(i).filePath, filePath)) {
            m_page.ShowIndex(i);
            LoadPage();
            m_pAdd->Enable();
            EntryClicked();
            return true;
        }
    }
    return false;
}

bool CLibraryBrowserDlg::ShowEntryOfFile(const std::string& filePath) {
    const std::optional<BrowserFolderIndex> folder =
        FindObjectFolder(m_folders, GetRootFolder(), filePath);
    return folder && ShowFolderEntry(*folder, filePath);
}

void CLibraryBrowserDlg::OnTreeSelectionChanged(wxTreeEvent& event) {
    if (m_clearingTree || !IsShown()) {
        return;
    }
    const auto* data = dynamic_cast<FolderItemData*>(m_pTree->GetItemData(event.GetItem()));
    if (data == nullptr) {
        return;
    }
    LoadCategory(data->GetPath());
    m_pAdd->Enable(!m_entries.empty());
    EntryClicked();
}

void CLibraryBrowserDlg::OnTreeItemExpanded(wxTreeEvent& event) {
    m_pTree->SelectItem(event.GetItem());
}

// ---- Pages

void CLibraryBrowserDlg::LoadCategory(const std::string& folder) {
    m_entries.clear();
    m_catalog->GetFolderEntries(folder, m_entries);
    m_page.LoadCategory(GetEntryCount());
    LoadPage();
}

wxImage CLibraryBrowserDlg::LoadThumbnail(const BrowserEntryView& view) const {
    if (view.thumbnail != nullptr && !view.thumbnail->empty()) {
        wxImage image = ImageFromBmpBytes(*view.thumbnail);
        if (image.IsOk()) {
            return image;
        }
    }
    wxLogNull quiet;
    wxImage placeholder;
    placeholder.LoadFile(wxString::FromUTF8(MakeFilePath(m_doc.GetProgramFolder(), kNoPictureFile)),
                         wxBITMAP_TYPE_BMP);
    return placeholder;
}

void CLibraryBrowserDlg::LoadPage() {
    for (int slot = 0; slot < CLibraryBrowserPage::kCellCount; ++slot) {
        const int index = m_page.GetPageStart() + slot;
        if (index < GetEntryCount()) {
            const BrowserEntryView view = DescribeEntry(index);
            m_cells[slot]->SetPicture(LoadThumbnail(view));
            m_names[slot]->SetLabel(wxString::FromUTF8(view.name));
        } else {
            m_cells[slot]->ClearPicture();
            m_names[slot]->SetLabel(wxString());
        }
    }
    RefreshInformation();
    Refresh();
}

void CLibraryBrowserDlg::UpdateCellFrames() {
    const bool filled = m_page.GetPageCount() > 0;
    for (int slot = 0; slot < CLibraryBrowserPage::kCellCount; ++slot) {
        m_cells[slot]->SetSelected(filled && slot == m_page.GetSelectedSlot());
    }
}

void CLibraryBrowserDlg::RefreshInformation() {
    m_pPrevious->Enable(m_page.CanGoBack());
    m_pNext->Enable(m_page.CanGoForward());
    m_pSlider->Show(m_page.IsSliderShown());
    m_pSlider->SetRange(0, std::max(m_page.GetSliderMaximum(), 1));
    m_pSlider->SetValue(m_page.GetSliderPosition());
    m_page.FallBackToFilledSlot();
    m_pCounter->SetLabel(m_page.GetCounterText());
    m_pInfo->Clear();

    const std::optional<int> index = m_page.GetSelectedIndex();
    if (!index) {
        NoEntrySelected();
        ShowRate(-1);
        m_webLink.clear();
        m_pWebLink->Disable();
        m_pWebLink->UnsetToolTip();
        UpdateCellFrames();
        return;
    }
    PrepareSelectedEntry(*index);
    const BrowserEntryView view = DescribeEntry(*index);
    for (const std::string& line : GetBrowserInfoLines(view.facts)) {
        m_pInfo->Append(wxString::FromUTF8(line));
    }
    ShowRate(view.rate);
    m_webLink = view.webLink;
    m_pWebLink->Enable(!m_webLink.empty());
    if (m_webLink.empty()) {
        m_pWebLink->UnsetToolTip();
    } else {
        m_pWebLink->SetToolTip(wxString::FromUTF8(m_webLink));
    }
    UpdateCellFrames();
}

void CLibraryBrowserDlg::ShowRate(int rate) {
    m_rateBitmap = rate >= 0 && rate <= kHighestRate ? MakeRateBitmap(rate) : wxBitmap();
    m_pRate->Refresh();
}

void CLibraryBrowserDlg::OnRatePaint(wxPaintEvent& /*event*/) {
    wxAutoBufferedPaintDC dc(m_pRate);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    if (m_rateBitmap.IsOk()) {
        dc.DrawBitmap(m_rateBitmap, 0, 0);
    }
}

void CLibraryBrowserDlg::OnPreviousPage(wxCommandEvent& /*event*/) {
    m_page.PreviousPage();
    LoadPage();
}

void CLibraryBrowserDlg::OnNextPage(wxCommandEvent& /*event*/) {
    m_page.NextPage();
    LoadPage();
}

void CLibraryBrowserDlg::OnSlider(wxCommandEvent& event) {
    m_page.SetSliderPosition(event.GetInt());
    LoadPage();
}

// ---- Mouse

void CLibraryBrowserDlg::OnCellLeftDown(wxMouseEvent& event) {
    auto* cell = static_cast<wxWindow*>(event.GetEventObject());
    const int slot = cell->GetId() - kFirstCellId;
    // A cell without an entry is no choice and starts no drag.
    if (!m_page.SelectSlot(slot)) {
        PressedOutsideEntries();
        return;
    }
    RefreshInformation();
    EntryClicked();
    const std::optional<int> index = m_page.GetSelectedIndex();
    if (index && StartDrag(*index, event.ControlDown())) {
        m_pDragSource = cell;
        m_dragCtrl = event.ControlDown();
        ShowDragCursor(GetDragCursor(m_dragCtrl));
        if (!cell->HasCapture()) {
            cell->CaptureMouse();
        }
    }
}

void CLibraryBrowserDlg::OnCellLeftUp(wxMouseEvent& event) {
    auto* cell = static_cast<wxWindow*>(event.GetEventObject());
    if (m_pDragSource != cell) {
        event.Skip();
        return;
    }
    if (cell->HasCapture()) {
        cell->ReleaseMouse();
    }
    ShowDragCursor(0);
    m_pDragSource = nullptr;
    if (IsDragPending()) {
        DropAt(cell->ClientToScreen(event.GetPosition()));
    }
    EndDrag();
}

void CLibraryBrowserDlg::DropAt(const wxPoint& screenPoint) {
    wxPoint client;
    if (IDocumentView* view = FindDocumentViewAt(screenPoint, &client)) {
        view->DropLibraryEntry(client.x, client.y);
    }
}

void CLibraryBrowserDlg::OnCellMotion(wxMouseEvent& event) {
    // A release that never reached the browser ends the drag here.
    if (!event.LeftIsDown() && m_pDragSource == nullptr && IsDragPending()) {
        EndDrag();
    }
    // The cell holds the pointer, so the view under it never sees the move:
    // the view is asked what a drop there would do, and the cell shows it.
    auto* cell = static_cast<wxWindow*>(event.GetEventObject());
    if (cell == m_pDragSource && event.LeftIsDown() && IsDragPending()) {
        wxPoint client;
        IDocumentView* view =
            FindDocumentViewAt(cell->ClientToScreen(event.GetPosition()), &client);
        const int asked = view != nullptr ? view->GetLibraryDragCursor(client.x, client.y) : 0;
        ShowDragCursor(asked != 0 ? asked : GetDragCursor(m_dragCtrl));
    }
    event.Skip();
}

void CLibraryBrowserDlg::ShowDragCursor(int cursor) {
    if (m_pDragSource == nullptr || cursor == m_dragCursor) {
        return;
    }
    m_dragCursor = cursor;
    m_pDragSource->SetCursor(cursor != 0 ? GetProgramCursor(cursor) : wxNullCursor);
}

void CLibraryBrowserDlg::OnCaptureLost(wxMouseCaptureLostEvent& /*event*/) {
    ShowDragCursor(0);
    m_pDragSource = nullptr;
    EndDrag();
}

void CLibraryBrowserDlg::OnCellDoubleClick(wxMouseEvent& /*event*/) {
    OnDoubleClick();
}

void CLibraryBrowserDlg::OnRateLeftDown(wxMouseEvent& event) {
    const std::optional<int> index = m_page.GetSelectedIndex();
    if (m_catalog->GetOpenResult() != 1 || !index) {
        return;
    }
    const std::optional<int> rate = RateFromStripClick({0, 0, kRateStripWidth, kRateStripHeight},
                                                       event.GetX(), DescribeEntry(*index).rate);
    if (rate) {
        WriteEntryRate(*index, *rate);
    }
    RefreshInformation();
}

void CLibraryBrowserDlg::OnRightUp(wxMouseEvent& event) {
    if (m_page.GetPageCount() == 0) {
        return;
    }
    auto* source = static_cast<wxWindow*>(event.GetEventObject());
    wxMenu properties;
    properties.Append(kReloadFromFileCommand, wxString::FromUTF8("載入原始資料"));
    PopupMenu(&properties, ScreenToClient(source->ClientToScreen(event.GetPosition())));
}

// ---- Buttons

void CLibraryBrowserDlg::OnAdd(wxCommandEvent& /*event*/) {
    OnAddButton();
}

void CLibraryBrowserDlg::OnRefresh(wxCommandEvent& /*event*/) {
    BuildCategoryTree();
}

void CLibraryBrowserDlg::OnEditRecord(wxCommandEvent& /*event*/) {
    const std::optional<int> index = m_page.GetSelectedIndex();
    if (!index) {
        return;
    }
    if (EditEntryRecord(*index)) {
        RefreshInformation();
    }
    LoadPage();
}

void CLibraryBrowserDlg::OnWebLink(wxCommandEvent& /*event*/) {
    if (!desktop::OpenWebLink(m_webLink)) {
        ShowMessage("無法開啟網站!");
    }
}

void CLibraryBrowserDlg::OnReloadFromFile(wxCommandEvent& /*event*/) {
    const std::optional<int> index = m_page.GetSelectedIndex();
    if (!index) {
        return;
    }
    if (ShowMessage("資料載入後, 您原本編輯的資訊將會消失, 請問是否繼續?", PromptButtons::YesNo,
                    PromptIcon::Question) != PromptAnswer::Yes) {
        return;
    }
    ReloadEntryFromFile(*index);
    LoadPage();
}

void CLibraryBrowserDlg::CloseBrowser() {
    if (m_pDragSource != nullptr && m_pDragSource->HasCapture()) {
        m_pDragSource->ReleaseMouse();
    }
    ShowDragCursor(0);
    m_pDragSource = nullptr;
    EndDrag();
    if (IsModal()) {
        EndModal(wxID_OK);
    } else {
        Hide();
    }
}

void CLibraryBrowserDlg::OnExit(wxCommandEvent& /*event*/) {
    CloseBrowser();
}

void CLibraryBrowserDlg::OnClose(wxCloseEvent& /*event*/) {
    CloseBrowser();
}
