#include <memory>

#include "document/DesignScene.h"
#include "foundation/DefaultLightPreset.h"
#include "objects/2DPictureShape.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"

void CDesignScene::AddDefaultLights() {
    for (const DefaultLightPreset* preset :
         {&GetDefaultPointLight(), &GetDefaultDirectionalLight1(),
          &GetDefaultDirectionalLight2()}) {
        auto light = std::make_unique<CLightObject>();
        light->SetDevice(TargetDevice());
        light->SetNumber(static_cast<int>(NextObjectId()));
        light->SetLightType(static_cast<int>(preset->light.type));
        light->LightSettings() = preset->light;
        light->SetPosition(preset->x, preset->y, preset->z);
        light->SetRotation(preset->heading, preset->elevation, preset->roll);
        light->UpdateLight();
        light->RebuildPlanIcon();
        CLightObject* added = light.release();
        m_objects[kLightObjectType].push_back(added);
        m_objects[kLightIconShapeType].push_back(added->GetPlanIcon());
    }
}
