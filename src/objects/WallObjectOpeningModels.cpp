#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "objects/2DPictureShape.h"
#include "objects/ModelObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/SceneServices.h"
#include "objects/WallObject.h"

namespace {

// The factor that gives a mesh of extent the size wanted; a mesh without
// extent on the axis keeps its own size.
float FitFactor(float size, float extent) {
    return extent > 0.0f ? size / extent : 1.0f;
}

bool IsInCurrentScene(const CModelObject* model) {
    if (g_pCurrentScene == nullptr) {
        return false;
    }
    const std::vector<CDesignObject*>& models = g_pCurrentScene->GetObjectList(kModelObjectType);
    return std::find(models.begin(), models.end(), model) != models.end();
}

}  // namespace

void CWallObject::PlaceOpeningModel(const WallFaceItem& item, C3DObject& model) const {
    const CVector2F centre = (item.firstCorner + item.secondCorner) / 2.0f;
    const float thickness = item.twinFace >= 0 ? GetHoleThickness(item) : 0.0f;
    const FaceRotation rotation = GetFaceRotation(item.face);
    const gfx::Vector3 point = FacePointToWorld(item.face, centre.x, centre.y, thickness);

    model.SetRotation(rotation.heading, rotation.elevation, rotation.roll);
    const std::array<float, 3>& extent = model.GetExtent();
    model.SetScale(FitFactor(std::fabs(item.secondCorner.x - item.firstCorner.x), extent[0]),
                   FitFactor(std::fabs(item.secondCorner.y - item.firstCorner.y), extent[2]), 1.0f);
    model.MoveCentreTo(point);
    if (model.GetPlanSymbolShown() != 0 && model.GetPlanOutlineShown() != 0) {
        model.UpdatePlanOutline();
    }
    if (C2DPictureShape* icon = model.GetPlanIcon()) {
        icon->SetAngle(rotation.heading);
        icon->SetPosition(point.x, point.z);
    }
}

void CWallObject::UpdateOpeningModels() {
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        for (CModelObject** model : {&item->model1, &item->model2}) {
            if (*model == nullptr) {
                continue;
            }
            // A model the scene let go (deleted, or undone) may be gone.
            if (IsInCurrentScene(*model)) {
                PlaceOpeningModel(*item, **model);
            } else {
                *model = nullptr;
            }
        }
    }
}
