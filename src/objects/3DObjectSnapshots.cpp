#include <algorithm>

#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectSnapshot.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/SceneServices.h"

void C3DObject::PushSnapshotRecord(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                                   int groupCount, int type,
                                   std::unique_ptr<CObjectSnapshot> before) {
    auto record = std::make_unique<HistoryRecord>();
    record->count = groupCount;
    record->objectType = type;
    record->operation = kHistoryProperties;
    record->value = value;
    record->before = std::move(before);
    record->object = this;
    list.push_back(std::move(record));
}

void C3DObject::CommitSnapshotRecord(std::vector<std::unique_ptr<HistoryRecord>>& list,
                                     std::unique_ptr<HistoryRecord> record, int groupCount,
                                     std::unique_ptr<CObjectSnapshot> after) {
    if (!record) {
        return;
    }
    record->count = groupCount;
    const auto* before = std::get_if<std::unique_ptr<CObjectSnapshot>>(&record->before);
    const bool changed = before == nullptr || !*before || (*before)->IsDifferent(*after);
    record->after = std::move(after);
    if (changed) {
        list.push_back(std::move(record));
    }
}

void C3DObject::RestoreTransformFromSnapshot(const CObjectSnapshot& snapshot) {
    m_position = snapshot.position;
    m_realSize = snapshot.realSize;
    m_roll = snapshot.roll;
    m_heading = snapshot.heading;
    m_elevation = snapshot.elevation;
    m_price = snapshot.price;
    m_name = snapshot.name;
    m_note = snapshot.note;
}

void C3DObject::RestoreMaterialsFromSnapshot(const CObjectSnapshot& snapshot) {
    m_blend = snapshot.blend;
    m_textureNames.clear();
    // A snapshot has one record per material; one that somehow has fewer
    // restores what it has rather than reading past its end.
    const int count = std::min(m_materialCount, static_cast<int>(snapshot.materials.size()));
    for (int i = 0; i < count; ++i) {
        m_materials[i].power = snapshot.power;
        ApplyMaterialRecord(i, snapshot.materials[i], false);
    }
    for (int i = count; i < m_materialCount; ++i) {
        m_textureNames.emplace_back(kNoTextureName);
    }
    UpdateTranslucency();
}

void C3DObject::RestoreColoursFromSnapshot(const CObjectSnapshot& snapshot) {
    m_objectMaterial = snapshot.objectMaterial;
    const int count = std::min(m_materialCount, static_cast<int>(snapshot.materials.size()));
    for (int i = 0; i < count; ++i) {
        const MaterialRecord& record = snapshot.materials[i];
        gfx::Material& material = m_materials[i];
        material.ambient = record.ambient;
        material.diffuse = record.diffuse;
        material.specular = record.specular;
        material.emissive = record.emissive;
        material.power = snapshot.power;
    }
}

void C3DObject::RestoreNamesFromSnapshot(const CObjectSnapshot& snapshot) {
    m_webLink = snapshot.webLink;
    m_triggerSound = snapshot.triggerSound;
}

void C3DObject::RestoreShadowSettingsFromSnapshot(const CObjectSnapshot& snapshot) {
    m_shadowReceiver = snapshot.shadowReceiver;
    m_shadowParameters = snapshot.shadowParameters;
    m_shadowLights.clear();
    if (g_pCurrentScene == nullptr) {
        return;
    }
    const std::vector<CDesignObject*>& lights = g_pCurrentScene->GetObjectList(kLightObjectType);
    for (const double number : snapshot.shadowLights) {
        const auto light = std::find_if(lights.begin(), lights.end(), [number](CDesignObject* o) {
            return static_cast<C3DObject*>(o)->GetNumber() == number;
        });
        // A light deleted since the edit is left out.
        if (light != lights.end()) {
            m_shadowLights.push_back(static_cast<C3DObject*>(*light));
        }
    }
}
