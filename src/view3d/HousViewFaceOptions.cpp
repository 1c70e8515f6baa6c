#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/PathUtils.h"
#include "objects/3DObject.h"
#include "objects/HistoryRecord.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"
#include "view3d/HousView.h"

namespace {

// The property group of colour edits, which holds a surface's mirror flags.
constexpr int kColourPropertyGroup = 3;

int MaterialOfTriangle(const C3DObject& object, int triangle) {
    if (triangle < 0) {
        return -1;
    }
    if (const auto* wall = dynamic_cast<const CWallObject*>(&object)) {
        return wall->GetFaceMaterialIndex(triangle);
    }
    return static_cast<int>(object.GetFaceMaterial(static_cast<uint32_t>(triangle)));
}

void SetDiffuseAlpha(C3DObject& object, int material, float alpha) {
    gfx::Material changed = object.GetMaterial(material);
    changed.diffuse.a = alpha;
    object.SetMaterial(material, changed);
}

void SetMirrorFlags(CWallObject& surface, int flag) {
    surface.SetMirror(flag);
    surface.SetReflective(flag);
}

// A record of the object's state before an edit, to be completed after it.
std::unique_ptr<HistoryRecord> TakeSnapshot(C3DObject& object, int group) {
    std::vector<std::unique_ptr<HistoryRecord>> pending;
    object.PushUndoSnapshot(pending, group, 1, object.GetType());
    return pending.empty() ? nullptr : std::move(pending.back());
}

void CommitSnapshot(CHousDoc& doc, C3DObject& object, std::unique_ptr<HistoryRecord> record) {
    std::vector<std::unique_ptr<HistoryRecord>> changed;
    object.CommitUndoSnapshot(changed, std::move(record), 1);
    for (std::unique_ptr<HistoryRecord>& done : changed) {
        doc.PushUndoRecord(std::move(done));
    }
}

}  // namespace

void CHousView::OnMirrorSurface() {
    CDesignScene& scene = m_renderer.GetScene();
    const int material =
        m_picked.object != nullptr ? MaterialOfTriangle(*m_picked.object, m_picked.face) : -1;
    const bool mirrorFound = scene.FindNonMirrorSelectedFace(material);
    const std::size_t surfaces =
        scene.Selected(kWallObjectType).size() + scene.Selected(kFloorObjectType).size();
    m_pDoc->BeginUndoGroup();
    if (surfaces < 2) {
        using Kind = CHousDoc::PickedKind;
        for (const Kind kind : {Kind::Wall, Kind::Floor}) {
            if (C3DObject* picked = m_pDoc->GetPickedObject(kind)) {
                ToggleMirrorFace(picked, material, mirrorFound, false);
            }
        }
    } else {
        for (const int type : {kFloorObjectType, kWallObjectType}) {
            const std::vector<CDesignObject*> selected = scene.Selected(type);
            for (CDesignObject* object : selected) {
                ToggleMirrorFace(static_cast<C3DObject*>(object), material, mirrorFound, true);
            }
        }
    }
    m_pDoc->EndUndoGroup();
    m_pDoc->SetDesignModified(1);
    RepaintNow();
}

void CHousView::ToggleMirrorFace(C3DObject* object, int material, bool mirrorFound, bool allFaces) {
    auto* surface = dynamic_cast<CWallObject*>(object);
    if (surface == nullptr ||
        (!allFaces && (material < 0 || material >= object->GetMaterialCount()))) {
        return;
    }
    std::unique_ptr<HistoryRecord> record = TakeSnapshot(*surface, kColourPropertyGroup);
    const float mirrorAlpha = surface->GetMirrorAlpha();
    const int first = allFaces ? 0 : material;
    const int last = allFaces ? surface->GetMaterialCount() - 1 : material;
    if (!mirrorFound) {
        SetMirrorFlags(*surface, 1);
        for (int index = first; index <= last; ++index) {
            SetDiffuseAlpha(*surface, index, mirrorAlpha);
        }
    } else if (allFaces) {
        for (int index = first; index <= last; ++index) {
            SetDiffuseAlpha(*surface, index, 1.0f);
        }
        SetMirrorFlags(*surface, 0);
    } else {
        const bool opaque = surface->GetMaterial(material).diffuse.a == 1.0f;
        SetDiffuseAlpha(*surface, material, opaque ? mirrorAlpha : 1.0f);
        surface->UpdateTranslucency();
        // Other faces still see-through keep the surface a mirror.
        if (!opaque && surface->IsTranslucent() == 0) {
            SetMirrorFlags(*surface, 0);
        }
    }
    surface->UpdateTranslucency();
    Refresh(false);
    CommitSnapshot(*m_pDoc, *surface, std::move(record));
}

void CHousView::ApplyPickedTextureToFaces(int first) {
    C3DObject* object = m_picked.object;
    if (object == nullptr) {
        return;
    }
    const int picked = MaterialOfTriangle(*object, m_picked.face);
    if (picked < 0 || picked >= object->GetMaterialCount()) {
        return;
    }
    std::string name;
    object->GetTextureName(picked, name);
    if (name.empty() || name == C3DObject::kNoTextureName) {
        return;
    }
    CopyFaceTexture(object);
    gfx::Texture* texture = object->GetTexture(picked);
    const TextureMappingRecord mapping = object->GetMappingRecord(picked);
    CDesignScene& scene = m_renderer.GetScene();
    CTextureCache& cache = scene.GetTextureCache();
    m_pDoc->BeginUndoGroup();
    for (int index = std::max(first, 0); index < object->GetMaterialCount(); ++index) {
        // The parts cut from a wall's side faces count with their face.
        const auto* wall = dynamic_cast<const CWallObject*>(object);
        const int face = wall != nullptr ? wall->GetOwningFace(index) : index;
        if (index == picked || face < first) {
            continue;
        }
        auto record = std::make_unique<HistoryRecord>();
        record->objectType = object->GetType();
        record->operation = kHistoryMaterial;
        record->value = index;
        record->object = object;
        record->before = MaterialSnapshot{
            gfx::ResourceRef<gfx::Texture>::Share(object->GetTexture(index)),
            object->GetMaterial(index), object->GetTextureNames()[static_cast<std::size_t>(index)],
            object->GetMappingRecord(index)};
        // Every face shares the picked face's one texture.
        object->SetTexturePointer(index, texture);
        object->TextureNames()[static_cast<std::size_t>(index)] = name;
        object->ApplyTextureMapping(index, mapping, false);
        record->after =
            MaterialSnapshot{gfx::ResourceRef<gfx::Texture>::Share(texture),
                             object->GetMaterial(index), name, object->GetMappingRecord(index)};
        m_pDoc->PushUndoRecord(std::move(record));
    }
    if (texture != nullptr && cache.FindEntry(texture) == nullptr &&
        object->GetOwnTextureCache().FindEntry(texture) == nullptr) {
        texture->AddRef();
        cache.Add(GetPathFileName(name), 0, 0, texture, nullptr);
    }
    m_pDoc->EndUndoGroup();
    m_pDoc->SetDesignModified(1);
    RepaintNow();
}
