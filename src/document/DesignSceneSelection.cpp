#include <algorithm>
#include <array>
#include <optional>
#include <unordered_set>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "document/PickedKindOfType.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"

namespace {

constexpr int kSavedTypeCount = 7;

bool Contains(const std::vector<CDesignObject*>& list, const CDesignObject* object) {
    return std::find(list.begin(), list.end(), object) != list.end();
}

C2DPictureShape* SymbolOf(int type, CDesignObject* object) {
    return PlanSymbolTypeOf(type) >= 0 ? static_cast<C3DObject*>(object)->GetPlanIcon() : nullptr;
}

constexpr uint32_t Bit(int type) {
    return uint32_t{1} << type;
}

bool IsLineFamily(int type) {
    return type >= kLineShapeType && type <= kChainShapeType;
}

// The codes a selection is counted by: 0, 2 and 4 count through their plan
// symbols.
bool IsCountedType(int type) {
    return type != kModelObjectType && type != kLightObjectType && type != kPhotoObjectType &&
           type != kBaseDrawingType;
}

}  // namespace

void CDesignScene::DeselectType(int type, bool empty) {
    for (CDesignObject* object : m_objects[type]) {
        object->SetSelected(0);
        if (C2DPictureShape* symbol = SymbolOf(type, object)) {
            symbol->SetSelected(0);
        }
    }
    ClearPickedObjectOfType(type);
    if (empty) {
        m_selected[type].clear();
    }
}

void CDesignScene::ClearTypeSelection(int type) {
    for (CDesignObject* object : m_objects[type]) {
        object->SetSelected(0);
    }
    m_selected[type].clear();
}

void CDesignScene::DeselectSelectedOfType(int type, bool empty) {
    for (CDesignObject* object : m_selected[type]) {
        object->SetSelected(0);
    }
    if (empty) {
        m_selected[type].clear();
    }
}

void CDesignScene::DeselectSavedTypes(bool empty) {
    for (int type = 0; type < kSavedTypeCount; ++type) {
        DeselectType(type, empty);
    }
}

void CDesignScene::DeselectPlanTypes(bool empty) {
    for (int type = kLineShapeType; type < kTypeCount; ++type) {
        DeselectSelectedOfType(type, empty);
    }
}

void CDesignScene::ClearPlanSelection() {
    for (const int type :
         {kLineShapeType, kRectShapeType, kCircleShapeType, kCurveShapeType, kDimensionShapeType,
          kTextShapeType, kImageShapeType, kDxfIconShapeType, kModelIconShapeType,
          kPhotoIconShapeType, kLightIconShapeType, kGroupShapeType}) {
        ClearTypeSelection(type);
    }
}

void CDesignScene::ClearPlanSelectionAndMode() {
    // The plan symbols stay with their selected 3D owners.
    for (int type = kLineShapeType; type <= kBaseDrawingType; ++type) {
        if (type != kModelIconShapeType && type != kPhotoIconShapeType &&
            type != kLightIconShapeType) {
            DeselectSelectedOfType(type, true);
        }
    }
    UpdateSelectionEditMode();
}

void CDesignScene::RebuildSelectionLists() {
    for (int type = 0; type < kSavedTypeCount; ++type) {
        std::vector<CDesignObject*>& selected = m_selected[type];
        // Sets keep selecting everything of a large design linear; an empty
        // list needs none.
        std::unordered_set<const CDesignObject*> kept;
        if (!selected.empty()) {
            const std::unordered_set<const CDesignObject*> listed(m_objects[type].begin(),
                                                                  m_objects[type].end());
            std::erase_if(selected, [&listed](CDesignObject* object) {
                return object->IsSelected() == 0 || !listed.contains(object);
            });
            kept.insert(selected.begin(), selected.end());
        }
        for (CDesignObject* object : m_objects[type]) {
            if (object->IsSelected() != 0 && (kept.empty() || kept.insert(object).second)) {
                selected.push_back(object);
            }
        }
        const int symbolType = PlanSymbolTypeOf(type);
        if (symbolType < 0) {
            continue;
        }
        // The symbols follow their owners, in the owners' order.
        for (CDesignObject* object : m_objects[type]) {
            if (C2DPictureShape* symbol = SymbolOf(type, object)) {
                symbol->SetSelected(0);
            }
        }
        m_selected[symbolType].clear();
        for (CDesignObject* object : selected) {
            if (C2DPictureShape* symbol = SymbolOf(type, object)) {
                symbol->SetSelected(1);
                m_selected[symbolType].push_back(symbol);
            }
        }
    }
}

void CDesignScene::CollectSelectedSavedObjects() {
    for (int type = 0; type < kSavedTypeCount; ++type) {
        m_selected[type].clear();
        for (CDesignObject* object : m_objects[type]) {
            if (object->IsSelected() != 0) {
                m_selected[type].push_back(object);
            }
        }
    }
}

void CDesignScene::MarkSelectedObjects() {
    for (int type = 0; type < kSavedTypeCount; ++type) {
        for (CDesignObject* object : m_selected[type]) {
            object->SetSelected(1);
        }
    }
}

void CDesignScene::PruneSelectionLists() {
    for (int type = 0; type < kTypeCount; ++type) {
        // Deselecting changes the list being walked.
        const std::vector<CDesignObject*> selected = m_selected[type];
        for (CDesignObject* object : selected) {
            if (!Contains(m_objects[type], object) || object->HasParent() == 0) {
                DeselectObject(type, object);
            }
        }
    }
}

bool CDesignScene::HasSelectionOfType(int type) const {
    return !m_selected[type].empty();
}

bool CDesignScene::HasSelected3DObject() const {
    return std::any_of(m_selected.begin(), m_selected.begin() + kSavedTypeCount,
                       [](const auto& list) { return !list.empty(); });
}

bool CDesignScene::HasMixedSelection() const {
    int kinds = 0;
    bool lineFamily = false;
    for (int type = 0; type < kTypeCount; ++type) {
        if (!IsCountedType(type) || m_selected[type].empty()) {
            continue;
        }
        if (IsLineFamily(type)) {
            kinds += lineFamily ? 0 : 1;
            lineFamily = true;
        } else {
            ++kinds;
        }
    }
    return kinds > 1;
}

int CDesignScene::CountSelected3DObjects() const {
    int count = 0;
    for (int type = 0; type < kSavedTypeCount; ++type) {
        count += static_cast<int>(m_selected[type].size());
    }
    return count;
}

int CDesignScene::CountSelectedPlanObjects() const {
    int count = 0;
    for (int type = kWallObjectType; type <= kLightIconShapeType; ++type) {
        if (IsCountedType(type) && type != kChainShapeType) {
            count += static_cast<int>(m_selected[type].size());
        }
    }
    return count;
}

SelectionSummary CDesignScene::RecountSelection() const {
    SelectionSummary summary;
    for (int type = 0; type < kTypeCount; ++type) {
        if (!IsCountedType(type) || m_selected[type].empty()) {
            continue;
        }
        summary.count += static_cast<int>(m_selected[type].size());
        summary.typeMask |= Bit(type);
    }
    summary.chains = static_cast<int>(m_selected[kChainShapeType].size());
    summary.lines = static_cast<int>(m_selected[kLineShapeType].size());
    summary.circles = static_cast<int>(m_selected[kCircleShapeType].size());
    return summary;
}

int CDesignScene::UpdateSelectionEditMode() {
    const int mode = SelectionEditMode(RecountSelection());
    if (m_pDoc != nullptr) {
        m_pDoc->SetEditMode(mode);
    }
    return mode;
}

void CDesignScene::ClearPickedObjects() {
    for (int type = 0; type < kSavedTypeCount; ++type) {
        ClearPickedObjectOfType(type);
    }
}

void CDesignScene::SetPickedObject(int type, C3DObject* object) {
    const std::optional<CHousDoc::PickedKind> kind = PickedKindOfType(type);
    if (kind && m_pDoc != nullptr) {
        m_pDoc->SetPickedObject(*kind, object);
    }
}

void CDesignScene::ClearPickedObjectOfType(int type) {
    SetPickedObject(type, nullptr);
}

bool CDesignScene::HasHiddenObjects() const {
    constexpr std::array kHideableTypes = {kModelObjectType, kWallObjectType,  kText3DObjectType,
                                           kPhotoObjectType, kFloorObjectType, kCeilingObjectType};
    return std::any_of(kHideableTypes.begin(), kHideableTypes.end(),
                       [this](int type) { return !m_hidden[type].empty(); });
}

CIntBoundingBox2D CDesignScene::GetListExtent(const std::vector<CDesignObject*>& list) {
    CIntBoundingBox2D extent;
    for (const CDesignObject* object : list) {
        const CIntBoundingBox2D box = object->GetBoundingBox();
        if (box.empty != 0) {
            continue;
        }
        const int left = std::min(box.minX, box.maxX);
        const int right = std::max(box.minX, box.maxX);
        const int top = std::min(box.minY, box.maxY);
        const int bottom = std::max(box.minY, box.maxY);
        if (extent.empty != 0) {
            extent = {0, left, top, right, bottom};
            continue;
        }
        extent.minX = std::min(extent.minX, left);
        extent.minY = std::min(extent.minY, top);
        extent.maxX = std::max(extent.maxX, right);
        extent.maxY = std::max(extent.maxY, bottom);
    }
    return extent;
}

CIntBoundingBox2D CDesignScene::GetTypeExtent(int type) const {
    return GetListExtent(m_objects[type]);
}

CIntBoundingBox2D CDesignScene::GetSelectedTypeExtent(int type) const {
    return GetListExtent(m_selected[type]);
}
