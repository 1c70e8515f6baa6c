#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "document/DesignFileSections.h"
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

namespace {

constexpr float kTurnStepAfterLoad = 0.5f;

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

std::optional<DesignFileFront> CDesignScene::ReadFront(CBinaryReader& reader) const {
    if (m_pDoc == nullptr) {
        return std::nullopt;
    }
    DesignFileFront front;
    DesignFileHeaderBytes headerBytes{};
    if (!ReadRecord(reader, headerBytes)) {
        RefuseDamagedDesign();
        return std::nullopt;
    }
    front.header = DecodeDesignFileHeader(headerBytes);
    const DesignFileHeader& header = front.header;
    if (!std::isfinite(header.version) || header.version < DesignFileVersion::k600 ||
        !HasFiniteCameraAndCounter(header)) {
        RefuseDamagedDesign();
        return std::nullopt;
    }
    if (header.version > DesignFileVersion::kCurrent) {
        RefuseNewerDesign();
        return std::nullopt;
    }
    front.hasBlocks = header.version >= DesignFileVersion::k602;
    front.hasViewPoints = header.version >= DesignFileVersion::k601;
    if (front.hasBlocks &&
        !(ReadRecord(reader, front.planState) && ReadRecord(reader, front.document))) {
        RefuseDamagedDesign();
        return std::nullopt;
    }
    if (front.hasViewPoints && !ReadRecord(reader, front.viewPoints)) {
        RefuseDamagedDesign();
        return std::nullopt;
    }
    return front;
}

void CDesignScene::ApplyFront(const DesignFileFront& front, IDesignFileView& view, bool apply) {
    const DesignFileHeader& header = front.header;
    if (apply) {
        ClearScene();
        m_pDoc->SetPlanZoomFactor(PlanZoom::GetLevelScale(PlanZoom::kDefaultLevel));
        if (IPlanFrame* frame = m_pDoc->Get2DFrame()) {
            frame->SetZoomLevel(PlanZoom::kDefaultLevel);
        }
        ApplyHeader(header, view);
    }
    m_mergeMarker = MergeMarkerAfterFront(header);
    m_fileVersion = header.version;
    view.SetStoredIdCounter(header.objectIdCounter);
    if (front.hasBlocks && apply) {
        ApplyPlanStateBlock(DecodePlanStateBlock(front.planState));
        ApplyDocumentBlock(DecodeDocumentBlock(front.document), view);
    }
    if (front.hasViewPoints) {
        view.SetViewPointTable(front.viewPoints);
    }
}

int CDesignScene::MergeMarkerAfterFront(const DesignFileHeader& header) const {
    // An added design without a picture of its own stores no background
    // photo in its photo count.
    if (m_mergeMarker == 1 && !IsCustomBackground(header.backgroundFile)) {
        return 2;
    }
    return m_mergeMarker;
}

bool CDesignScene::ReadDesign(CBinaryReader& reader, IDesignFileView& view, bool apply) {
    // The whole front is read and checked before anything of the open
    // design changes.
    const std::optional<DesignFileFront> front = ReadFront(reader);
    if (!front) {
        return false;
    }
    ApplyFront(*front, view, apply);
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
    const bool named = IsCustomBackground(background);
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
        UpdateScreenOverlayColor(shadow);
    }
    if (block.mirrorTolerance != 0) {
        m_mirrorTolerance = block.mirrorTolerance;
    }
}
