#include <array>
#include <cstring>
#include <memory>
#include <optional>

#include "document/DesignScene.h"
#include "document/DocumentFileSearch.h"
#include "document/HousDoc.h"
#include "foundation/WallFaceItem.h"
#include "objects/3DObject.h"
#include "objects/MaterialFileReader.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/TextureMappingRecord.h"
#include "objects/WallObject.h"
#include "platform/desktop/ProgramCursors.h"
#include "view3d/HousView.h"
#include "view3d/HousViewInput.h"

namespace {

constexpr int kSavedTypeCount = 7;
constexpr int kCopyTextureMode = 1100;
constexpr int kCopySplitMode = 1200;
constexpr int kPlacementSnapshots = 3;
// The property group of texture and colour edits in a property snapshot.
constexpr int kMaterialPropertyGroup = 2;
// Faces 0 and 1 are a surface's top and bottom.
constexpr int kFirstSideFace = 2;

constexpr int kCopyAllFacesCursor = 166;
constexpr int kCopyOneFaceCursor = 170;
constexpr int kCopySplitCursor = 569;
constexpr int kWebLinkCursor = 620;

bool IsWallFloorOrCeiling(int type) {
    return type == kWallObjectType || type == kFloorObjectType || type == kCeilingObjectType;
}

// The material a mesh triangle is drawn with; a surface's triangles carry
// their part.
int MaterialOfTriangle(const C3DObject& object, int triangle) {
    if (triangle < 0) {
        return -1;
    }
    if (const auto* wall = dynamic_cast<const CWallObject*>(&object)) {
        return wall->GetFaceMaterialIndex(triangle);
    }
    return static_cast<int>(object.GetFaceMaterial(static_cast<uint32_t>(triangle)));
}

// A texture stored by its bare name is looked for in the texture library.
std::string FindTextureFile(const std::string& textureFolder, const std::string& path) {
    if (path.find_first_of("/\\") == std::string::npos) {
        if (std::string found = FindFileInTree(textureFolder, path); !found.empty()) {
            return found;
        }
    }
    return path;
}

void DeselectAll3D(CDesignScene& scene) {
    for (int type = 0; type < kSavedTypeCount; ++type) {
        for (CDesignObject* object : scene.Objects(type)) {
            object->SetSelected(0);
        }
        scene.Selected(type).clear();
    }
}

}  // namespace

bool CHousView::IsTextureCopyPending() const {
    const CopiedSurface& copied = m_pDoc->GetCopiedSurface();
    return copied.copyOneFace != 0 || copied.copyAllFaces != 0;
}

void CHousView::ClearCopiedTexture() {
    CopiedSurface& copied = m_pDoc->GetCopiedSurface();
    copied.copyOneFace = 0;
    copied.copyAllFaces = 0;
    copied.texturePath.clear();
    copied.textureWidth = 0.0f;
    copied.textureHeight = 0.0f;
    copied.mapping.reset();
    copied.colorsFlag = 0;
    copied.sourceMirrorFlag = 0;
    copied.imageFlag = 0;
    copied.image.reset();
    copied.sourceObject = nullptr;
    copied.sourceIndex = -1;
}

void CHousView::TrackCopyTexture(int x, int y, int keyState) {
    if (m_pDoc->GetEditMode() != kCopyTextureMode || (keyState & view_input::kMkLButton) == 0 ||
        IsTextureCopyPending()) {
        return;
    }
    if (!PickObjectAtCursor(x, y) || !IsWallFloorOrCeiling(m_picked.type)) {
        return;
    }
    ClearCopiedTexture();
    CopyFaceTexture(m_picked.object);
    CopiedSurface& copied = m_pDoc->GetCopiedSurface();
    if (copied.sourceObject == nullptr) {
        return;
    }
    if ((keyState & view_input::kMkControl) != 0) {
        copied.copyAllFaces = 1;
    } else {
        copied.copyOneFace = 1;
    }
}

void CHousView::CopyFaceTexture(C3DObject* object) {
    const int material = MaterialOfTriangle(*object, m_picked.face);
    if (material < 0 || material >= object->GetMaterialCount()) {
        return;
    }
    ClearCopiedTexture();
    CopiedSurface& copied = m_pDoc->GetCopiedSurface();
    copied.mapping = std::make_shared<TextureMappingRecord>(object->GetMappingRecord(material));
    std::string path = C3DObject::kNoTextureName;
    object->GetTextureName(material, path);
    if (path != C3DObject::kNoTextureName) {
        path = FindTextureFile(m_pDoc->GetTextureFolder(), path);
    }
    copied.texturePath = path;
    if (path != C3DObject::kNoTextureName) {
        // Other kinds of picture do not occur in the library: the copy
        // then carries the mapping and colours alone.
        if (const std::optional<int> kind = MaterialFileKindOf(path)) {
            auto record = std::make_shared<MaterialFileRecord>();
            if (LoadMaterialFile(path, *record, *kind, true) && !record->data.empty()) {
                copied.textureWidth = record->width;
                copied.textureHeight = record->height;
                copied.image = std::move(record);
                copied.imageFlag = 1;
            }
        }
    }
    copied.sourceObject = object;
    copied.sourceIndex = material;
    copied.colors = object->GetMaterial(material);
    copied.colorsFlag = 1;
    copied.sourceMirrorFlag = object->IsMirror();
}

std::string CHousView::GetPickedFaceTextureFile(const C3DObject& object) const {
    const int material = MaterialOfTriangle(object, m_picked.face);
    if (material < 0 || material >= object.GetMaterialCount()) {
        return {};
    }
    std::string path = C3DObject::kNoTextureName;
    object.GetTextureName(material, path);
    if (path.empty() || path == C3DObject::kNoTextureName) {
        return {};
    }
    return FindTextureFile(m_pDoc->GetTextureFolder(), path);
}

void CHousView::ApplyCopiedTexture(int material, C3DObject* object) {
    ApplySurfaceTexture(m_pDoc->GetCopiedSurface(), material, object);
}

void CHousView::ApplySurfaceTexture(CopiedSurface& copied, int material, C3DObject* object) {
    if (material < 0 || material >= object->GetMaterialCount()) {
        return;
    }
    if (IsSurfaceObjectType(object->GetType()) == 0) {
        copied.sourceMirrorFlag = 0;
    }
    // Back to the plain mapping through the object, so that the copied
    // mapping starts from the face's own coordinates.
    object->ApplyTextureMapping(material, TextureMappingRecord{}, false);
    if (copied.texturePath == C3DObject::kNoTextureName) {
        // A plain material takes the target's texture away too.
        object->SetMaterialTexture(object->GetType(), material, C3DObject::kNoTextureName, nullptr);
    } else if (copied.image) {
        const TextureSeamBlock seam = copied.mapping ? copied.mapping->seam : TextureSeamBlock{};
        std::array<int32_t, 4> parameters{};
        static_assert(sizeof(parameters) == sizeof(seam));
        std::memcpy(parameters.data(), &seam, sizeof(seam));
        object->ApplyTextureFile(object->GetType(), material, copied.texturePath,
                                 copied.image->data.data(),
                                 static_cast<uint32_t>(copied.image->data.size()), &parameters);
    }
    if (copied.mapping) {
        object->ApplyTextureMapping(material, *copied.mapping, false);
    }
    if (copied.colorsFlag != 0) {
        object->SetMaterial(material, copied.colors);
    }
    m_pDoc->SetDesignModified(1);
}

void CHousView::ApplyCopiedTextureToPicked(int x, int y) {
    if (IsTextureCopyPending()) {
        ApplySurfaceToPicked(m_pDoc->GetCopiedSurface(), x, y);
    }
}

void CHousView::ApplySurfaceToPicked(CopiedSurface& copied, int x, int y) {
    if (!PickObjectAtCursor(x, y)) {
        return;
    }
    CDesignScene& scene = m_renderer.GetScene();
    RebuildSelectionLists();
    m_pDoc->BeginUndoGroup();
    m_pDoc->SnapshotSelectionProperties(kMaterialPropertyGroup);
    for (int type : {kModelObjectType, kWallObjectType, kFloorObjectType, kCeilingObjectType,
                     kText3DObjectType}) {
        for (CDesignObject* selected : scene.Selected(type)) {
            auto* object = static_cast<C3DObject*>(selected);
            const int material = MaterialOfTriangle(*object, m_picked.face);
            // Dropped back on the face it came from: nothing to do.
            if (IsWallFloorOrCeiling(type) && object == copied.sourceObject &&
                material == copied.sourceIndex) {
                break;
            }
            ApplySurfaceTexture(copied, material, object);
        }
    }
    m_pDoc->CommitSelectionProperties();
    m_pDoc->EndUndoGroup();
    DeselectAll3D(scene);
}

void CHousView::ApplyCopiedTextureToAllFaces(int x, int y, bool allFaces) {
    if (IsTextureCopyPending()) {
        ApplySurfaceToAllFaces(m_pDoc->GetCopiedSurface(), x, y, allFaces);
    }
}

void CHousView::ApplySurfaceToAllFaces(CopiedSurface& copied, int x, int y, bool allFaces) {
    if (!PickObjectAtCursor(x, y)) {
        return;
    }
    CDesignScene& scene = m_renderer.GetScene();
    RebuildSelectionLists();
    m_pDoc->BeginUndoGroup();
    m_pDoc->SnapshotSelectionProperties(kMaterialPropertyGroup);
    const int firstFace = allFaces ? 0 : kFirstSideFace;
    for (int type : {kModelObjectType, kWallObjectType, kText3DObjectType, kFloorObjectType,
                     kCeilingObjectType}) {
        const bool everyMaterial = type == kFloorObjectType || type == kCeilingObjectType;
        for (CDesignObject* selected : scene.Selected(type)) {
            auto* object = static_cast<C3DObject*>(selected);
            const auto* wall = dynamic_cast<const CWallObject*>(object);
            for (int material = 0; material < object->GetMaterialCount(); ++material) {
                // The parts cut from a wall's face go with their face.
                const int face = wall != nullptr ? wall->GetOwningFace(material) : material;
                if (everyMaterial || face >= firstFace) {
                    ApplySurfaceTexture(copied, material, object);
                }
            }
        }
    }
    m_pDoc->CommitSelectionProperties();
    m_pDoc->EndUndoGroup();
    DeselectAll3D(scene);
}

void CHousView::TrackCopySplitLines(int x, int y, int keyState) {
    CopiedSurface& copied = m_pDoc->GetCopiedSurface();
    if (m_pDoc->GetEditMode() != kCopySplitMode || (keyState & view_input::kMkLButton) == 0 ||
        copied.splitCopyActive != 0) {
        return;
    }
    copied.splitCopyActive = 1;
    copied.splitLines.clear();
    copied.sourceObject = nullptr;
    copied.sourceIndex = -1;
    if (!PickObjectAtCursor(x, y) || m_picked.type != kWallObjectType) {
        return;
    }
    const auto* wall = dynamic_cast<const CWallObject*>(m_picked.object);
    if (wall == nullptr) {
        return;
    }
    const int face = wall->GetOwningFace(wall->GetFaceMaterialIndex(m_picked.face));
    for (const std::unique_ptr<WallFaceItem>& item : wall->GetFaceItems()) {
        if (item->face == face && item->IsSplitLine()) {
            auto copy = std::make_shared<WallFaceItem>(*item);
            copy->applied = 0;
            copied.splitLines.push_back(std::move(copy));
        }
    }
    copied.sourceObject = m_picked.object;
    copied.sourceIndex = face;
}

std::vector<WallFaceItem> CHousView::GetPastableSplitLines(const CWallObject& wall,
                                                           int part) const {
    const CopiedSurface& copied = m_pDoc->GetCopiedSurface();
    const int face = wall.GetOwningFace(part);
    if (face < kFirstSideFace || (&wall == copied.sourceObject && face == copied.sourceIndex)) {
        return {};
    }
    const float faceHeight = wall.GetFaceSize(face).y;
    std::vector<WallFaceItem> pastable;
    for (const std::shared_ptr<WallFaceItem>& item : copied.splitLines) {
        WallFaceItem onTarget = *item;
        onTarget.face = face;
        if (wall.CanPasteOpening(onTarget, face, faceHeight) != 0) {
            pastable.push_back(std::move(onTarget));
        }
    }
    return pastable;
}

std::vector<WallFaceItem> CHousView::PasteSplitLines(int x, int y) {
    std::vector<WallFaceItem> pastable;
    if (PickObjectAtCursor(x, y) && m_picked.type == kWallObjectType) {
        if (auto* wall = dynamic_cast<CWallObject*>(m_picked.object)) {
            const int part = wall->GetFaceMaterialIndex(m_picked.face);
            pastable = GetPastableSplitLines(*wall, part);
            if (!pastable.empty() && !m_renderer.GetScene().PasteSplitLines(
                                         *wall, wall->GetOwningFace(part), pastable)) {
                pastable.clear();
            }
        }
    }
    PickObjectNoSelect(x, y);
    RepaintNow();
    return pastable;
}

void CHousView::SetViewCursor(int resourceId) {
    SetCursor(GetProgramCursor(resourceId));
    m_customCursor = true;
}

void CHousView::RestoreCursor() {
    if (m_customCursor) {
        SetCursor(wxNullCursor);
        m_customCursor = false;
    }
}

void CHousView::UpdateHoverCursor() {
    const CopiedSurface& copied = m_pDoc->GetCopiedSurface();
    if (copied.splitCopyActive != 0) {
        SetViewCursor(kCopySplitCursor);
    } else if (copied.copyOneFace != 0) {
        SetViewCursor(kCopyOneFaceCursor);
    } else if (copied.copyAllFaces != 0) {
        SetViewCursor(kCopyAllFacesCursor);
    } else {
        RestoreCursor();
    }
}

void CHousView::TrackCopyOnMove(int x, int y, int keyState) {
    if (IsInShowMode()) {
        const C3DObject* hovered = PickNearestObject(x, y).object;
        if (hovered != nullptr && !hovered->GetWebLink().empty()) {
            SetViewCursor(kWebLinkCursor);
        } else {
            RestoreCursor();
        }
        return;
    }
    if ((keyState & view_input::kMkLButton) == 0 && IsTextureCopyPending()) {
        ClearCopiedTexture();
    }
    if (IsWallFloorOrCeiling(m_picked.type) || IsTextureCopyPending()) {
        TrackCopyTexture(x, y, keyState);
        TrackCopySplitLines(x, y, keyState);
        UpdateHoverCursor();
    }
}

void CHousView::FinishCopyOnRelease(int x, int y, int keyState) {
    const int mode = m_pDoc->GetEditMode();
    if (IsTextureCopyPending()) {
        if ((keyState & view_input::kMkControl) != 0) {
            ApplyCopiedTextureToAllFaces(x, y, true);
        } else if ((keyState & view_input::kMkShift) != 0) {
            ApplyCopiedTextureToAllFaces(x, y, false);
        } else {
            ApplyCopiedTextureToPicked(x, y);
        }
    } else {
        m_pDoc->EndEditSnapshot(kPlacementSnapshots);
        m_pDoc->PushUndoSeparator();
    }
    if (mode == kCopyTextureMode) {
        ClearCopiedTexture();
    } else if (mode == kCopySplitMode) {
        CopiedSurface& copied = m_pDoc->GetCopiedSurface();
        const bool active = copied.splitCopyActive != 0;
        copied.splitCopyActive = 0;
        if (active) {
            const bool wasBlocked = m_inputBlocked;
            m_inputBlocked = true;
            PasteSplitLines(x, y);
            m_inputBlocked = wasBlocked;
        }
        copied.splitLines.clear();
    }
    UpdateHoverCursor();
}
