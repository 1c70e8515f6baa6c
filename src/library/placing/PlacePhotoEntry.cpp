#include <memory>
#include <string>
#include <vector>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "document/PlanFacingAngle.h"
#include "foundation/ApplicationValues.h"
#include "foundation/FileTypes.h"
#include "foundation/GeometryMath.h"
#include "library/PictureCatalogEntry.h"
#include "library/placing/LibraryPlacing.h"
#include "library/placing/PlacingSteps.h"
#include "objects/2DPictureShape.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/PhotoObject.h"
#include "platform/gfx/MathTypes.h"

namespace {

constexpr int kReplaceMode = 1;
// A picture's pixels give its first size in centimetres at this rate.
constexpr float kCentimetresPerPixel = 0.125f;
// Shadow maps are drawn without blending.
constexpr int kShadowMapKind = 2;
constexpr const char* kPhotoSymbolFile = "2DIcon\\100-1.dxf";

gfx::Vector3 CameraEye(const CHousDoc& doc) {
    const CameraPosition eye = doc.GetCameraPosition();
    return {eye.x, eye.y, eye.z};
}

// A picture that does not turn to the viewer faces the way the camera looks,
// to the nearest quarter turn.
float HeadingFacingCamera(double cameraHeading) {
    const double h = NormalizeRadians(cameraHeading);
    if (h <= kPi / 4.0 || h > 7.0 * kPi / 4.0) {
        return 0.0f;
    }
    if (h <= 3.0 * kPi / 4.0) {
        return static_cast<float>(1.5 * kPi);
    }
    if (h <= 5.0 * kPi / 4.0) {
        return static_cast<float>(kPi);
    }
    return static_cast<float>(0.5 * kPi);
}

// A new photo of the entry's picture in the scene at the drop point, with
// its add record. Null when the picture cannot be read (LoadTexture has said
// so): a photo without its picture would be placed, priced and saved empty.
CPhotoObject* CreatePhoto(CHousDoc& doc, CDesignScene& scene, const PictureCatalogEntry& entry,
                          const LibraryDropPoint& drop) {
    const std::string& path = entry.filePath;
    auto photo = std::make_unique<CPhotoObject>();
    photo->SetNumber(static_cast<int>(scene.NextObjectId()));
    photo->SetDevice(scene.GetRenderDevice());
    if (photo->BuildMesh() == 0) {
        return nullptr;
    }
    photo->TextureNames()[0] = path;
    photo->SetBlend(1);
    const LoadedPicture picture = photo->LoadTexture(photo->GetDevice(), 0, path);
    if (!picture.textured) {
        return nullptr;
    }
    if (GetFileTypeByExtension(path) != kFileTypeMaterial) {
        photo->SetScale(static_cast<float>(picture.width) * kCentimetresPerPixel,
                        static_cast<float>(picture.height) * kCentimetresPerPixel, 1.0f);
    } else {
        photo->SetScale(static_cast<float>(picture.width), static_cast<float>(picture.height),
                        1.0f);
        if (std::string link = entry.material.GetWebLink(); !link.empty()) {
            photo->SetWebLink(std::move(link));
        }
    }
    if (entry.width > 0.0 && entry.height > 0.0) {
        photo->SetPictureSize(static_cast<float>(entry.width), static_cast<float>(entry.height));
    }
    photo->SetPrice(static_cast<float>(entry.price));
    photo->SetName(entry.name);
    photo->SetColor(doc.Settings().photoColor);
    photo->SetMapKind(GetPictureMapKind(path));
    const int facing = IsPlainPicture(path);
    photo->SetFacingViewer(facing);
    if (facing == 0) {
        photo->SetRotation(HeadingFacingCamera(doc.GetCameraHeading()), 0.0f, 0.0f);
    }

    CPhotoObject* placed = photo.release();
    scene.AddObjectIfAbsent(kPhotoObjectType, placed);
    placed->SetPositionVector(doc.GetPlacementPoint());
    ApplyDropPoint(*placed, drop);
    PushAddRecord(doc, 1, kPhotoObjectType, placed);
    doc.SetCurrentPhoto(placed);
    doc.AddPhotoPlanSymbol(GetProgramFilePath(kPhotoSymbolFile));
    placed->SetFilePath(path);
    if (facing != 0) {
        TurnToCamera(*placed, CameraEye(doc));
    }
    placed->UpdateWorldMatrix();
    if (C2DPictureShape* icon = placed->GetPlanIcon()) {
        icon->SetAngle(placed->GetHeading());
        if (facing == 0) {
            placed->SetPlanSymbolShown(1);
            placed->SetPlanOutlineShown(1);
            placed->UpdatePlanOutline();
        }
    }
    placed->UpdateTranslucency();
    doc.SetLastPlacedObject(placed);
    return placed;
}

// The selected photo shows the picture at path instead, keeping its size.
// False, with the photo's path and texture name as they were, when the
// picture cannot be loaded (the scene has said so).
bool ExchangePicture(CHousDoc& doc, CDesignScene& scene, CPhotoObject& photo,
                     const std::string& path, int mapKind) {
    const std::string oldPath = photo.GetFilePath();
    MaterialSnapshot before;
    before.texture = gfx::ResourceRef<gfx::Texture>::Share(photo.GetTexture(0));
    before.material = photo.GetMaterial(0);
    before.textureName = photo.GetTextureNames().at(0);
    before.mapping = photo.GetMappingRecord(0);
    photo.TextureNames()[0] = path;
    photo.SetFilePath(path);
    gfx::Texture* texture =
        scene.GetTextureOrWarn(path, mapKind != kShadowMapKind ? 1 : 0, nullptr);
    if (texture == nullptr) {
        photo.TextureNames()[0] = before.textureName;
        photo.SetFilePath(oldPath);
        return false;
    }
    photo.SetTexturePointer(0, texture);
    // The whole material, name included, so that undo brings the old picture
    // back with its path and not only its texture.
    MaterialSnapshot after = before;
    after.texture = gfx::ResourceRef<gfx::Texture>::Share(texture);
    after.textureName = path;
    auto record = std::make_unique<HistoryRecord>();
    record->count = 1;
    record->objectType = kPhotoObjectType;
    record->operation = kHistoryMaterial;
    record->value = 0;
    record->before = std::move(before);
    record->after = std::move(after);
    record->object = &photo;
    doc.PushUndoRecord(std::move(record));
    photo.SetMapKind(mapKind);
    return true;
}

// A new photo of the entry where the old one stood, turned like it; the old
// one leaves the scene and the selection for its delete record, the new one
// is selected in its place. Null when the picture cannot be read.
CPhotoObject* ReplacePhoto(CHousDoc& doc, CDesignScene& scene, const PictureCatalogEntry& entry,
                           CPhotoObject& old) {
    const gfx::Vector3 position = old.GetPosition();
    LibraryDropPoint at;
    at.x = position.x;
    at.z = position.z;
    at.y = position.y;
    at.centre = 1;
    CPhotoObject* created = CreatePhoto(doc, scene, entry, at);
    if (created == nullptr) {
        return nullptr;
    }
    if (C2DPictureShape* icon = old.GetPlanIcon()) {
        scene.RemoveObject(kPhotoIconShapeType, icon);
    }
    scene.DeselectObject(kPhotoObjectType, &old);
    scene.RemoveObject(kPhotoObjectType, &old);
    PushDeleteRecord(doc, 1, kPhotoObjectType, &old);
    created->SetRotation(static_cast<float>(old.GetHeading()),
                         static_cast<float>(old.GetElevation()), static_cast<float>(old.GetRoll()));
    created->UpdateWorldMatrix();
    scene.SelectObject(kPhotoObjectType, created);
    return created;
}

// Every selected photo shows the entry's picture: the same photo with the
// new picture when the size is kept, else a new photo in its place. One
// undo step; the last photo changed, or null when none was.
CPhotoObject* ReplacePhotos(CHousDoc& doc, CDesignScene& scene, const PictureCatalogEntry& entry,
                            bool keepSize) {
    const std::string& path = entry.filePath;
    const int mapKind = GetPictureMapKind(path);
    const int plain = IsPlainPicture(path);
    doc.BeginUndoGroup();
    // Replacing a photo takes it out of the selection.
    const std::vector<CDesignObject*> selected = scene.Selected(kPhotoObjectType);
    CPhotoObject* last = nullptr;
    for (CDesignObject* object : selected) {
        auto* photo = static_cast<CPhotoObject*>(object);
        if (keepSize) {
            if (!ExchangePicture(doc, scene, *photo, path, mapKind)) {
                continue;
            }
        } else {
            photo = ReplacePhoto(doc, scene, entry, *photo);
            if (photo == nullptr) {
                continue;
            }
        }
        photo->SetFacingViewer(plain);
        if (plain != 0) {
            TurnToCamera(*photo, CameraEye(doc));
        }
        last = photo;
    }
    doc.EndUndoGroup();
    if (last != nullptr) {
        doc.SetDesignModified(1);
    }
    doc.UpdateAllViews(kFullRefreshHint);
    return last;
}

}  // namespace

CPhotoObject* PlacePhotoEntry(CHousDoc& doc, const PictureCatalogEntry& entry,
                              const LibraryDropPoint& drop, const LibraryPlacingOptions& options) {
    CDesignScene* scene = PlacingScene(doc);
    // A drop during a save or an undo would change the lists being walked.
    if (scene == nullptr || doc.GetBusy() != 0) {
        return nullptr;
    }
    if (options.mode == kReplaceMode) {
        return ReplacePhotos(doc, *scene, entry, options.keepSize);
    }
    CPhotoObject* photo = CreatePhoto(doc, *scene, entry, drop);
    if (photo == nullptr) {
        return nullptr;
    }
    doc.SetDesignModified(1);
    doc.UpdateAllViews(kFullRefreshHint);
    return photo;
}
