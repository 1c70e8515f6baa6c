#include <algorithm>
#include <cmath>

#include "document/DesignScene.h"
#include "objects/3DObject.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"

namespace {

// A directional light reaches everything, so its distance never rules it out.
constexpr int kPointLight = 1;
constexpr int kSpotLight = 2;
constexpr int kDirectionalLight = 3;
constexpr double kNoLightYet = 1e10;

// The types whose objects keep shadow lights.
constexpr int kCasterTypes[] = {kModelObjectType, kWallObjectType, kText3DObjectType,
                                kPhotoObjectType, kCeilingObjectType};

double DistanceBetween(const gfx::Vector3& a, const gfx::Vector3& b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

bool HoldsLight(const C3DObject& object, const C3DObject* light) {
    const std::vector<C3DObject*>& lights = object.GetShadowLights();
    return std::find(lights.begin(), lights.end(), light) != lights.end();
}

}  // namespace

void CDesignScene::AssignNearestLight(C3DObject& object) {
    const gfx::Vector3 position = object.GetPosition();
    C3DObject* nearest = nullptr;
    double best = kNoLightYet;
    for (CDesignObject* item : m_objects[kLightObjectType]) {
        auto* light = dynamic_cast<CLightObject*>(item);
        if (light == nullptr) {
            continue;
        }
        const double distance = DistanceBetween(light->GetPosition(), position);
        const int kind = light->GetLightType();
        const bool reaches =
            kind == kDirectionalLight ||
            ((kind == kPointLight || kind == kSpotLight) && light->GetLight().range >= distance);
        // The later of two equally near lights wins.
        if (reaches && distance <= best) {
            best = distance;
            nearest = light;
        }
    }
    if (nearest != nullptr) {
        object.ShadowLights().push_back(nearest);
    }
}

void CDesignScene::RelightObjectsLitBy(const C3DObject* light) {
    for (const int type : kCasterTypes) {
        RelightTypeLitBy(type, light);
    }
}

void CDesignScene::RelightTypeLitBy(int type, const C3DObject* light) {
    for (CDesignObject* item : m_objects[type]) {
        auto* object = static_cast<C3DObject*>(item);
        if (HoldsLight(*object, light)) {
            object->BuildShadowVolume();
        }
    }
}
