#include <algorithm>
#include <cmath>
#include <memory>
#include <span>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "objects/2DModelIconShape.h"
#include "objects/2DPhotoIconShape.h"
#include "objects/3DObject.h"
#include "objects/ModelPackage.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/MathTypes.h"

namespace {

// How far ahead of the camera new objects appear.
constexpr float kPlacementDistance = 350.0f;

// The object when it is still in the scene's list of the type.
C3DObject* IfInScene(CDesignScene* scene, int type, C3DObject* object) {
    if (scene == nullptr || object == nullptr) {
        return nullptr;
    }
    const std::vector<CDesignObject*>& list = scene->Objects(type);
    return std::find(list.begin(), list.end(), object) != list.end() ? object : nullptr;
}

}  // namespace

C3DObject* CHousDoc::GetCurrentFurniture() const {
    return IfInScene(GetScene(), kModelObjectType, m_currentFurniture);
}

C3DObject* CHousDoc::GetCurrentPhoto() const {
    return IfInScene(GetScene(), kPhotoObjectType, m_currentPhoto);
}

C3DObject* CHousDoc::GetLastPlacedObject() const {
    if (m_lastPlaced == nullptr) {
        return nullptr;
    }
    CDesignScene* scene = GetScene();
    for (const int type : {kModelObjectType, kPhotoObjectType}) {
        if (C3DObject* object = IfInScene(scene, type, m_lastPlaced)) {
            return object;
        }
    }
    return nullptr;
}

C2DPictureShape* CHousDoc::AddModelPlanSymbol(const CModelPackage& package) {
    CDesignScene* scene = GetScene();
    C3DObject* model = GetCurrentFurniture();
    if (scene == nullptr || model == nullptr) {
        return nullptr;
    }
    auto icon = std::make_unique<C2DModelIconShape>();
    icon->LoadSymbolFromMemory(std::span<const uint8_t>(package.GetSymbolData()));
    const std::array<float, 3>& extent = model->GetExtent();
    icon->SetSize(RoundToInt(extent[0]), RoundToInt(extent[1]));
    C2DPictureShape* symbol = icon.get();
    model->SetPlanIcon(std::move(icon));
    model->UpdatePlanIcon();
    scene->AddObjectIfAbsent(kModelIconShapeType, symbol);
    return symbol;
}

C2DPictureShape* CHousDoc::AddPhotoPlanSymbol(const std::string& dxfPath) {
    CDesignScene* scene = GetScene();
    C3DObject* photo = GetCurrentPhoto();
    if (scene == nullptr || photo == nullptr) {
        return nullptr;
    }
    auto icon = std::make_unique<C2DPhotoIconShape>();
    icon->LoadSymbolFile(dxfPath);
    const int width = RoundToInt(photo->GetRealSize()[0]);
    icon->SetSize(width, width);
    const gfx::Vector3 position = photo->GetPosition();
    icon->SetLevelHeight(position.y);
    icon->SetPosition(position.x, position.z);
    C2DPictureShape* symbol = icon.get();
    photo->SetPlanIcon(std::move(icon));
    scene->AddObjectIfAbsent(kPhotoIconShapeType, symbol);
    return symbol;
}

gfx::Vector3 CHousDoc::GetPlacementPoint() const {
    const CameraPosition eye = GetCameraPosition();
    const double heading = GetCameraHeading();
    const CDesignScene* scene = GetScene();
    const float floor = scene != nullptr ? scene->GetCurrentFloorHeight() : 0.0f;
    return {eye.x + kPlacementDistance * static_cast<float>(std::sin(heading)), floor,
            eye.z + kPlacementDistance * static_cast<float>(std::cos(heading))};
}
