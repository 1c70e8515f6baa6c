#include "document/HistoryReplay.h"

#include "document/DesignScene.h"
#include "document/HistoryFaceItemReplay.h"
#include "foundation/PathUtils.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Text3DObject.h"
#include "objects/WallObject.h"

namespace {

// Property groups of a property record.
constexpr int kAllGroups = -1;
constexpr int kTransformGroup = 1;
constexpr int kMaterialsGroup = 2;
constexpr int kColoursGroup = 3;
constexpr int kNamesGroup = 4;
constexpr int kShadowGroup = 5;
constexpr int kTextGroup = 6;

bool Is3DType(int type) {
    return type >= kModelObjectType && type <= kCeilingObjectType;
}

bool HasMaterial(const C3DObject& object, int index) {
    return index >= 0 && index < object.GetMaterialCount();
}

// A texture brought back by undo may be one no cache holds any more: the
// object's own cache keeps it then, so that it lives as long as the object.
void KeepTextureAlive(C3DObject& object, gfx::Texture* texture, const std::string& name,
                      CDesignScene* scene) {
    if (texture == nullptr || object.GetOwnTextureCache().FindEntry(texture) != nullptr ||
        (scene != nullptr && scene->GetTextureCache().FindEntry(texture) != nullptr)) {
        return;
    }
    texture->AddRef();
    object.GetOwnTextureCache().Add(GetPathFileName(name), 0, 0, texture, nullptr);
}

void RestoreTransform(int type, C3DObject& object, const CObjectSnapshot& snapshot) {
    if (Is3DType(type)) {
        object.RestoreTransformFromSnapshot(snapshot);
    }
    object.UpdateWorldMatrix();
    if (C2DPictureShape* icon = object.GetPlanIcon()) {
        const std::array<float, 3>& size = object.GetRealSize();
        if (type == kModelObjectType) {
            object.UpdatePlanIcon();
            icon->SetSize(static_cast<int32_t>(size[0]), static_cast<int32_t>(size[1]));
        } else if (type == kPhotoObjectType) {
            object.UpdatePlanIcon();
            icon->SetSize(static_cast<int32_t>(size[0]), static_cast<int32_t>(size[0]));
        }
    }
    object.UpdatePlanOutline();
}

// A 3D text's words come back with a mesh made for them, at the scale the
// text has now; other objects have no words.
void RestoreText(C3DObject& object, const CObjectSnapshot& snapshot) {
    auto* text = dynamic_cast<CText3DObject*>(&object);
    const auto* words = dynamic_cast<const CText3DSnapshot*>(&snapshot);
    if (text == nullptr || words == nullptr) {
        return;
    }
    text->SetText(words->text);
    const std::array<float, 3> scale = text->GetScale();
    text->CreateTextMesh();
    text->SetScale(scale[0], scale[1], scale[2]);
    text->UpdatePlanOutline();
}

void RestoreProperties(int type, int group, C3DObject& object, const CObjectSnapshot& snapshot) {
    const bool all = group == kAllGroups;
    if (all || group == kTransformGroup) {
        RestoreTransform(type, object, snapshot);
    }
    if (!Is3DType(type)) {
        return;
    }
    if (all || group == kMaterialsGroup) {
        object.RestoreMaterialsFromSnapshot(snapshot);
    }
    if (all || group == kColoursGroup) {
        object.RestoreColoursFromSnapshot(snapshot);
    }
    if (all || group == kNamesGroup) {
        object.RestoreNamesFromSnapshot(snapshot);
    }
    if (all || group == kShadowGroup) {
        object.RestoreShadowSettingsFromSnapshot(snapshot);
    }
    if (all || group == kTextGroup) {
        RestoreText(object, snapshot);
    }
}

void RestoreMaterial(C3DObject& object, int index, const MaterialSnapshot& snapshot,
                     CDesignScene* scene) {
    if (!HasMaterial(object, index)) {
        return;
    }
    object.SetMaterial(index, snapshot.material);
    object.SetTexturePointer(index, snapshot.texture.Get());
    object.TextureNames()[index] =
        snapshot.textureName.empty() ? C3DObject::kNoTextureName : snapshot.textureName;
    KeepTextureAlive(object, snapshot.texture.Get(), snapshot.textureName, scene);
    object.ApplyTextureMapping(index, snapshot.mapping, false);
}

void RestoreTexture(C3DObject& object, int index, gfx::Texture* texture, CDesignScene* scene) {
    if (!HasMaterial(object, index)) {
        return;
    }
    object.SetTexturePointer(index, texture);
    // A slot without a texture keeps the name of none, not a folder.
    if (texture == nullptr) {
        object.TextureNames()[index] = C3DObject::kNoTextureName;
        return;
    }
    const std::string name =
        scene != nullptr ? scene->GetTextureCache().GetName(texture) : C3DObject::kNoTextureName;
    object.TextureNames()[index] = MakeFilePath(object.GetTextureFolder(), name);
    KeepTextureAlive(object, texture, name, scene);
}

}  // namespace

void RestorePlacement(int type, C3DObject& object, const PlacementRecord& placement) {
    object.SetPosition(placement[0], placement[1], placement[2]);
    object.SetRotation(placement[5], placement[4], placement[3]);
    object.UpdatePlanOutline();
    if (type == kWallObjectType || type == kFloorObjectType || type == kCeilingObjectType) {
        if (auto* surface = dynamic_cast<CWallObject*>(&object)) {
            surface->UpdateOpeningModels();
        }
    }
    object.BuildShadowVolume();
    if (type != kWallObjectType && type != kFloorObjectType && type != kCeilingObjectType) {
        if (C2DPictureShape* icon = object.GetPlanIcon()) {
            icon->SetAngle(placement[5]);
            icon->SetPosition(placement[0], placement[2]);
        }
    }
    object.UpdateWorldMatrix();
}

void ApplyRecordedState(HistoryRecord& record, bool undo, CDesignScene* scene) {
    HistoryPayload& state = undo ? record.before : record.after;
    CDesignObject* target = record.object;
    if (target == nullptr) {
        return;
    }
    auto* object = Is3DType(record.objectType) ? static_cast<C3DObject*>(target) : nullptr;
    switch (record.operation) {
        case kHistoryProperties:
            if (auto* snapshot = std::get_if<std::unique_ptr<CObjectSnapshot>>(&state);
                snapshot != nullptr && *snapshot && object != nullptr) {
                RestoreProperties(record.objectType, record.value, *object, **snapshot);
            }
            break;
        case kHistoryPlacement:
            if (auto* placement = std::get_if<PlacementRecord>(&state);
                placement != nullptr && object != nullptr) {
                RestorePlacement(record.objectType, *object, *placement);
                object->UpdatePlanIcon();
            } else if (auto* geometry = std::get_if<ShapeGeometryRecord>(&state)) {
                target->RestoreGeometry(*geometry);
            }
            break;
        case kHistoryFaceRefinement:
            if (auto* refinement = std::get_if<RefinementRecord>(&state)) {
                if (auto* surface = dynamic_cast<CWallObject*>(target)) {
                    surface->RestoreFaceRefinement(record.value, *refinement);
                }
            }
            break;
        case kHistoryMaterialTexture:
            if (auto* texture = std::get_if<gfx::ResourceRef<gfx::Texture>>(&state);
                texture != nullptr && object != nullptr) {
                RestoreTexture(*object, record.value, texture->Get(), scene);
            }
            break;
        case kHistoryMirrorImage:
            if (auto* flag = std::get_if<std::int32_t>(&state); flag != nullptr && object) {
                object->SetMirrorImages(*flag);
            }
            break;
        case kHistoryShadow:
            if (auto* flag = std::get_if<std::int32_t>(&state); flag != nullptr && object) {
                object->SetShadow(*flag);
                object->BuildShadowVolume();
            }
            break;
        case kHistoryMaterial:
            if (auto* snapshot = std::get_if<MaterialSnapshot>(&state);
                snapshot != nullptr && object != nullptr) {
                RestoreMaterial(*object, record.value, *snapshot, scene);
                // A photo's picture is its file.
                if (record.objectType == kPhotoObjectType && record.value == 0) {
                    object->SetFilePath(object->TextureNames()[0]);
                }
            }
            break;
        case kHistoryAllMappings:
            // Only the state before is kept; redo applies it too.
            if (auto* mappings = std::get_if<std::vector<TextureMappingRecord>>(&record.before);
                mappings != nullptr && object != nullptr) {
                for (std::size_t i = 0; i < mappings->size(); ++i) {
                    if (HasMaterial(*object, static_cast<int>(i))) {
                        object->ApplyTextureMapping(static_cast<int>(i), (*mappings)[i], false);
                    }
                }
            }
            break;
        case kHistoryFaceItemAdded:
        case kHistoryFaceItemRemoved:
            ReplayFaceItemRecord(record, undo);
            break;
        default:
            break;
    }
}
