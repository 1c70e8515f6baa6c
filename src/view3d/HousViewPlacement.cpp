#include <wx/event.h>
#include <wx/utils.h>

#include <array>
#include <cstring>
#include <filesystem>

#include "document/DesignScene.h"
#include "document/DropPlacementRules.h"
#include "document/HousDoc.h"
#include "document/LibraryBrowserLink.h"
#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "library/LibraryDrag.h"
#include "library/ModelDatabase.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/MaterialFileReader.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/fs/PathLookup.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"
#include "view3d/HousView.h"
#include "view3d/HousViewInput.h"

namespace {

constexpr int kPhotoKind = 4;

drop_placement::TargetFrame FrameOf(const C3DObject& object) {
    drop_placement::TargetFrame frame;
    frame.position = object.GetPosition();
    frame.heading = static_cast<float>(object.GetHeading());
    frame.scale = object.GetScale();
    frame.width = object.GetRealSize()[0];
    frame.depth = object.GetRealSize()[1];
    frame.height = object.GetRealSize()[2];
    return frame;
}

// Whatever becomes of a drop, the browser's drag is over.
class PlacementRequestEnd {
public:
    explicit PlacementRequestEnd(LibraryPlacement& placement) : m_placement(placement) {}
    ~PlacementRequestEnd() { m_placement.inProgress = 0; }
    PlacementRequestEnd(const PlacementRequestEnd&) = delete;
    PlacementRequestEnd& operator=(const PlacementRequestEnd&) = delete;

private:
    LibraryPlacement& m_placement;
};

}  // namespace

void CHousView::BindPlacementCommands() {
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnAddShadowPicture(); },
        context_menu::kAddShadowPicture);
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            event.Enable(!m_renderer.GetScene().Selected(kModelObjectType).empty());
        },
        context_menu::kAddShadowPicture);
}

void CHousView::DropLibraryEntry(int x, int y) {
    const LibraryPlacement& placement = m_pDoc->GetPlacement();
    if (IsLibraryDragPending(placement, BrowserLibrary::Texture)) {
        // The browser took the release: the keys are read as they are now.
        DropPendingTexture(x, y,
                           view_input::MouseKeyState(false, false, wxGetKeyState(WXK_SHIFT),
                                                     wxGetKeyState(WXK_CONTROL)));
    } else if (placement.inProgress != 0) {
        PlaceFromLibrary(x, y);
    }
}

int CHousView::GetLibraryDragCursor(int x, int y) {
    if (m_pDoc->GetPlacement().inProgress == 0) {
        return 0;
    }
    const ScenePick picked = PickNearestObject(x, y);
    const bool lamp = picked.object != nullptr && picked.object->IsNotLamp() == 0;
    return drop_placement::GetPlacingCursor(picked.object != nullptr ? picked.type : -1, lamp);
}

C3DObject* CHousView::PlaceEntryAt(const LibraryDropPoint& drop) {
    ILibraryBrowsers* browsers = m_pDoc->GetLibraryBrowsers();
    if (browsers == nullptr) {
        return nullptr;
    }
    return m_pDoc->GetPlacement().kind == kPhotoKind ? browsers->PlaceSelectedPhoto(drop)
                                                     : browsers->PlaceSelectedModel(drop);
}

void CHousView::PlaceFromLibrary(int x, int y) {
    LibraryPlacement& placement = m_pDoc->GetPlacement();
    const PlacementRequestEnd requestEnd(placement);
    // A drop during a save or another pumped operation would change the
    // lists being written.
    if (m_pDoc->GetBusy() != 0 || m_inputBlocked) {
        return;
    }
    C3DObject* target = PickObjectNoSelect(x, y);
    if (target != nullptr && target->IsNotLamp() == 0) {
        return;
    }
    gfx::Vector3 local;
    gfx::Vector3 normal;
    if (target != nullptr && GetDropPointOnObject(target, x, y, local, normal) < 0) {
        target = nullptr;
    }
    gfx::Vector3 point;
    float heading = 0.0f;
    if (target == nullptr) {
        const POINT window{x, y};
        point = UnprojectToPlane(&window, 1, 0);
    } else {
        point = DropPointToWorld(*target, local, normal);
        if (placement.kind == kPhotoKind || m_placementMode == drop_placement::kPaste) {
            heading = AdjustDropOnSurface(normal, point);
        } else if (m_placementMode == drop_placement::kStack) {
            point = DropOnTopOfTarget(*target);
        } else if (m_placementMode == drop_placement::kSnap) {
            point = DropBesideTarget(*target, local);
            if (!drop_placement::IsInsidePlanQuadrant(point)) {
                ShowMessage("超過2D視窗可視範圍");
                return;
            }
        }
    }
    const int type = placement.kind == kPhotoKind ? kPhotoObjectType : kModelObjectType;
    if (IsPositionOccupied(type, point.x, point.y, point.z)) {
        return;
    }
    LibraryDropPoint drop;
    drop.x = point.x;
    drop.z = point.z;
    drop.y = point.y;
    drop.centre = 1;
    C3DObject* placed = PlaceEntryAt(drop);
    if (placed == nullptr) {
        return;
    }
    if (target != nullptr) {
        const float elevation = LayPhotoFlat(*target, *placed, normal);
        if (target->CanHostPhoto(*placed) != 0) {
            placed->SetRotation(heading + static_cast<float>(target->GetHeading()), elevation,
                                0.0f);
        }
    }
    placed->UpdatePlanIcon();
    placed->UpdateWorldMatrix();
    placed->UpdatePlanOutline();
    placed->BuildShadowVolume();
    m_pDoc->Redraw2DView();
    TurnPhotosToCamera();
    RepaintNow();
}

std::optional<PickHit> CHousView::RepickOnObject(const C3DObject& object, int x, int y) const {
    const ScenePickQuery query = MakePickQuery(x, y);
    if (!pick_rules::IsSeenFromEye(object.GetType(), static_cast<float>(object.GetLevelHeight()),
                                   query.eye.y)) {
        return std::nullopt;
    }
    gfx::Vector3 direction;
    gfx::Vector3 origin;
    object.ComputePickRay(&direction, &origin, query.projection, query.view, query.x, query.y,
                          query.width, query.height);
    PickHit hits[16];
    uint32_t count = 0;
    float distance = ScenePick::kNoHit;
    if (object.IntersectRay(1, hits, &count, origin, direction, &distance) == 0 || count == 0) {
        return std::nullopt;
    }
    return hits[0];
}

bool CHousView::GetPickedFaceVertices(const C3DObject& object, gfx::Vector3& p, gfx::Vector3& q,
                                      gfx::Vector3& r, gfx::Vector3& normal) const {
    const gfx::Mesh* mesh = object.GetMesh();
    if (mesh == nullptr || m_picked.face < 0 ||
        static_cast<uint32_t>(m_picked.face) >= mesh->GetNumFaces() || !mesh->IndicesInRange()) {
        return false;
    }
    const std::array<uint32_t, 3> corners = mesh->GetFace(static_cast<uint32_t>(m_picked.face));
    p = mesh->GetPosition(corners[0]);
    q = mesh->GetPosition(corners[1]);
    r = mesh->GetPosition(corners[2]);
    const int offset = mesh->GetLayout().normalOffset;
    if (offset >= 0) {
        std::memcpy(&normal,
                    mesh->Vertices().data() + std::size_t{corners[0]} * mesh->GetVertexSize() +
                        static_cast<std::size_t>(offset),
                    sizeof normal);
    } else {
        normal = gfx::Vec3Normalize(gfx::Vec3Cross(q - p, r - p));
    }
    return true;
}

int CHousView::GetDropPointOnObject(C3DObject* target, int x, int y, gfx::Vector3& local,
                                    gfx::Vector3& normal) {
    const std::optional<PickHit> hit = RepickOnObject(*target, x, y);
    if (!hit) {
        return -1;
    }
    // The barycentric weights belong to the face the repeated pick hit.
    m_picked.face = static_cast<int>(hit->face);
    gfx::Vector3 p;
    gfx::Vector3 q;
    gfx::Vector3 r;
    if (!GetPickedFaceVertices(*target, p, q, r, normal)) {
        return -1;
    }
    const bool photo = target->GetType() == kPhotoObjectType;
    local = drop_placement::LocalHitPoint(p, q, r, hit->u, hit->v,
                                          photo ? nullptr : &target->GetScale());
    return target->GetType();
}

gfx::Vector3 CHousView::DropPointToWorld(const C3DObject& target, const gfx::Vector3& local,
                                         const gfx::Vector3& normal) const {
    return drop_placement::DropPointToWorld(FrameOf(target), local, normal, m_pDoc->GetPlacement());
}

float CHousView::AdjustDropOnSurface(const gfx::Vector3& normal, gfx::Vector3& point) {
    CDesignScene& scene = m_renderer.GetScene();
    const float floorBelow =
        scene.GetFloorLevel(scene.GetFloorLevelOfHeight(point.y, kModelObjectType));
    return drop_placement::AdjustDropOnSurface(normal, point, m_pDoc->GetPlacement(), floorBelow);
}

gfx::Vector3 CHousView::DropOnTopOfTarget(const C3DObject& target) const {
    return drop_placement::DropOnTopOfTarget(
        target.GetType(), FrameOf(target), target.GetBoundingBox(),
        static_cast<float>(target.GetLevelHeight()), m_pDoc->GetPlacement());
}

gfx::Vector3 CHousView::DropBesideTarget(const C3DObject& target, const gfx::Vector3& local) const {
    return drop_placement::DropBesideTarget(FrameOf(target), local.x, m_pDoc->GetPlacement(),
                                            m_placementGap);
}

float CHousView::LayPhotoFlat(const C3DObject& target, C3DObject& placed,
                              const gfx::Vector3& normal) const {
    if (placed.GetType() != kPhotoObjectType) {
        return 0.0f;
    }
    const std::optional<drop_placement::FlatPhoto> flat =
        drop_placement::LayPhotoFlat(normal, target.GetPosition().y, target.GetRealSize()[2]);
    if (!flat) {
        return 0.0f;
    }
    const gfx::Vector3 position = placed.GetPosition();
    placed.SetPosition(position.x, flat->y, position.z);
    return flat->elevation;
}

bool CHousView::IsPositionOccupied(int type, float x, float y, float z) {
    for (CDesignObject* item : m_renderer.GetScene().Objects(type)) {
        const gfx::Vector3 position = static_cast<C3DObject*>(item)->GetPosition();
        if (position.x == x && position.y == y && position.z == z) {
            ShowMessage("相同位置已有物件");
            return true;
        }
    }
    return false;
}

bool CHousView::IsHangingPicture(const C3DObject& object) {
    return drop_placement::IsHangingPicture(object.GetLibraryFolderName());
}

bool CHousView::IsWallLamp(std::string_view text) {
    return drop_placement::IsWallLamp(text);
}

bool CHousView::LoadShadowPictureEntry(const std::string& path) {
    const std::optional<int> kind = MaterialFileKindOf(path);
    if (!kind) {
        return false;
    }
    m_shadowPicture = PictureCatalogEntry{};
    m_shadowPicture.filePath = path;
    LoadMaterialFile(path, m_shadowPicture.material, *kind, true);
    CModelDatabase::FillPictureEntry(m_shadowPicture.material, m_shadowPicture);
    return true;
}

void CHousView::OnAddShadowPicture() {
    const std::filesystem::path wanted =
        std::filesystem::path(GetProgramFolder()) / "STPicture" / "A02陰影圖" / "A0201001.qvp";
    const std::optional<std::filesystem::path> found = pfs::ResolvePathCaseInsensitive(wanted);
    if (!found) {
        ShowMessage("Could find " + wanted.string());
        return;
    }
    if (!LoadShadowPictureEntry(found->string())) {
        return;
    }
    ILibraryBrowsers* browsers = m_pDoc->GetLibraryBrowsers();
    CDesignScene& scene = m_renderer.GetScene();
    // Placing may change the selection lists; work on the models selected now.
    const std::vector<CDesignObject*> models = scene.Selected(kModelObjectType);
    for (CDesignObject* item : models) {
        if (browsers == nullptr) {
            break;
        }
        auto* model = static_cast<C3DObject*>(item);
        drop_placement::ModelShape shape;
        shape.position = model->GetPosition();
        shape.heading = static_cast<float>(model->GetHeading());
        shape.roll = static_cast<float>(model->GetRoll());
        shape.width = model->GetRealSize()[0];
        shape.depth = model->GetRealSize()[1];
        shape.height = model->GetRealSize()[2];
        const drop_placement::ShadowPictureLayout layout =
            drop_placement::LayoutShadowPicture(shape, IsHangingPicture(*model));

        LibraryDropPoint drop;
        drop.x = layout.drop.x;
        drop.z = layout.drop.z;
        drop.y = layout.drop.y;
        drop.centre = 1;
        C3DObject* picture = browsers->PlacePictureEntry(m_shadowPicture, drop);
        // A model whose shadow could not be placed stays where it stood.
        if (picture == nullptr) {
            continue;
        }
        model->SetPositionVector(layout.modelPosition);
        model->BuildShadowVolume();

        const std::array<float, 3>& extent = picture->GetExtent();
        picture->SetScale(drop_placement::ScaleForSize(layout.width, extent[0]),
                          drop_placement::ScaleForSize(layout.height, extent[2]),
                          picture->GetScale()[2]);
        picture->SetRotation(layout.heading, layout.elevation, layout.roll);
        picture->UpdateWorldMatrix();
        picture->BuildShadowVolume();
        picture->UpdatePlanIcon();
        if (C2DPictureShape* icon = picture->GetPlanIcon()) {
            icon->SetSize(static_cast<int32_t>(layout.width), static_cast<int32_t>(layout.height));
        }
    }
    RepaintNow();
    m_pDoc->Redraw2DView();
    m_shadowPicture.filePath.clear();
}
