#include <algorithm>
#include <memory>
#include <vector>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "document/PickedKindOfType.h"
#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "objects/ModelObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

// The saved types the mirror, hide and show-all options work on; lights
// are never touched.
constexpr int kOptionTypes[] = {kModelObjectType, kWallObjectType,  kText3DObjectType,
                                kPhotoObjectType, kFloorObjectType, kCeilingObjectType};
// The types that cast shadows, in the order a toggle records them.
constexpr int kShadowTypes[] = {kModelObjectType, kText3DObjectType, kWallObjectType};
// The types with plan icons, in the order a query asks them.
constexpr int kIconTypes[] = {kModelObjectType, kText3DObjectType, kPhotoObjectType};
// The property group that holds the shadow lights.
constexpr int kShadowSettingsGroup = 5;

C3DObject& As3D(CDesignObject* object) {
    return *static_cast<C3DObject*>(object);
}

std::unique_ptr<HistoryRecord> MakeFlagRecord(int type, int operation, int before, int after,
                                              CDesignObject* object) {
    auto record = std::make_unique<HistoryRecord>();
    record->objectType = type;
    record->operation = operation;
    record->before = static_cast<std::int32_t>(before);
    record->after = static_cast<std::int32_t>(after);
    record->object = object;
    return record;
}

}  // namespace

bool CDesignScene::IsMirrorShownOnSelection() {
    for (const int type : kOptionTypes) {
        for (CDesignObject* object : m_selected[type]) {
            if (As3D(object).GetMirrorImages() != 0) {
                return true;
            }
        }
    }
    return false;
}

void CDesignScene::ToggleMirrorOfSelection() {
    const int flag = IsMirrorShownOnSelection() ? 0 : 1;
    if (m_pDoc != nullptr) {
        m_pDoc->BeginUndoGroup();
    }
    for (const int type : kOptionTypes) {
        for (CDesignObject* object : m_selected[type]) {
            const int old = As3D(object).GetMirrorImages();
            As3D(object).SetMirrorImages(flag);
            if (m_pDoc != nullptr) {
                m_pDoc->PushUndoRecord(
                    MakeFlagRecord(type, kHistoryMirrorImage, old, flag, object));
            }
        }
    }
    if (m_pDoc != nullptr) {
        m_pDoc->EndUndoGroup();
    }
}

bool CDesignScene::FindNonMirrorSelectedFace(int material) {
    for (const int type : {kWallObjectType, kFloorObjectType}) {
        for (CDesignObject* object : m_selected[type]) {
            const C3DObject& surface = As3D(object);
            if (surface.IsMirror() != 0 && material >= 0 && material < surface.GetMaterialCount() &&
                surface.GetMaterial(material).diffuse.a < 1.0f) {
                return true;
            }
        }
    }
    return false;
}

bool CDesignScene::IsShadowShownOnSelection() {
    for (const int type : kShadowTypes) {
        for (CDesignObject* object : m_selected[type]) {
            if (As3D(object).GetShadow() != 0) {
                return true;
            }
        }
    }
    return false;
}

// The toggle is one step: the group's counts are set when it closes, so
// the records a newly given light adds count too.
void CDesignScene::ToggleShadowOfSelection() {
    const int flag = IsShadowShownOnSelection() ? 0 : 1;
    int group = 0;
    for (const int type : kShadowTypes) {
        group += static_cast<int>(m_selected[type].size());
    }
    if (m_pDoc != nullptr) {
        m_pDoc->BeginUndoGroup();
    }
    for (const int type : kShadowTypes) {
        SetShadowOfType(type, flag, group);
    }
    if (m_pDoc != nullptr) {
        m_pDoc->EndUndoGroup();
    }
}

void CDesignScene::SetShadowOfType(int type, int flag, int group) {
    const std::vector<CDesignObject*> selected = m_selected[type];
    for (CDesignObject* item : selected) {
        C3DObject& object = As3D(item);
        const int old = object.GetShadow();
        object.SetShadow(flag);
        if (flag != 0 && object.GetShadowLights().empty()) {
            // The light given here is taken back by undo with the flag.
            std::vector<std::unique_ptr<HistoryRecord>> pending;
            object.PushUndoSnapshot(pending, kShadowSettingsGroup, group, type);
            std::unique_ptr<HistoryRecord> snapshot = std::move(pending.back());
            pending.pop_back();
            AssignNearestLight(object);
            object.CommitUndoSnapshot(pending, std::move(snapshot), group);
            for (std::unique_ptr<HistoryRecord>& record : pending) {
                if (m_pDoc != nullptr) {
                    m_pDoc->PushUndoRecord(std::move(record));
                }
            }
        }
        object.BuildShadowVolume();
        if (m_pDoc != nullptr) {
            auto record = MakeFlagRecord(type, kHistoryShadow, old, flag, item);
            record->count = group;
            m_pDoc->PushUndoRecord(std::move(record));
            m_pDoc->SetDesignModified(1);
        }
    }
}

void CDesignScene::HideSelection() {
    for (const int type : kOptionTypes) {
        if (m_pDoc != nullptr) {
            m_pDoc->SetPickedObject(*PickedKindOfType(type), nullptr);
        }
        // Hiding takes the objects out of the list it walks.
        const std::vector<CDesignObject*> selected = m_selected[type];
        for (CDesignObject* object : selected) {
            As3D(object).SetHidden(1);
            DeselectObject(type, object);
            if (std::find(m_hidden[type].begin(), m_hidden[type].end(), object) ==
                m_hidden[type].end()) {
                m_hidden[type].push_back(object);
            }
        }
    }
    DeselectAll(kModelIconShapeType);
    DeselectAll(kPhotoIconShapeType);
}

void CDesignScene::ShowAllObjects() {
    for (const int type : kOptionTypes) {
        if (m_pDoc != nullptr) {
            m_pDoc->SetPickedObject(*PickedKindOfType(type), nullptr);
        }
        const std::vector<CDesignObject*> hidden = std::move(m_hidden[type]);
        m_hidden[type].clear();
        for (CDesignObject* item : hidden) {
            C3DObject& object = As3D(item);
            object.SetHidden(0);
            if (type != kPhotoObjectType) {
                object.UpdateWorldMatrix();
                object.UpdatePlanOutline();
                object.BuildShadowVolume();
            }
        }
        DeselectAll(type);
    }
    DeselectAll(kModelIconShapeType);
    DeselectAll(kPhotoIconShapeType);
}

bool CDesignScene::HasHiddenObjects() {
    return std::any_of(std::begin(kOptionTypes), std::end(kOptionTypes),
                       [this](int type) { return !m_hidden[type].empty(); });
}

void CDesignScene::SetPlanIconModeOfSelection(int mode) {
    if (mode < 0 || mode > 2) {
        return;
    }
    for (const int type : kIconTypes) {
        for (CDesignObject* item : m_selected[type]) {
            C3DObject& object = As3D(item);
            object.SetPlanSymbolShown(mode != 0 ? 1 : 0);
            object.SetPlanOutlineShown(mode == 2 ? 1 : 0);
            if (mode == 2) {
                object.UpdatePlanOutline();
            }
        }
    }
}

int CDesignScene::GetPlanIconModeOfSelection(int query) {
    for (const int type : kIconTypes) {
        if (m_selected[type].empty()) {
            continue;
        }
        const C3DObject& object = As3D(m_selected[type].front());
        switch (query) {
            case 0:
                return object.GetPlanSymbolShown() != 0 ? 1 : 0;
            case 1:
                return object.GetPlanOutlineShown() == 0 ? 1 : 0;
            case 2:
                return object.GetPlanOutlineShown() != 0 ? 1 : 0;
            case 3:
                return object.GetPlanIcon() != nullptr ? 1 : 0;
            case 4:
                return type == kPhotoObjectType || !object.GetPointRecords().empty() ? 1 : 0;
            default:
                return 0;
        }
    }
    return 0;
}

int CDesignScene::SelectOpeningModels() {
    int added = 0;
    for (CDesignObject* item : m_selected[kWallObjectType]) {
        auto* wall = dynamic_cast<CWallObject*>(item);
        if (wall == nullptr) {
            continue;
        }
        for (const std::unique_ptr<WallFaceItem>& opening : wall->GetFaceItems()) {
            for (CModelObject** model : {&opening->model1, &opening->model2}) {
                if (*model == nullptr) {
                    continue;
                }
                if (!IsModelInScene(*model)) {
                    *model = nullptr;
                    continue;
                }
                const std::vector<CDesignObject*>& selected = m_selected[kModelObjectType];
                if (std::find(selected.begin(), selected.end(), *model) == selected.end()) {
                    SelectObject(kModelObjectType, *model);
                    ++added;
                }
            }
        }
    }
    return added;
}
