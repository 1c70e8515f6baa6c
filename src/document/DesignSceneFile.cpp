#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/DesignFileView.h"
#include "document/DesignScene.h"
#include "document/DocumentFileSearch.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "document/PlanZoom.h"
#include "document/SettingsKeys.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"

namespace {

// The background name that keeps the current picture.
constexpr std::string_view kDefaultBackground = "Default";
constexpr std::string_view kUpdateWebAddress = "https://velmora.example.org";
constexpr float kTurnStepAfterLoad = 0.5f;

bool RefuseDamagedDesign() {
    ShowMessage("設計案檔案已損壞，無法讀取。", PromptButtons::Ok, PromptIcon::Error);
    return false;
}

bool RefuseNewerDesign() {
    ShowMessage("設計案版本比程式版本還新, 請至Orvik網站(" + std::string(kUpdateWebAddress) +
                    ")更新您的程式.",
                PromptButtons::Ok, PromptIcon::Warning);
    return false;
}

const SettingKey& FindKey(std::string_view section, std::string_view name) {
    for (const SettingKey& key : GetSettingKeys()) {
        if (section == key.section && name == key.key) {
            return key;
        }
    }
    std::abort();
}

// A setting taken from a file is brought into the range the program relies
// on, as if it had been read from the settings file.
void KeepInRange(HousSettings& settings, std::string_view section, std::string_view name) {
    BringIntoRange(FindKey(section, name), settings);
}

// The camera and the object-id counter have nothing to fall back on: a
// header holding anything but numbers there is damaged.
bool HasFiniteCameraAndCounter(const DesignFileHeader& header) {
    const DesignViewState& view = header.view;
    for (float value :
         {view.eye.x, view.eye.y, view.eye.z, view.direction.x, view.direction.y, view.direction.z,
          view.heading, view.pitch, view.stepLength, view.up.x, view.up.y, view.up.z}) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return std::isfinite(header.objectIdCounter);
}

// A grid the engine can be built from, no larger than the largest ground
// LENGTH and WIDTH allow. A header of zeros, or a damaged one, keeps the
// view's grid instead: a step of 0 would divide by zero.
bool IsUsableGrid(const DesignGridRecord& grid) {
    for (float value :
         {grid.length, grid.width, grid.step, grid.red, grid.green, grid.blue, grid.reserved}) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return grid.step > 0.0f && grid.length > 0.0f && grid.width > 0.0f &&
           grid.length <= FindKey("General", "LENGTH").maximum &&
           grid.width <= FindKey("General", "WIDTH").maximum;
}

template <std::size_t N>
bool ReadRecord(CBinaryReader& reader, std::array<uint8_t, N>& bytes) {
    return SUCCEEDED(reader.ReadBytes(bytes.data(), static_cast<int>(N)));
}

}  // namespace

// ---- Writing

DesignFileHeaderBytes CDesignScene::WriteHeader(const IDesignFileView& view) const {
    const HousSettings& settings = m_pDoc->Settings();
    DesignFileHeader header;
    header.view = view.GetViewState();
    header.ambient = {static_cast<uint8_t>(settings.red), static_cast<uint8_t>(settings.green),
                      static_cast<uint8_t>(settings.blue)};
    header.farDistance = settings.farShow3DDistance;
    header.backgroundColor = settings.bgColor;
    header.backgroundFile = settings.bgFileName3D;
    header.backgroundRatio = settings.bgRatio;
    header.objectIdCounter = m_objectIdCounter;
    return EncodeDesignFileHeader(header);
}

PlanStateBlockBytes CDesignScene::WritePlanStateBlock() const {
    const HousSettings& settings = m_pDoc->Settings();
    const IPlanFrame* frame = m_pDoc->Get2DFrame();
    const POINT extent = m_pDoc->GetPlanScrollSize();
    const POINT origin = m_pDoc->GetPlanViewOrigin();
    PlanStateBlock block;
    block.music = settings.music;
    block.rulerShow = settings.rulerShow;
    block.zoomIndex = frame != nullptr ? frame->GetZoomSelection() : -1;
    block.extentX = extent.x;
    block.extentY = extent.y;
    block.originX = origin.x;
    block.originY = origin.y;
    block.length = settings.length;
    block.width = settings.width;
    return EncodePlanStateBlock(block);
}

DocumentBlockBytes CDesignScene::WriteDocumentBlock(const IDesignFileView& view) const {
    DocumentBlock block;
    block.baseDrawing = m_pDoc->GetBaseDrawing();
    block.titleFrameFile = m_pDoc->GetTitleFrameFile();
    block.shadowColor = view.GetShadowColor();
    block.mirrorTolerance = m_mirrorTolerance;
    return EncodeDocumentBlock(block);
}

bool CDesignScene::WriteDesign(CBinaryWriter& writer, const IDesignFileView& view) const {
    if (m_pDoc == nullptr) {
        return false;
    }
    const DesignFileHeaderBytes header = WriteHeader(view);
    const PlanStateBlockBytes planState = WritePlanStateBlock();
    const DocumentBlockBytes document = WriteDocumentBlock(view);
    writer.WriteBytes(header.data(), header.size());
    writer.WriteBytes(planState.data(), planState.size());
    writer.WriteBytes(document.data(), document.size());
    writer.WriteBytes(view.GetViewPointTable().data(), view.GetViewPointTable().size());
    return !writer.HasError();
}

// ---- Reading

bool CDesignScene::ReadDesign(CBinaryReader& reader, IDesignFileView& view, bool apply) {
    if (m_pDoc == nullptr) {
        return false;
    }
    // The whole front is read and checked before anything of the open
    // design changes.
    DesignFileHeaderBytes headerBytes{};
    if (!ReadRecord(reader, headerBytes)) {
        return RefuseDamagedDesign();
    }
    const DesignFileHeader header = DecodeDesignFileHeader(headerBytes);
    if (!std::isfinite(header.version) || header.version < DesignFileVersion::k600 ||
        !HasFiniteCameraAndCounter(header)) {
        return RefuseDamagedDesign();
    }
    if (header.version > DesignFileVersion::kCurrent) {
        return RefuseNewerDesign();
    }
    const bool hasBlocks = header.version >= DesignFileVersion::k602;
    const bool hasViewPoints = header.version >= DesignFileVersion::k601;
    PlanStateBlockBytes planState{};
    DocumentBlockBytes document{};
    ViewPointTable viewPoints{};
    if (hasBlocks && !(ReadRecord(reader, planState) && ReadRecord(reader, document))) {
        return RefuseDamagedDesign();
    }
    if (hasViewPoints && !ReadRecord(reader, viewPoints)) {
        return RefuseDamagedDesign();
    }

    if (apply) {
        ClearScene();
        m_pDoc->SetPlanZoomFactor(PlanZoom::GetLevelScale(PlanZoom::kDefaultLevel));
        if (IPlanFrame* frame = m_pDoc->Get2DFrame()) {
            frame->SetZoomLevel(PlanZoom::kDefaultLevel);
        }
        ApplyHeader(header, view);
    }
    if (m_mergeMarker == 1 &&
        (header.backgroundFile.empty() || header.backgroundFile == kDefaultBackground)) {
        m_mergeMarker = 2;
    }
    m_fileVersion = header.version;
    view.SetStoredIdCounter(header.objectIdCounter);
    if (hasBlocks && apply) {
        ApplyPlanStateBlock(DecodePlanStateBlock(planState));
        ApplyDocumentBlock(DecodeDocumentBlock(document), view);
    }
    if (hasViewPoints) {
        view.SetViewPointTable(viewPoints);
    }
    return true;
}

void CDesignScene::ApplyHeader(const DesignFileHeader& header, IDesignFileView& view) {
    HousSettings& settings = m_pDoc->Settings();
    DesignViewState state = header.view;
    state.turnStep = kTurnStepAfterLoad;
    if (IsUsableGrid(state.grid)) {
        settings.length = static_cast<int32_t>(state.grid.length);
        settings.width = static_cast<int32_t>(state.grid.width);
        KeepInRange(settings, "General", "LENGTH");
        KeepInRange(settings, "General", "WIDTH");
    } else {
        state.grid = view.GetViewState().grid;
    }
    view.ApplyViewState(state, header.ambient);

    settings.red = header.ambient[0];
    settings.green = header.ambient[1];
    settings.blue = header.ambient[2];
    if (header.farDistance > 0.0f) {
        settings.farShow3DDistance = header.farDistance;
        KeepInRange(settings, "3DView", "FAR_SHOW_3D_DISTANCE");
    }
    settings.bgColor = header.backgroundColor;
    KeepInRange(settings, "3DView", "BG_COLOR");
    m_pDoc->ApplyBackgroundColorPreset();

    std::string background = header.backgroundFile;
    const bool named = !background.empty() && background != kDefaultBackground;
    if (named) {
        LocateFileInTree(background, m_pDoc->GetBackgroundFolder());
    }
    settings.bgFileName3D = background;
    settings.bgRatio = header.backgroundRatio;
    KeepInRange(settings, "3DView", "BG_RATIO");
    if (named && !FileExists(background)) {
        m_missingReportsSuppressed = 0;
        m_pDoc->AddMissingFile(background);
    }
    m_objectIdCounter = header.objectIdCounter;
}

void CDesignScene::ApplyPlanStateBlock(const PlanStateBlock& block) {
    HousSettings& settings = m_pDoc->Settings();
    if (!block.music.empty()) {
        std::string music = block.music;
        LocateFileInTree(music, m_pDoc->GetMusicFolder());
        settings.music = music;
    }
    // Index 0 leaves the plan as it was; an index past the zoom table names
    // no zoom, so the block is taken as damaged the same way.
    if (block.zoomIndex < 1 || block.zoomIndex >= PlanZoom::kLevelCount) {
        return;
    }
    settings.rulerShow = block.rulerShow;
    KeepInRange(settings, "2DView", "RULER_SHOW");
    m_pDoc->SetPlanScrollSize({block.extentX, block.extentY});
    m_pDoc->SetPlanViewOrigin({block.originX, block.originY});
    if (block.length > 0) {
        settings.length = block.length;
        settings.width = block.width;
        KeepInRange(settings, "General", "LENGTH");
        KeepInRange(settings, "General", "WIDTH");
    }
    m_pDoc->SetPlanZoomFactor(PlanZoom::GetLevelScale(block.zoomIndex));
    if (IPlanFrame* frame = m_pDoc->Get2DFrame()) {
        frame->SetZoomLevel(block.zoomIndex);
    }
}

void CDesignScene::ApplyDocumentBlock(const DocumentBlock& block, IDesignFileView& view) {
    if (!block.baseDrawing.fileName.empty()) {
        m_pDoc->SetBaseDrawing(block.baseDrawing);
    }
    m_pDoc->SetTitleFrameFile(block.titleFrameFile);
    const ShadowColor& shadow = block.shadowColor;
    if (shadow[0] > 0.0f || shadow[1] > 0.0f || shadow[2] > 0.0f || shadow[3] > 0.0f) {
        view.SetShadowColor(shadow);
    }
    if (block.mirrorTolerance != 0) {
        m_mirrorTolerance = block.mirrorTolerance;
    }
}
