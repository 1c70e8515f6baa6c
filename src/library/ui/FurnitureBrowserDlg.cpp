#include "library/ui/FurnitureBrowserDlg.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>

#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "library/LibraryDrag.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "library/PreviewTurnSetting.h"
#include "library/placing/LibraryPlacing.h"
#include "library/ui/ModelPreviewPanel.h"
#include "objects/3DObject.h"
#include "objects/CatalogDatabase.h"
#include "objects/ModelObject.h"

namespace {

// HARDWARE 64: hardware vertex processing, which the turntable needs.
constexpr int32_t kHardwareVertexProcessing = 64;

}  // namespace

CFurnitureBrowserDlg::CFurnitureBrowserDlg(CHousDoc& doc, int mode, wxWindow* parent)
    : CLibraryBrowserDlg(doc, mode, parent, BrowserLibrary::Furniture,
                         wxString::FromUTF8("新增傢俱")) {
    Initialise();
    const bool hardware = doc.Settings().hardware == kHardwareVertexProcessing;
    m_pTurn->Enable(hardware);
    m_pTurn->SetValue(hardware && doc.Settings().previewTurn != 0);
    m_pPreview->SetTurning(m_pTurn->GetValue());
}

void CFurnitureBrowserDlg::AfterControlsBuilt(wxSizer& sideColumn) {
    m_pPreview = new CModelPreviewPanel(this, kPreviewId);
    sideColumn.Add(m_pPreview, 0, wxALL, 5);
    m_pTurn = new wxCheckBox(this, kTurnId, wxString::FromUTF8("旋轉"));
    sideColumn.Add(m_pTurn, 0, wxLEFT | wxRIGHT, 5);
    Bind(wxEVT_CHECKBOX, &CFurnitureBrowserDlg::OnTurn, this, kTurnId);
}

BrowserEntryView CFurnitureBrowserDlg::DescribeEntry(int index) const {
    const ModelCatalogEntry* entry = EntryAt<ModelCatalogEntry>(index);
    BrowserEntryView view;
    view.name = entry->name;
    view.filePath = entry->filePath;
    view.rate = entry->rate;
    if (entry->package) {
        view.thumbnail = &entry->package->GetPreview();
        view.webLink = entry->package->GetWebLink();
    }
    view.facts = {entry->serialNumber, entry->vendor, entry->price,
                  entry->width,        entry->height, entry->depth};
    return view;
}

void CFurnitureBrowserDlg::PrepareSelectedEntry(int index) {
    ModelCatalogEntry* entry = EntryAt<ModelCatalogEntry>(index);
    m_pPreview->ShowModel(entry->filePath);
    // Without a stored size the entry takes its mesh's, in memory only.
    if (entry->width == 0.0f && entry->depth == 0.0f && entry->height == 0.0f) {
        if (const std::optional<std::array<float, 3>> size = m_pPreview->GetModelSize()) {
            entry->width = (*size)[0];
            entry->depth = (*size)[1];
            entry->height = (*size)[2];
        }
    }
    StoreSelectedEntrySize(GetDocument().GetPlacement(), entry->depth, entry->height, entry->width,
                           entry->filePath);
}

void CFurnitureBrowserDlg::WriteEntryRate(int index, int rate) {
    StoreEntryRate<ModelCatalogEntry>(index, rate, &CModelDatabase::GetModelRowKey);
}

bool CFurnitureBrowserDlg::EditEntryRecord(int index) {
    return EditEntryInRecordDialog<ModelCatalogEntry>(index);
}

void CFurnitureBrowserDlg::ReloadEntryFromFile(int index) {
    if (const std::unique_ptr<CModelDatabase> database = OpenCatalogue()) {
        database->ReloadModelEntry(*EntryAt<ModelCatalogEntry>(index));
    }
}

void CFurnitureBrowserDlg::OnAddButton() {
    const CHousDoc& doc = GetDocument();
    if (doc.GetBusy() != 0 && doc.GetEditMode() != EditMode::kDoorWindow) {
        return;
    }
    PlaceSelectedModel(LibraryDropPoint{});
}

void CFurnitureBrowserDlg::OnDoubleClick() {
    if (GetMode() == kBrowserModeReplace) {
        OnAddButton();
    }
}

C3DObject* CFurnitureBrowserDlg::PlaceSelectedModel(const LibraryDropPoint& drop) {
    ModelCatalogEntry* entry = SelectedEntry<ModelCatalogEntry>();
    if (entry == nullptr) {
        return nullptr;
    }
    LibraryPlacingOptions options;
    options.mode = GetMode();
    options.keepSize = IsKeepSizeChecked();
    const ModelPlacingResult result = PlaceModelEntry(GetDocument(), *entry, drop, options);
    if (result.placed == nullptr) {
        return nullptr;
    }
    m_lastPlaced = result.placed;
    m_doorFlag = result.doorFlag;
    if (GetMode() != kBrowserModeAdd && IsModal()) {
        EndModal(wxID_OK);
    }
    return result.placed;
}

bool CFurnitureBrowserDlg::StartDrag(int /*index*/, bool /*ctrl*/) {
    if (!StartPlacementDrag(GetDocument().GetPlacement(), BrowserLibrary::Furniture, GetMode())) {
        return false;
    }
    GetTree()->Disable();
    return true;
}

bool CFurnitureBrowserDlg::IsDragPending() const {
    return IsLibraryDragPending(GetDocument().GetPlacement(), BrowserLibrary::Furniture);
}

void CFurnitureBrowserDlg::EndDrag() {
    EndLibraryDrag(GetDocument().GetPlacement(), BrowserLibrary::Furniture);
    GetTree()->Enable();
}

void CFurnitureBrowserDlg::BeforeTreeRebuilt() {
    if (m_pPreview != nullptr) {
        m_pPreview->ClearModel();
    }
}

void CFurnitureBrowserDlg::SelectInitialEntry() {
    if (GetMode() != kBrowserModeReplace) {
        return;
    }
    const C3DObject* current = GetDocument().GetCurrentFurniture();
    if (current == nullptr) {
        return;
    }
    ShowEntryOfFile(current->GetFilePath());
}

void CFurnitureBrowserDlg::OnTurn(wxCommandEvent& /*event*/) {
    CHousDoc& doc = GetDocument();
    const bool turn = m_pTurn->GetValue();
    doc.Settings().previewTurn = turn ? 1 : 0;
    const std::string settingsPath =
        MakeFilePath(doc.GetProgramFolder(), CHousDoc::kSettingsFileName);
    if (!WritePreviewTurnSetting(settingsPath, turn)) {
        ShowMessage("無法將設定儲存到「" + settingsPath + "」。", PromptButtons::Ok,
                    PromptIcon::Error);
    }
    m_pPreview->SetTurning(turn);
}
