#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/DesignFileSections.h"
#include "document/DesignFileView.h"
#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/OperationProgress.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/VectorMath.h"

using DesignFileSections::k3DOrder;
using DesignFileSections::kPlanOrder;

namespace {

constexpr int kSectionCount = static_cast<int>(k3DOrder.size());

// What the progress window says while each 3D section is read, by type code.
constexpr std::array<const char*, kCeilingObjectType + 1> kSectionTexts = {
    "讀取傢俱資料...", "讀取牆資料...",   "讀取光源資料...",   "讀取2D線條資料...",
    "讀取照片資料...", "讀取地板資料...", "讀取天花板資料...",
};

bool WriteRecord(CBinaryWriter& writer, const CDesignObject& object) {
    return SUCCEEDED(object.Write(writer)) && !writer.HasError();
}

void Erase(std::vector<CDesignObject*>& list, const CDesignObject* object) {
    list.erase(std::remove(list.begin(), list.end(), object), list.end());
}

// Reads the objects of a file with what their readers tell the user held
// back until the file is known to be whole, so that a refused file raises
// only its refusal. An allocation that fails on the way refuses the file:
// what was read is freed and the open design stays as it was.
template <typename ReadObjects>
bool ReadWholeFile(ReadObjects&& readObjects) {
    CHeldPrompts held;
    bool whole = false;
    try {
        whole = readObjects();
    } catch (const std::bad_alloc&) {
        whole = RefuseDesignTooLargeForMemory();
    } catch (const std::length_error&) {
        whole = RefuseDesignTooLargeForMemory();
    }
    if (whole) {
        held.Release();
    }
    return whole;
}

}  // namespace

// ---- Writing

bool CDesignScene::WriteSection(CBinaryWriter& writer, bool selectedOnly, int type) {
    std::vector<C3DObject*> records;
    for (CDesignObject* object : m_objects[type]) {
        auto* object3D = static_cast<C3DObject*>(object);
        // The camera's photo is the background picture: it has no record.
        if ((!selectedOnly || object->IsSelected() != 0) &&
            !(type == kPhotoObjectType && object3D->IsCameraAttached() != 0)) {
            records.push_back(object3D);
        }
    }
    // Readers of a design take one photo less than the count when the
    // background is a picture of its own; an export is read in full.
    auto count = static_cast<int32_t>(records.size());
    if (type == kPhotoObjectType && !selectedOnly &&
        IsCustomBackground(m_pDoc->Settings().bgFileName3D)) {
        ++count;
    }
    writer.WriteInt(count);

    gfx::Vector3 eye{};
    if (selectedOnly && m_pDoc->Get3DView() != nullptr) {
        const CameraPosition camera = m_pDoc->Get3DView()->GetCameraPosition();
        eye = {camera.x, camera.y, camera.z};
    }
    for (C3DObject* object : records) {
        const gfx::Vector3 position = object->GetPosition();
        if (selectedOnly) {
            object->SetPositionVector(position - eye);
        }
        const bool written = WriteRecord(writer, *object);
        // Put back as it was, not moved back, so that no rounding is left.
        if (selectedOnly) {
            object->SetPositionVector(position);
        }
        if (!written) {
            return false;
        }
    }
    return !writer.HasError();
}

bool CDesignScene::WriteSections(CBinaryWriter& writer, bool selectedOnly) {
    if (m_pDoc == nullptr) {
        return false;
    }
    const std::unique_ptr<IOperationProgress> progress =
        OpenProgressWindow({"存檔中，請稍候...", 1000, 1000 / kSectionCount, false});
    return std::all_of(k3DOrder.begin(), k3DOrder.end(), [&](int type) {
        if (!WriteSection(writer, selectedOnly, type)) {
            return false;
        }
        progress->StepIt();
        return true;
    });
}

bool CDesignScene::WritePlanSections(CBinaryWriter& writer) {
    // Chains and groups name their members by list position.
    for (std::vector<CDesignObject*>& list : m_objects) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            list[i]->SetListPosition(static_cast<int>(i));
        }
    }
    for (const int type : kPlanOrder) {
        writer.WriteInt(static_cast<int32_t>(m_objects[type].size()));
        for (const CDesignObject* object : m_objects[type]) {
            if (!WriteRecord(writer, *object)) {
                return false;
            }
        }
    }
    return !writer.HasError();
}

bool CDesignScene::WriteTrailer(CBinaryWriter& writer, int32_t wireframe) const {
    writer.WriteInt(DesignFileSections::kWireframeTag);
    writer.WriteInt(wireframe);
    const std::vector<CDesignObject*>& groups = m_objects[kGroupShapeType];
    if (!groups.empty()) {
        writer.WriteInt(DesignFileSections::kGroupsTag);
        writer.WriteInt(static_cast<int32_t>(groups.size()));
        for (const CDesignObject* group : groups) {
            if (!WriteRecord(writer, *group)) {
                return false;
            }
        }
    }
    return !writer.HasError();
}

bool CDesignScene::WriteDesignFile(CBinaryWriter& writer, const IDesignFileView& view) {
    return WriteDesign(writer, view) && WriteSections(writer, false) && WritePlanSections(writer) &&
           WriteTrailer(writer, view.GetViewState().wireframe);
}

bool CDesignScene::WriteSelectionExchange(CBinaryWriter& writer) {
    writer.WriteFloat(DesignFileVersion::kCurrent);
    return WriteSections(writer, true);
}

// ---- Reading

bool CDesignScene::ReadRecords(CBinaryReader& reader, int type, int32_t count,
                               ReadDesignObjects& read) const {
    // Every record takes at least a byte: a count beyond what is left is
    // damage, not a reason to loop.
    const int64_t left = reader.BytesLeft();
    if (count < 0 || (left >= 0 && count > left)) {
        return RefuseDamagedDesign();
    }
    const bool is3D = type <= kCeilingObjectType;
    // The 3D sections are the long part of a read; the user may end it.
    std::unique_ptr<IOperationProgress> progress;
    if (is3D && count > 0) {
        progress = OpenProgressWindow({kSectionTexts[type], 1000, 1000 / count, true});
    }
    struct LongReadProgress {
        const CDesignScene& scene;
        ~LongReadProgress() { scene.m_pLongReadProgress = nullptr; }
    } const longReadProgress{*this};
    m_pLongReadProgress = progress.get();
    for (int32_t i = 0; i < count; ++i) {
        std::unique_ptr<CDesignObject> object = CreateDesignObject(type);
        if (object == nullptr) {
            return RefuseUnreadableKind(type);
        }
        // Meshes are built as they are read, on the device the scene draws with.
        if (is3D) {
            static_cast<C3DObject*>(object.get())->SetDevice(TargetDevice());
        }
        const HRESULT result = object->Read(reader);
        // A record cut short leaves the rest of the file misaligned.
        if (reader.HasError()) {
            return RefuseDamagedDesign();
        }
        // 3D objects need a whole record; a plan shape only one that did not fail.
        if (is3D ? result == S_OK : SUCCEEDED(result)) {
            read.lists[type].push_back(std::move(object));
        }
        if (progress) {
            progress->StepIt();
        }
        if (is3D && m_pDoc->GetAbort() != 0) {
            read.aborted = true;
            return true;
        }
    }
    return true;
}

bool CDesignScene::ContinueLongRead() {
    constexpr auto kStepInterval = std::chrono::milliseconds(100);
    const auto now = std::chrono::steady_clock::now();
    if (m_pLongReadProgress != nullptr && now - m_lastLongReadStep >= kStepInterval) {
        m_lastLongReadStep = now;
        m_pLongReadProgress->KeepResponsive();
    }
    return m_pDoc == nullptr || m_pDoc->GetAbort() == 0;
}

bool CDesignScene::ReadSections(CBinaryReader& reader, bool oneLessPhoto,
                                ReadDesignObjects& read) const {
    // Lights come first in the file, so that the records after them find
    // their shadow lights among them.
    struct LightsBeingRead {
        const CDesignScene& scene;
        ~LightsBeingRead() { scene.m_pLightsBeingRead = nullptr; }
    } const lightsBeingRead{*this};
    m_pLightsBeingRead = &read.lists[kLightObjectType];
    for (const int type : k3DOrder) {
        if (m_pDoc->GetAbort() != 0) {
            read.aborted = true;
            return true;
        }
        int32_t count = reader.ReadInt();
        if (reader.HasError() || count < 0) {
            return RefuseDamagedDesign();
        }
        if (type == kPhotoObjectType && oneLessPhoto) {
            count = std::max(count - 1, 0);
        }
        if (!ReadRecords(reader, type, count, read)) {
            return false;
        }
        if (read.aborted) {
            return true;
        }
    }
    return true;
}

bool CDesignScene::ReadPlanSections(CBinaryReader& reader, ReadDesignObjects& read) const {
    for (const int type : kPlanOrder) {
        const int32_t count = reader.ReadInt();
        if (reader.HasError()) {
            return RefuseDamagedDesign();
        }
        if (!ReadRecords(reader, type, count, read)) {
            return false;
        }
    }
    return true;
}

bool CDesignScene::ReadTrailer(CBinaryReader& reader, ReadDesignObjects& read) const {
    read.wireframe = 0;
    // The tags come in any order, until the file ends or another tag.
    while (reader.BytesLeft() != 0) {
        const int64_t left = reader.BytesLeft();
        const int32_t tag = reader.ReadInt();
        if (reader.HasError()) {
            read.unreadBytes = std::max<int64_t>(left, 0);
            return true;
        }
        if (tag == DesignFileSections::kCurveModesTag) {
            // One mode per curve read; curves are not read by this program,
            // so the tag holds none.
            continue;
        }
        if (tag == DesignFileSections::kWireframeTag) {
            read.wireframe = reader.ReadInt();
        } else if (tag == DesignFileSections::kGroupsTag) {
            const int32_t count = reader.ReadInt();
            if (reader.HasError() || count < 0) {
                return RefuseDamagedDesign();
            }
            if (count > 0) {
                return RefuseUnreadableKind(kGroupShapeType);
            }
        } else {
            read.unreadBytes = std::max<int64_t>(left, 0);
            return true;
        }
        if (reader.HasError()) {
            return RefuseDamagedDesign();
        }
    }
    return true;
}

void CDesignScene::PlaceReadObjects(ReadDesignObjects& read, bool merge) {
    // An imported selection was stored relative to the camera's eye.
    gfx::Vector3 eye{};
    if (merge && m_pDoc->Get3DView() != nullptr) {
        const CameraPosition camera = m_pDoc->Get3DView()->GetCameraPosition();
        eye = {camera.x, camera.y, camera.z};
    }
    for (int type = 0; type < kTypeCount; ++type) {
        for (std::unique_ptr<CDesignObject>& object : read.lists[type]) {
            CDesignObject* placed = object.release();
            if (type <= kCeilingObjectType) {
                auto* solid = static_cast<C3DObject*>(placed);
                if (merge) {
                    solid->SetPositionVector(solid->GetPosition() + eye);
                    solid->UpdatePlanIcon();
                }
                solid->UpdateWorldMatrix();
                solid->UpdatePlanOutline();
                solid->BuildShadowVolume();
                if (solid->IsHidden() != 0) {
                    m_hidden[type].push_back(placed);
                }
                // A model's plan symbol joins the scene with its model, so a
                // record or a file refused later leaves no symbol behind.
                if (type == kModelObjectType && solid->GetPlanIcon() != nullptr) {
                    m_objects[kModelIconShapeType].push_back(solid->GetPlanIcon());
                }
                if (type == kLightObjectType && solid->GetPlanIcon() != nullptr) {
                    m_objects[kLightIconShapeType].push_back(solid->GetPlanIcon());
                }
                if (type == kPhotoObjectType && solid->GetPlanIcon() != nullptr) {
                    m_objects[kPhotoIconShapeType].push_back(solid->GetPlanIcon());
                }
            }
            m_objects[type].push_back(placed);
            if (merge) {
                SelectObject(type, placed);
            }
        }
        read.lists[type].clear();
    }
}

void CDesignScene::FinishRead() {
    m_missingReportsSuppressed = 0;
    RemoveEmptyObjects();
    RebuildFloorLevels();
    RefreshObjectsAndSymbols();
    FillFloorCombo();
}

bool CDesignScene::ReadDesignFile(CBinaryReader& reader, IDesignFileView& view, bool apply,
                                  int32_t& wireframe) {
    const std::optional<DesignFileFront> front = ReadFront(reader);
    if (!front) {
        return false;
    }
    const int marker = MergeMarkerAfterFront(front->header);
    const std::string& background =
        apply ? front->header.backgroundFile : m_pDoc->Settings().bgFileName3D;
    const bool oneLessPhoto = marker == 1 || (marker == 0 && IsCustomBackground(background));

    // The object readers gate their fields on the version of the file.
    const float openVersion = m_fileVersion;
    const int openSuppressed = m_missingReportsSuppressed;
    m_fileVersion = front->header.version;
    m_missingReportsSuppressed = 0;
    ReadDesignObjects read;
    const bool complete = ReadWholeFile([&] {
        return ReadSections(reader, oneLessPhoto, read) &&
               (read.aborted || (ReadPlanSections(reader, read) && ReadTrailer(reader, read)));
    });
    // An aborted read is no design: the open one stays as it was.
    if (!complete || read.aborted) {
        m_fileVersion = openVersion;
        m_missingReportsSuppressed = openSuppressed;
        return false;
    }

    ApplyFront(*front, view, apply);
    if (apply) {
        DeleteDesignPlanShapes();
        ClearSelection();
    }
    PlaceReadObjects(read, false);
    FinishRead();
    if (read.unreadBytes > 0) {
        WarnUnreadTail(read.unreadBytes);
    }
    wireframe = read.wireframe;
    return true;
}

bool CDesignScene::ReadSelectionExchange(CBinaryReader& reader) {
    if (m_pDoc == nullptr) {
        return false;
    }
    const float version = reader.ReadFloat();
    if (reader.HasError() || !std::isfinite(version) || version < DesignFileVersion::k600) {
        return RefuseDamagedDesign();
    }
    if (version > DesignFileVersion::kCurrent) {
        return RefuseNewerDesign();
    }
    const float openVersion = m_fileVersion;
    m_fileVersion = version;
    ReadDesignObjects read;
    // An export holds no background photo: its photo count is taken whole.
    if (!ReadWholeFile([&] { return ReadSections(reader, false, read); }) || read.aborted) {
        m_fileVersion = openVersion;
        return false;
    }
    PlaceReadObjects(read, true);
    FinishRead();
    m_pDoc->UpdateAllViews(kFullRefreshHint);
    return true;
}

// ---- Empty objects

void CDesignScene::RemoveEmptyObjects() {
    for (const int type : {kModelObjectType, kWallObjectType, kFloorObjectType, kCeilingObjectType,
                           kPhotoObjectType, kText3DObjectType}) {
        RemoveEmptyObjectsOfType(type);
    }
}

void CDesignScene::RemoveEmptyObjectsOfType(int type) {
    std::vector<CDesignObject*> empty;
    for (CDesignObject* object : m_objects[type]) {
        const std::array<float, 3>& size = static_cast<C3DObject*>(object)->GetRealSize();
        if (size[0] == 0.0f && (size[1] == 0.0f || size[2] == 0.0f)) {
            empty.push_back(object);
        }
    }
    for (CDesignObject* object : empty) {
        DeleteObject(type, object);
    }
}

void CDesignScene::DeleteObject(int type, CDesignObject* object) {
    // The plan symbol goes with its owner.
    if (const C2DPictureShape* icon = static_cast<C3DObject*>(object)->GetPlanIcon()) {
        for (const int iconType : {kModelIconShapeType, kPhotoIconShapeType, kLightIconShapeType}) {
            Erase(m_objects[iconType], icon);
            Erase(m_selected[iconType], icon);
        }
    }
    Erase(m_objects[type], object);
    Erase(m_selected[type], object);
    Erase(m_hidden[type], object);
    ReleaseCopiedObjects({object});
    delete object;
}
