#include <cmath>
#include <memory>

#include "document/DesignScene.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/DefaultLightPreset.h"
#include "objects/2DPictureShape.h"
#include "objects/HistoryRecord.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Text3DObject.h"
#include "view3d/HousView.h"

namespace {

constexpr float kPlacementDistance = 350.0f;
constexpr float kText3DScale = 50.0f;
// The main frame's command that shows the light shapes.
constexpr int kShowLightShapes = 32794;
constexpr int kDirectionalLight = 3;

gfx::Vector3 Normalized(const gfx::Vector3& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return length > 0.0f ? gfx::Vector3{v.x / length, v.y / length, v.z / length}
                         : gfx::Vector3{0.0f, 0.0f, 0.0f};
}

}  // namespace

gfx::Vector3 CHousView::GetPlacementPoint(int mode) {
    const CHousViewCamera& camera = m_renderer.GetCamera();
    const gfx::Vector3 eye = camera.GetCameraPosition();
    const gfx::Vector3 direction = camera.GetDirection();
    if (mode == 0) {
        const gfx::Vector3 ahead = Normalized({direction.x, 0.0f, direction.z});
        CDesignScene& scene = m_renderer.GetScene();
        const float base = scene.GetStoreyBase(scene.GetFloorOfHeight(eye.y, kModelObjectType));
        return {eye.x + kPlacementDistance * ahead.x, base, eye.z + kPlacementDistance * ahead.z};
    }
    if (mode == 1) {
        const gfx::Vector3 ahead = Normalized(direction);
        return {eye.x + kPlacementDistance * ahead.x, eye.y + kPlacementDistance * ahead.y,
                eye.z + kPlacementDistance * ahead.z};
    }
    return {0.0f, 0.0f, 0.0f};
}

void CHousView::OnAddLight() {
    if (m_pDoc->Settings().showLight == 0) {
        RunViewCommand(kShowLightShapes);
    }
    CDesignScene& scene = m_renderer.GetScene();
    auto light = std::make_unique<CLightObject>();
    light->SetDevice(GetEngine().GetDevice());
    light->SetNumber(static_cast<int>(scene.NextObjectId()));
    const DefaultLightPreset& preset = m_lightTypeToInsert == kDirectionalLight
                                           ? GetDefaultDirectionalLight1()
                                           : GetDefaultPointLight();
    light->LightSettings() = preset.light;
    light->SetLightType(m_lightTypeToInsert);
    const gfx::Vector3 position = GetPlacementPoint(1);
    if (IsPositionOccupied(kLightObjectType, position.x, position.y, position.z)) {
        return;
    }
    light->SetPositionVector(position);
    light->UpdateLight();
    light->RebuildPlanIcon();
    CLightObject* added = light.release();
    m_pDoc->PushAddRecord(kLightObjectType, added);
    scene.AddObjectIfAbsent(kLightObjectType, added);
    if (added->GetPlanIcon() != nullptr) {
        scene.AddObjectIfAbsent(kLightIconShapeType, added->GetPlanIcon());
    }
    m_pDoc->SetDesignModified(1);
    m_pDoc->SetEditModeAndRefresh(EditMode::kNone);
}

void CHousView::OnAddText3D() {
    CDesignScene& scene = m_renderer.GetScene();
    auto text = std::make_unique<CText3DObject>();
    text->SetNumber(static_cast<int>(scene.NextObjectId()));
    text->SetDevice(GetEngine().GetDevice());
    text->Rebuild();
    text->SetUniformScale(kText3DScale);
    text->SetPositionVector(GetPlacementPoint(0));
    text->UpdateFloorIndex();
    text->SetColor(m_pDoc->Settings().shapeColor);
    text->UpdatePlanOutline();
    text->UpdateWorldMatrix();
    CText3DObject* added = text.release();
    scene.AddObjectIfAbsent(kText3DObjectType, added);
    m_pDoc->PushAddRecord(kText3DObjectType, added);
    m_pDoc->SetEditModeAndRefresh(EditMode::kNone);
    m_pDoc->SetDesignModified(1);
}
