#include "document/DesignScene.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/MeshIntersect.h"

ScenePick CDesignScene::PickInTypeList(int type, const ScenePickQuery& query) const {
    ScenePick best;
    best.type = type;
    gfx::Vector3 worldOrigin;
    gfx::Vector3 worldDirection;
    if (!ComputeWorldPickRay(query.projection, query.view, query.x, query.y, query.width,
                             query.height, &worldOrigin, &worldDirection)) {
        return best;
    }
    // The objects whose boxes the ray enters, nearest box first: once a box
    // lies beyond the best hit, no face in it or after it can be nearer.
    // Distances along the ray are the same in every object's coordinates.
    struct Candidate {
        float entry;
        size_t order;
        C3DObject* object;
        gfx::Vector3 origin;
        gfx::Vector3 direction;
    };
    std::vector<Candidate> candidates;
    const std::vector<CDesignObject*>& objects = m_objects[type];
    for (size_t order = 0; order < objects.size(); ++order) {
        auto* object = static_cast<C3DObject*>(objects[order]);
        if (object->IsHidden() != 0 || object->IsCameraAttached() != 0 ||
            object->GetMesh() == nullptr) {
            continue;
        }
        const auto level = static_cast<float>(object->GetLevelHeight());
        if (!pick_rules::IsSeenFromEye(type, level, query.eye.y)) {
            continue;
        }
        Candidate candidate{0.0f, order, object, {}, {}};
        object->ToLocalRay(worldOrigin, worldDirection, &candidate.origin, &candidate.direction);
        if (!pick_rules::AcceptsRay(type, candidate.direction)) {
            continue;
        }
        const std::optional<float> entry =
            gfx::RayBoxEntry(*object->GetMesh(), candidate.origin, candidate.direction);
        if (entry) {
            candidate.entry = *entry;
            candidates.push_back(candidate);
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.entry < b.entry || (a.entry == b.entry && a.order < b.order);
    });
    size_t bestOrder = objects.size();
    for (const Candidate& candidate : candidates) {
        // Equally near hits go to the object listed first, as a pass in list
        // order would choose.
        if (candidate.entry > best.distance) {
            break;
        }
        PickHit hits[16];
        uint32_t count = 0;
        float distance = ScenePick::kNoHit;
        if (candidate.object->IntersectRay(1, hits, &count, candidate.origin, candidate.direction,
                                           &distance) == 0 ||
            count == 0) {
            continue;
        }
        if (pick_rules::IsNearer(hits[0].distance, best.distance) ||
            (hits[0].distance == best.distance && candidate.order < bestOrder)) {
            best.object = candidate.object;
            best.face = static_cast<int>(hits[0].face);
            best.distance = hits[0].distance;
            bestOrder = candidate.order;
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
