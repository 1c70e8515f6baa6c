#include <algorithm>
#include <array>
#include <memory>
#include <unordered_set>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/Prompt.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"

namespace {

// The 3D types that keep lights in their shadow-light lists.
constexpr std::array kLitTypes = {kModelObjectType, kWallObjectType,  kText3DObjectType,
                                  kPhotoObjectType, kFloorObjectType, kCeilingObjectType};

// "確定刪除  " with two blanks, the library folder, a hyphen and the name.
std::string SingleObjectQuestion(const CDesignObject* object) {
    const auto* solid = static_cast<const C3DObject*>(object);
    return "確定刪除  " + solid->GetLibraryFolderName() + "-" + solid->GetName() + "?";
}

// The record's value is the object's position in its list, for its undo.
std::unique_ptr<HistoryRecord> MakeDeleteRecord(int count, int type, CDesignObject* object,
                                                int position) {
    auto record = std::make_unique<HistoryRecord>();
    record->count = count;
    record->value = position;
    record->objectType = type;
    record->operation = kHistoryDelete;
    record->before = HistoryObject{nullptr, std::unique_ptr<CDesignObject>(object)};
    return record;
}

int PositionIn(const std::vector<CDesignObject*>& list, const CDesignObject* object) {
    const auto found = std::find(list.begin(), list.end(), object);
    return found != list.end() ? static_cast<int>(found - list.begin()) : -1;
}

// Frees an object that has left every list and that no record keeps.
void Discard(CHousDoc* doc, CDesignObject* object) {
    if (doc != nullptr) {
        doc->ReleaseCopiedObject(object);
    }
    delete object;
}

}  // namespace

std::string CDesignScene::GetDeleteConfirmText(int type) const {
    const std::vector<CDesignObject*>& selected = m_selected[type];
    switch (type) {
        case kModelObjectType:
            return selected.size() == 1 ? SingleObjectQuestion(selected.front()) : "確定刪除傢俱?";
        case kWallObjectType:
            return "確定刪除牆?";
        case kLightObjectType:
            return "確定刪除光源?";
        case kText3DObjectType:
            return "確定刪除3D文字?";
        case kPhotoObjectType:
            return selected.size() == 1 ? SingleObjectQuestion(selected.front()) : "確定刪除照片?";
        case kFloorObjectType:
            return "確定刪除地板?";
        case kCeilingObjectType:
            return "確定刪除天花板?";
        default:
            return {};
    }
}

int CDesignScene::DeleteSelectedObjects(bool recordUndo, bool noConfirm, int type) {
    if (m_selected[type].empty()) {
        return 0;
    }
    if (!noConfirm && ShowMessage(GetDeleteConfirmText(type), PromptButtons::YesNo,
                                  PromptIcon::Warning) != PromptAnswer::Yes) {
        return 0;
    }
    // Each object's position as it would be removed one after the other in
    // list order: what its undo puts it back at.
    std::vector<CDesignObject*> doomed;
    std::vector<int> positions;
    doomed.reserve(m_selected[type].size());
    positions.reserve(m_selected[type].size());
    for (std::size_t i = 0; i < m_objects[type].size(); ++i) {
        CDesignObject* object = m_objects[type][i];
        if (object->IsSelected() != 0) {
            positions.push_back(static_cast<int>(i - doomed.size()));
            doomed.push_back(object);
        }
    }
    // The records of one type are one step; a caller joining several types
    // makes its own group.
    const auto count = static_cast<int>(doomed.size());
    const int symbolType = PlanSymbolTypeOf(type);
    std::unordered_set<const CDesignObject*> symbols;
    std::vector<ShadowLightLinks> links(type == kLightObjectType ? doomed.size() : 0);
    for (std::size_t i = 0; i < doomed.size(); ++i) {
        auto* solid = static_cast<C3DObject*>(doomed[i]);
        if (symbolType >= 0 && solid->GetPlanIcon() != nullptr) {
            solid->GetPlanIcon()->SetSelected(0);
            symbols.insert(solid->GetPlanIcon());
        }
        if (type == kLightObjectType) {
            static_cast<CLightObject*>(solid)->Disable();
            links[i] = DetachLightFromObjects(solid);
        }
    }
    // No list may name an object the history keeps; one pass per list keeps
    // a large deletion linear. The flags tell the leaving objects until then.
    const auto leaving = [](const CDesignObject* object) { return object->IsSelected() != 0; };
    std::erase_if(m_objects[type], leaving);
    std::erase_if(m_selected[type], leaving);
    if (!symbols.empty()) {
        const auto symbolLeaving = [&symbols](const CDesignObject* symbol) {
            return symbols.contains(symbol);
        };
        std::erase_if(m_objects[symbolType], symbolLeaving);
        std::erase_if(m_selected[symbolType], symbolLeaving);
    }
    for (CDesignObject* object : doomed) {
        if (type == kLightObjectType) {
            // Out of the list already: only the device light goes off.
            RemoveObject(type, object);
        }
        object->SetSelected(0);
    }
    for (std::size_t i = 0; i < doomed.size(); ++i) {
        if (recordUndo && m_pDoc != nullptr) {
            std::unique_ptr<HistoryRecord> record =
                MakeDeleteRecord(count, type, doomed[i], positions[i]);
            if (type == kLightObjectType) {
                record->after = std::move(links[i]);
            }
            m_pDoc->PushUndoRecord(std::move(record));
        } else {
            Discard(m_pDoc, doomed[i]);
        }
    }
    return count;
}

void CDesignScene::DeleteSelectedInType(bool recordUndo, int type) {
    std::vector<CDesignObject*> doomed;
    std::copy_if(m_objects[type].begin(), m_objects[type].end(), std::back_inserter(doomed),
                 [](const CDesignObject* object) {
                     return object->IsSelected() != 0 && object->IsInShapeSet() == 0;
                 });
    const int symbolType = PlanSymbolTypeOf(type);
    for (CDesignObject* object : doomed) {
        if (C2DPictureShape* symbol =
                symbolType >= 0 ? static_cast<C3DObject*>(object)->GetPlanIcon() : nullptr) {
            DeselectObject(symbolType, symbol);
            RemoveObject(symbolType, symbol);
        }
        const int position = PositionIn(m_objects[type], object);
        DeselectObject(type, object);
        RemoveObject(type, object);
        if (recordUndo && m_pDoc != nullptr) {
            m_pDoc->PushUndoRecord(MakeDeleteRecord(1, type, object, position));
        } else {
            Discard(m_pDoc, object);
        }
    }
}

void CDesignScene::DeleteObjectWithUndo(int type, CDesignObject* object) {
    const int position = PositionIn(m_objects[type], object);
    DeselectObject(type, object);
    RemoveObject(type, object);
    if (m_pDoc != nullptr) {
        m_pDoc->PushUndoRecord(MakeDeleteRecord(1, type, object, position));
    } else {
        Discard(m_pDoc, object);
    }
}

void CDesignScene::DeleteSelectedPlanObjects(int type) {
    const std::vector<CDesignObject*> selected = m_selected[type];
    for (CDesignObject* object : selected) {
        if (std::find(m_objects[type].begin(), m_objects[type].end(), object) !=
            m_objects[type].end()) {
            DeleteObjectWithUndo(type, object);
        }
    }
}

int CDesignScene::DeleteSelectionByType(bool noConfirm) {
    int removed = DeleteSelectedObjects(true, noConfirm, kLightObjectType);
    removed += DeleteSelectedObjects(true, noConfirm, kModelObjectType);
    // Models the user kept stay out of the pass that takes the doors and
    // windows of the deleted walls.
    DeselectAll(kModelObjectType);
    for (CDesignObject* model : m_objects[kModelObjectType]) {
        if (IsInOpeningOfSurfaces(m_selected[kWallObjectType], static_cast<C3DObject*>(model))) {
            SelectObject(kModelObjectType, model);
        }
    }
    const bool openingModels = !m_selected[kModelObjectType].empty();
    const int walls = DeleteSelectedObjects(true, noConfirm, kWallObjectType);
    removed += walls;
    if (walls > 0 && openingModels) {
        removed += DeleteSelectedObjects(true, true, kModelObjectType);
    }
    DeselectAll(kModelObjectType);
    for (const int type :
         {kText3DObjectType, kPhotoObjectType, kFloorObjectType, kCeilingObjectType}) {
        removed += DeleteSelectedObjects(true, noConfirm, type);
    }
    for (const int type :
         {kLineShapeType, kRectShapeType, kCircleShapeType, kCurveShapeType, kChainShapeType,
          kTextShapeType, kDimensionShapeType, kImageShapeType, kDxfIconShapeType}) {
        removed += static_cast<int>(m_selected[type].size());
        DeleteSelectedPlanObjects(type);
    }
    return removed;
}

ShadowLightLinks CDesignScene::DetachLightFromObjects(C3DObject* light) {
    ShadowLightLinks links;
    for (const int type : kLitTypes) {
        for (CDesignObject* object : m_objects[type]) {
            auto* solid = static_cast<C3DObject*>(object);
            std::vector<C3DObject*>& lights = solid->ShadowLights();
            const std::size_t before = links.size();
            for (std::size_t i = 0; i < lights.size(); ++i) {
                if (lights[i] == light) {
                    links.emplace_back(solid, static_cast<int>(i));
                }
            }
            if (links.size() != before) {
                std::erase(lights, light);
                solid->BuildShadowVolume();
            }
        }
    }
    return links;
}

void CDesignScene::RestoreLightLinks(C3DObject* light, const ShadowLightLinks& links) {
    // Positions were read in ascending order, so each insert finds the ones
    // before it in place.
    C3DObject* rebuilt = nullptr;
    for (const auto& [object, position] : links) {
        std::vector<C3DObject*>& lights = object->ShadowLights();
        const auto at =
            static_cast<std::size_t>(std::clamp<int>(position, 0, static_cast<int>(lights.size())));
        lights.insert(lights.begin() + static_cast<std::ptrdiff_t>(at), light);
        if (object != rebuilt && rebuilt != nullptr) {
            rebuilt->BuildShadowVolume();
        }
        rebuilt = object;
    }
    if (rebuilt != nullptr) {
        rebuilt->BuildShadowVolume();
    }
}
