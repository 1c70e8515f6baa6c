#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"
#include "objects/TextureMappingRecord.h"

namespace {

// How far the far plane reaches, as a whole number, as the picture's sizes
// take it.
float TruncatedFar(const CDesignScene::BackgroundCamera& camera) {
    return std::isfinite(camera.farPlane) ? std::trunc(camera.farPlane) : 0.0f;
}

C3DObject* FirstAttachedPhoto(const std::vector<CDesignObject*>& photos) {
    for (CDesignObject* item : photos) {
        auto* photo = static_cast<C3DObject*>(item);
        if (photo->IsCameraAttached() != 0 && photo->GetMesh() != nullptr) {
            return photo;
        }
    }
    return nullptr;
}

}  // namespace

void CDesignScene::SortTypeByCameraDistance(int type, const gfx::Vector3& point, int order) {
    std::vector<CDesignObject*>& list = m_objects[type];
    for (std::size_t i = 0; i < list.size(); ++i) {
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            const double keyI = static_cast<C3DObject*>(list[i])->GetMaxSquaredDistanceTo(point);
            const double keyJ = static_cast<C3DObject*>(list[j])->GetMaxSquaredDistanceTo(point);
            if ((order == 0 && keyJ > keyI) || (order == 1 && keyJ < keyI)) {
                std::swap(list[i], list[j]);
            }
        }
    }
}

void CDesignScene::SortPhotosBackToFront(const gfx::Vector3& point) {
    SortTypeByCameraDistance(kPhotoObjectType, point, 0);
}

C3DObject* CDesignScene::GetBackgroundPhoto() const {
    const std::vector<CDesignObject*>& photos = m_objects[kPhotoObjectType];
    return std::find(photos.begin(), photos.end(), m_pBackgroundPhoto) != photos.end()
               ? m_pBackgroundPhoto
               : nullptr;
}

// Where the picture stands: as far ahead as the far plane allows once its
// spread is taken off. A near far plane leaves no room (the square root of
// a negative number), and the picture then stands at the eye.
gfx::Vector3 CDesignScene::ComputeBackgroundPhotoPosition(const BackgroundCamera& camera) {
    const double far = TruncatedFar(camera);
    const double radicand = (far - 100.0) * (far - 100.0) - (0.6 * far) * (0.6 * far);
    const double distance = radicand > 0.0 ? std::trunc(std::sqrt(radicand)) : 0.0;
    gfx::Vector3 direction = camera.direction;
    const double length = std::sqrt(direction.x * direction.x + direction.y * direction.y +
                                    direction.z * direction.z);
    if (length > 0.0) {
        direction = {static_cast<float>(direction.x / length),
                     static_cast<float>(direction.y / length),
                     static_cast<float>(direction.z / length)};
    }
    const auto d = static_cast<float>(distance);
    return {camera.eye.x + d * direction.x, camera.eye.y + d * direction.y,
            camera.eye.z + d * direction.z};
}

void CDesignScene::RemoveBackgroundPhoto() {
    C3DObject* photo = GetBackgroundPhoto();
    m_pBackgroundPhoto = nullptr;
    if (photo == nullptr) {
        return;
    }
    RemoveObject(kPhotoObjectType, photo);
    ReleaseCopiedObjects({photo});
    delete photo;
}

void CDesignScene::CreateBackgroundPhoto(const BackgroundCamera& camera, const std::string& file,
                                         int width, int height) {
    if (file.empty()) {
        return;
    }
    const gfx::Vector3 position = ComputeBackgroundPhotoPosition(camera);
    RemoveBackgroundPhoto();
    auto photo = std::make_unique<CPhotoObject>();
    photo->SetNumber(static_cast<int>(NextObjectId()));
    photo->SetDevice(TargetDevice());
    if (photo->BuildMesh() == 0) {
        return;
    }
    photo->SetCameraAttached(1);
    photo->SetFacingViewer(0);
    photo->SetPositionVector(position);
    const float far = TruncatedFar(camera);
    const float aspect = height > 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    photo->SetScale(far * aspect * 1.2f, far * 1.2f, 1.0f);
    photo->UpdateWorldMatrix();
    if (photo->GetMaterialCount() > 0) {
        gfx::Material material = photo->GetMaterial(0);
        material.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
        material.emissive = {1.0f, 1.0f, 1.0f, 1.0f};
        material.power = 0.0f;
        photo->SetMaterial(0, material);
    }
    photo->LoadTexture(TargetDevice(), 0, file);
    m_pBackgroundPhoto = photo.get();
    m_objects[kPhotoObjectType].push_back(photo.release());
}

void CDesignScene::PlaceBackgroundPhoto(const BackgroundCamera& camera, float heading,
                                        float pitch) {
    C3DObject* photo = FirstAttachedPhoto(m_objects[kPhotoObjectType]);
    if (photo == nullptr) {
        return;
    }
    photo->SetRotation(-heading, -pitch, 0.0f);
    const float ratio = m_pDoc != nullptr ? static_cast<float>(m_pDoc->Settings().bgRatio) : 0.0f;
    photo->MoveAnchorTo(ComputeBackgroundPhotoPosition(camera), ratio / 100.0f);
    photo->UpdateWorldMatrix();
}

void CDesignScene::ScrollBackgroundPhoto(float heading, float pitch) {
    C3DObject* photo = FirstAttachedPhoto(m_objects[kPhotoObjectType]);
    if (photo == nullptr || photo->GetMaterialCount() <= 0) {
        return;
    }
    constexpr double kTurn = 2.0 * std::numbers::pi;
    TextureMappingRecord mapping = photo->GetMappingRecord(0);
    const double halfCos = std::cos(pitch / 2.0);
    mapping.offsetU = static_cast<float>(heading / kTurn);
    mapping.offsetV = static_cast<float>(halfCos * halfCos * pitch / kTurn);
    photo->ApplyTextureMapping(0, mapping, false);
}
