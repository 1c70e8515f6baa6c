#include "document/DesignScene.h"

#include <cmath>

#include "document/HousDoc.h"
#include "document/PlanFacingAngle.h"
#include "document/ScreenDragOffset.h"
#include "foundation/BoundingBox3D.h"
#include "foundation/GeometryMath.h"
#include "foundation/Prompt.h"
#include "objects/2DImageShape.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

constexpr const char* kSurfaceLockMessage = "天花板/牆/地板移動鎖定中, 不可移動或轉動";

// Windows virtual-key codes of the nudge keys.
enum NudgeKey : int {
    kPageUpKey = 33,
    kPageDownKey = 34,
    kEndKey = 35,
    kHomeKey = 36,
    kLeftKey = 37,
    kUpKey = 38,
    kRightKey = 39,
    kDownKey = 40,
    kCommaKey = 188,
    kPeriodKey = 190,
};

constexpr float kNoSelectionBottom = 1e10f;

// The step of a nudge with the small and fine modifiers.
constexpr double kShiftStep = 1.0;
constexpr double kAltStep = 0.1;

// The saved 3D types, each one list of the scene.
constexpr int kSaved3DTypes[] = {kModelObjectType,  kWallObjectType,  kLightObjectType,
                                 kText3DObjectType, kPhotoObjectType, kFloorObjectType,
                                 kCeilingObjectType};

C3DObject& As3D(CDesignObject* object) {
    return *static_cast<C3DObject*>(object);
}

// The plan symbol of a light, photo or 3D text follows its owner; lights
// keep their symbol's angle.
void PlaceSymbol(const C3DObject& object, bool withAngle) {
    C2DPictureShape* symbol = object.GetPlanIcon();
    if (symbol == nullptr) {
        return;
    }
    if (withAngle) {
        symbol->SetAngle(object.GetHeading());
    }
    const gfx::Vector3 position = object.GetPosition();
    symbol->SetPosition(position.x, position.z);
}

// Models derive from C3DObject alone, so a model has one address whichever
// of the two classes it is seen as.
bool IsSameModel(const CModelObject* slot, const C3DObject* model) {
    return slot != nullptr && static_cast<const void*>(slot) == static_cast<const void*>(model);
}

// The union of the world boxes of the objects in the lists of the saved 3D
// types, leaving out lights, camera-attached photos and meshless objects.
template <class Lists>
bool AccumulateWorldBounds(const Lists& lists, gfx::Vector3* min, gfx::Vector3* max) {
    CBoundingBox3D bounds;
    for (const int type : kSaved3DTypes) {
        if (type == kLightObjectType) {
            continue;
        }
        for (CDesignObject* object : lists[type]) {
            const C3DObject& solid = As3D(object);
            if (type == kPhotoObjectType && solid.IsCameraAttached() != 0) {
                continue;
            }
            const CBoundingBox3D box = solid.GetWorldBoundingBox();
            if (box.empty == 0) {
                bounds.AddPoint(box.minX, box.minY, box.minZ);
                bounds.AddPoint(box.maxX, box.maxY, box.maxZ);
            }
        }
    }
    if (bounds.empty != 0) {
        return false;
    }
    *min = {bounds.minX, bounds.minY, bounds.minZ};
    *max = {bounds.maxX, bounds.maxY, bounds.maxZ};
    return true;
}

}  // namespace

void CDesignScene::DragSelection(SelectionDrag& drag, int flags, int x, int y) {
    if ((flags & kMouseLeftButton) == 0 || m_pDoc == nullptr) {
        return;
    }
    C3DObject* reference = nullptr;
    for (const CHousDoc::PickedKind kind :
         {CHousDoc::PickedKind::Model, CHousDoc::PickedKind::Text3D, CHousDoc::PickedKind::Photo,
          CHousDoc::PickedKind::Light}) {
        reference = m_pDoc->GetPickedObject(kind);
        if (reference != nullptr) {
            break;
        }
    }
    if (reference == nullptr) {
        return;
    }
    const POINT cursor{x, y};
    if (!drag.started) {
        drag.anchor = cursor;
        drag.started = true;
        return;
    }
    const CameraPosition eye = m_pDoc->GetCameraPosition();
    const PlanDragOffset offset =
        ScreenDragToWorldOffset(reference->GetPosition(), {eye.x, eye.y, eye.z},
                                m_pDoc->GetCameraHeading(), drag.anchor, cursor);
    if (offset.sideways != 0.0 || offset.forward != 0.0) {
        drag.moved = true;
    }
    drag.anchor = cursor;

    const bool shadows = m_pDoc->Settings().showShadow != 0;
    for (CDesignObject* object : m_selected[kModelObjectType]) {
        C3DObject& model = As3D(object);
        model.MoveInPlan(offset.sideways, offset.forward);
        model.UpdatePlanIcon();
        model.UpdateWorldMatrix();
        model.UpdatePlanOutline();
        if (shadows) {
            model.BuildShadowVolume();
        }
    }
    for (CDesignObject* object : m_selected[kLightObjectType]) {
        C3DObject& light = As3D(object);
        light.MoveInPlan(offset.sideways, offset.forward);
        light.UpdateWorldMatrix();
        PlaceSymbol(light, false);
    }
    for (CDesignObject* object : m_selected[kText3DObjectType]) {
        C3DObject& text = As3D(object);
        text.MoveInPlan(offset.sideways, offset.forward);
        PlaceSymbol(text, true);
        text.UpdateWorldMatrix();
        text.UpdatePlanOutline();
        if (shadows) {
            text.BuildShadowVolume();
        }
    }
    for (CDesignObject* object : m_selected[kPhotoObjectType]) {
        C3DObject& photo = As3D(object);
        photo.MoveInPlan(offset.sideways, offset.forward);
        PlaceSymbol(photo, true);
        photo.UpdateWorldMatrix();
    }
    m_pDoc->SetDesignModified(1);
    m_pDoc->UpdateAllViews(kFullRefreshHint);
}

std::array<float, 6> CDesignScene::GetKeyboardNudge(int key, int mode,
                                                    const KeyModifiers& modifiers) const {
    std::array<float, 6> nudge{};
    if (m_pDoc == nullptr) {
        return nudge;
    }
    double step = modifiers.shift ? kShiftStep : m_pDoc->GetWalkStep();
    if (modifiers.alt) {
        step = kAltStep;
    }
    const double turn = step * 0.5 * kPi / 180.0;
    const double heading = m_pDoc->GetCameraHeading();
    const double sine = std::sin(heading);
    const double cosine = std::cos(heading);
    const bool alongPlan = mode == 2;
    double dx = 0.0;
    double dz = 0.0;
    switch (key) {
        case kPageUpKey:
            nudge[modifiers.ctrl ? 5 : 4] = static_cast<float>(-turn);
            return nudge;
        case kPageDownKey:
            nudge[modifiers.ctrl ? 5 : 4] = static_cast<float>(turn);
            return nudge;
        case kLeftKey:
            nudge[3] = static_cast<float>(-turn);
            return nudge;
        case kRightKey:
            nudge[3] = static_cast<float>(turn);
            return nudge;
        case kHomeKey:
            nudge[1] = static_cast<float>(step);
            return nudge;
        case kEndKey:
            nudge[1] = static_cast<float>(-step);
            return nudge;
        case kUpKey:
            dx = alongPlan ? 0.0 : step * sine;
            dz = alongPlan ? -step : step * cosine;
            break;
        case kDownKey:
            dx = alongPlan ? 0.0 : -step * sine;
            dz = alongPlan ? step : -step * cosine;
            break;
        case kCommaKey:
            dx = alongPlan ? -step : -step * cosine;
            dz = alongPlan ? 0.0 : step * sine;
            break;
        case kPeriodKey:
            dx = alongPlan ? step : step * cosine;
            dz = alongPlan ? 0.0 : -step * sine;
            break;
        default:
            return nudge;
    }
    nudge[0] = static_cast<float>(dx);
    nudge[2] = static_cast<float>(dz);
    return nudge;
}

bool CDesignScene::RefuseLockedSurfaceMove() {
    if (m_pDoc == nullptr || m_pDoc->Settings().wallLock == 0) {
        return false;
    }
    if (m_selected[kWallObjectType].empty() && m_selected[kFloorObjectType].empty() &&
        m_selected[kCeilingObjectType].empty()) {
        return false;
    }
    ShowMessage(kSurfaceLockMessage);
    if (IPlanView* plan = m_pDoc->Get2DView()) {
        plan->EndSelectionDrag();
    }
    return true;
}

void CDesignScene::TransformSelection(const std::array<float, 6>& deltas) {
    if (m_pDoc == nullptr || m_pDoc->GetBusy() != 0) {
        return;
    }
    // The lock refuses the whole move before the plan shapes have moved.
    if (RefuseLockedSurfaceMove()) {
        return;
    }
    m_pDoc->SetBusy(1);
    MovePlanShapes(deltas[0], deltas[2]);
    TransformSelected3DObjects({deltas[0], deltas[1], -deltas[2], deltas[3], deltas[4], deltas[5]});
    m_pDoc->SetBusy(0);
}

void CDesignScene::MovePlanShapes(float dx, float dz) {
    if (dx == 0.0f && dz == 0.0f) {
        return;
    }
    for (int type = kLineShapeType; type < kTypeCount; ++type) {
        for (CDesignObject* object : m_selected[type]) {
            // Members move with their group.
            if (object->HasParent() != 0) {
                continue;
            }
            if (type == kImageShapeType &&
                static_cast<const C2DImageShape*>(object)->GetMoveLock() != 0) {
                continue;
            }
            object->MoveBy(dx, dz);
            if (m_pDoc != nullptr) {
                if (IPlanView* plan = m_pDoc->Get2DView()) {
                    plan->InvalidateLineCache(type);
                }
                m_pDoc->SetDesignModified(1);
            }
        }
    }
}

bool CDesignScene::IsInOpeningOfSurfaces(const std::vector<CDesignObject*>& surfaces,
                                         const C3DObject* model) {
    for (const CDesignObject* object : surfaces) {
        const auto* surface = dynamic_cast<const CWallObject*>(object);
        if (surface == nullptr) {
            continue;
        }
        for (const auto& item : surface->GetFaceItems()) {
            if (IsSameModel(item->model1, model) || IsSameModel(item->model2, model)) {
                return true;
            }
        }
    }
    return false;
}

bool CDesignScene::IsInOpeningOfSelectedSurface(const C3DObject* model) const {
    for (const int type :
         {kWallObjectType, kFloorObjectType, kCeilingObjectType, kPhotoObjectType}) {
        if (IsInOpeningOfSurfaces(m_selected[type], model)) {
            return true;
        }
    }
    return false;
}

void CDesignScene::TransformSelected3DObjects(const std::array<float, 6>& deltas) {
    if (m_pDoc == nullptr || RefuseLockedSurfaceMove()) {
        return;
    }
    const gfx::Vector3 centre = GetSelectionCentre();
    const bool shadows = m_pDoc->Settings().showShadow != 0;
    const auto turn = [&](CDesignObject* object, const std::array<float, 6>& by) -> C3DObject& {
        C3DObject& solid = As3D(object);
        solid.RotateAroundPoint(centre, by);
        return solid;
    };
    const auto castShadow = [&](C3DObject& solid) {
        if (shadows) {
            solid.BuildShadowVolume();
        }
    };
    const auto outlineWhenShown = [](C3DObject& solid) {
        if (solid.GetPlanSymbolShown() != 0 && solid.GetPlanOutlineShown() != 0) {
            solid.UpdatePlanOutline();
        }
    };

    for (CDesignObject* object : m_selected[kModelObjectType]) {
        // A door or window in an opening is re-placed by its surface.
        if (IsInOpeningOfSelectedSurface(&As3D(object))) {
            continue;
        }
        C3DObject& model = turn(object, deltas);
        model.UpdatePlanIcon();
        outlineWhenShown(model);
        castShadow(model);
    }
    for (CDesignObject* object : m_selected[kWallObjectType]) {
        C3DObject& wall = turn(object, deltas);
        wall.UpdatePlanOutline();
        if (auto* surface = dynamic_cast<CWallObject*>(&wall)) {
            surface->UpdateOpeningModels();
        }
        castShadow(wall);
    }
    for (CDesignObject* object : m_selected[kText3DObjectType]) {
        C3DObject& text = turn(object, deltas);
        outlineWhenShown(text);
        castShadow(text);
    }
    for (CDesignObject* object : m_selected[kPhotoObjectType]) {
        C3DObject& photo = turn(object, deltas);
        PlaceSymbol(photo, true);
        castShadow(photo);
    }
    for (CDesignObject* object : m_selected[kLightObjectType]) {
        PlaceSymbol(turn(object, deltas), false);
    }
    // Floors and ceilings stay level: they only move and turn about the
    // vertical axis.
    const std::array<float, 6> level = {deltas[0], deltas[1], deltas[2], deltas[3], 0.0f, 0.0f};
    for (const int type : {kFloorObjectType, kCeilingObjectType}) {
        for (CDesignObject* object : m_selected[type]) {
            C3DObject& surface = turn(object, level);
            surface.UpdatePlanOutline();
            castShadow(surface);
        }
    }

    RefreshObjectsAndSymbols();
    FillFloorCombo();
    // Every 3D object counts, not only those a plan symbol stands for: a
    // model without a symbol has moved all the same.
    bool anySelected = false;
    for (int type = 0; type <= kLightIconShapeType; ++type) {
        anySelected = anySelected || (type != kChainShapeType && !m_selected[type].empty());
    }
    if (anySelected) {
        m_pDoc->SetDesignModified(1);
    }
}

void CDesignScene::MoveSelectionBottomTo(float height) {
    TransformSelected3DObjects({0.0f, height - GetSelectionBottom(), 0.0f, 0.0f, 0.0f, 0.0f});
}

float CDesignScene::GetSelectionBottom() const {
    float bottom = kNoSelectionBottom;
    for (const int type : kSaved3DTypes) {
        for (CDesignObject* object : m_selected[type]) {
            bottom = std::fmin(bottom, As3D(object).GetPosition().y);
        }
    }
    return bottom;
}

gfx::Vector3 CDesignScene::GetSelectionCentre() const {
    CBoundingBox3D box;
    for (const int type : kSaved3DTypes) {
        for (CDesignObject* object : m_selected[type]) {
            const gfx::Vector3 position = As3D(object).GetPosition();
            box.AddPoint(position.x, position.y, position.z);
        }
    }
    return {(box.minX + box.maxX) / 2.0f, (box.minY + box.maxY) / 2.0f,
            (box.minZ + box.maxZ) / 2.0f};
}

bool CDesignScene::GetSceneBounds(gfx::Vector3* min, gfx::Vector3* max) const {
    return AccumulateWorldBounds(m_objects, min, max);
}

bool CDesignScene::GetSelectionBounds(gfx::Vector3* min, gfx::Vector3* max) const {
    return AccumulateWorldBounds(m_selected, min, max);
}

void CDesignScene::TurnPhotosToCamera(const gfx::Vector3& eye) {
    for (CDesignObject* object : m_objects[kPhotoObjectType]) {
        auto* photo = static_cast<C3DObject*>(object);
        if (photo->IsFacingViewer() != 0) {
            TurnToCamera(*photo, eye);
        }
    }
}
