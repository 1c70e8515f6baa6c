#include "document/DesignScene.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"

ScenePick CDesignScene::PickInTypeList(int type, const ScenePickQuery& query) const {
    ScenePick best;
    best.type = type;
    gfx::Vector3 worldOrigin;
    gfx::Vector3 worldDirection;
    if (!ComputeWorldPickRay(query.projection, query.view, query.x, query.y, query.width,
                             query.height, &worldOrigin, &worldDirection)) {
        return best;
    }
    for (CDesignObject* item : m_objects[type]) {
        auto* object = static_cast<C3DObject*>(item);
        if (object->IsHidden() != 0 || object->IsCameraAttached() != 0) {
            continue;
        }
        const auto level = static_cast<float>(object->GetLevelHeight());
        if (!pick_rules::IsSeenFromEye(type, level, query.eye.y)) {
            continue;
        }
        gfx::Vector3 direction;
        gfx::Vector3 origin;
        object->ToLocalRay(worldOrigin, worldDirection, &origin, &direction);
        if (!pick_rules::AcceptsRay(type, direction)) {
            continue;
        }
        PickHit hits[16];
        uint32_t count = 0;
        float distance = ScenePick::kNoHit;
        if (object->IntersectRay(1, hits, &count, origin, direction, &distance) == 0 ||
            count == 0) {
            continue;
        }
        if (pick_rules::IsNearer(hits[0].distance, best.distance)) {
            best.object = object;
            best.face = static_cast<int>(hits[0].face);
            best.distance = hits[0].distance;
        }
    }
    return best;
}

ScenePick CDesignScene::PickNearestObject(const ScenePickQuery& query) const {
    ScenePick best;
    for (const int type : pick_rules::kNearestPickOrder) {
        if (type == kLightObjectType && !query.showLights) {
            continue;
        }
        const ScenePick candidate = PickInTypeList(type, query);
        if (candidate.object != nullptr &&
            pick_rules::IsNearer(candidate.distance, best.distance)) {
            best = candidate;
        }
    }
    if (best.distance >= ScenePick::kNoHit) {
        return {};
    }
    return best;
}
