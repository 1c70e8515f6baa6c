#include <array>
#include <climits>
#include <cmath>
#include <optional>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "foundation/RefineLevelPrompt.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"
#include "objects/WallObject.h"

namespace {

// The surface kinds in the order the refine command tries them.
constexpr std::array<int, 4> kRefineOrder = {kWallObjectType, kFloorObjectType, kCeilingObjectType,
                                             kPhotoObjectType};

// A size the level dialog can show: a damaged design's NaN or huge extent
// becomes no size, or the largest.
int DialogSize(double size) {
    if (!(size > 0.0)) {
        return 0;
    }
    return size >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

bool IsRefined(const CWallObject& surface, int part) {
    const std::vector<RefineRecord>& records = surface.GetRefineRecords();
    return part >= 0 && part < surface.GetMaterialCount() &&
           part < static_cast<int>(records.size()) && records[part].flag != 0;
}

}  // namespace

// The level the dialog chose is part of the refinement's step: its undo
// brings back the level from before.
void CDesignScene::RecordLevelBeforeDialog(const CWallObject& surface, int part, int level) {
    if (m_pDoc == nullptr || m_pDoc->HistoryList(0).empty()) {
        return;
    }
    HistoryRecord& record = *m_pDoc->HistoryList(0).back();
    auto* before = std::get_if<RefinementRecord>(&record.before);
    if (record.operation == kHistoryFaceRefinement && record.object == &surface &&
        record.value == part && before != nullptr) {
        before->value = level;
    }
}

void CDesignScene::RefineSelection(int* face) {
    for (int type : kRefineOrder) {
        if (RefineSelectedOfType(type, face)) {
            break;
        }
    }
    if (m_pDoc != nullptr && m_pDoc->Get3DView() != nullptr) {
        m_pDoc->Get3DView()->RepaintNow();
    }
}

bool CDesignScene::RefineSelectedOfType(int type, int* face) {
    for (CDesignObject* object : m_objects[type]) {
        auto* surface = dynamic_cast<CWallObject*>(object);
        if (surface == nullptr || surface->GetRefineRecords().empty()) {
            return false;
        }
        if (object->IsSelected() == 0) {
            continue;
        }
        const int part = surface->GetFaceMaterialIndex(*face);
        if (part >= 0 && part < static_cast<int>(surface->GetRefineRecords().size()) &&
            !IsRefined(*surface, part)) {
            std::array<double, 2> size{};
            if (const auto* photo = dynamic_cast<const CPhotoObject*>(surface)) {
                size = photo->GetPictureSize();
            } else {
                const CVector2F faceSize = surface->GetFaceSize(part);
                size = {faceSize.x, faceSize.y};
            }
            const std::optional<int> level =
                AskRefineLevel(DialogSize(size[0]), DialogSize(size[1]));
            if (!level) {
                return false;
            }
            const int oldLevel = surface->GetRefineRecords()[part].level;
            surface->SetRefineLevel(part, *level);
            if (surface->FinishRefinement(type, *face) != 0) {
                RecordLevelBeforeDialog(*surface, part, oldLevel);
            }
            return true;
        }
        surface->FinishRefinement(type, *face);
        return true;
    }
    return false;
}

std::optional<bool> CDesignScene::IsSelectionRefined(int face) {
    for (int type : kRefineOrder) {
        const std::vector<CDesignObject*>& selected = m_selected[type];
        if (selected.empty()) {
            continue;
        }
        const auto* surface = dynamic_cast<const CWallObject*>(selected.front());
        return surface != nullptr && IsRefined(*surface, surface->GetFaceMaterialIndex(face));
    }
    return std::nullopt;
}
