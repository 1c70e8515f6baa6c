#include "plan2d/PlanRectSelection.h"

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "document/PickedKindOfType.h"
#include "foundation/HitTests.h"
#include "foundation/Rect2D.h"
#include "objects/2DPictureShape.h"
#include "objects/2DShape.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"
#include "plan2d/PlanSelectionKinds.h"

namespace {

// The plan types a new rubber band starts without.
constexpr int kPlanSelectionTypes[] = {
    kLineShapeType,      kRectShapeType,      kCircleShapeType,    kCurveShapeType,
    kDimensionShapeType, kTextShapeType,      kImageShapeType,     kDxfIconShapeType,
    kModelIconShapeType, kPhotoIconShapeType, kLightIconShapeType, kGroupShapeType,
};

// Outline points are logical (y down); the rectangle is in stored form.
CVector2D Stored(const CVector2F& p) {
    return {p.x, -double(p.y)};
}

bool OutlineMeetsRect(const C3DObject& object, const CRect2D& rect) {
    for (const CSegment2F& s : object.GetPlanOutline()) {
        const CVector2D start = Stored(s.start);
        const CVector2D end = Stored(s.end);
        if (rect.Contains(start.x, start.y) || SegmentIntersectsRect(rect, start, end)) {
            return true;
        }
    }
    return false;
}

bool OutlineEndInRect(const C3DObject& object, const CRect2D& rect) {
    for (const CSegment2F& s : object.GetPlanOutline()) {
        const CVector2D start = Stored(s.start);
        const CVector2D end = Stored(s.end);
        if (rect.Contains(start.x, start.y) || rect.Contains(end.x, end.y)) {
            return true;
        }
    }
    return false;
}

bool IsShownOutline(const C3DObject& object) {
    return !object.GetPlanOutline().empty() && object.GetPlanOutlineShown() != 0;
}

}  // namespace

bool CPlanRectSelection::SelectInRectangle(const CVector2D& anchor, const CVector2D& release,
                                           const PlanKindChooser& chooseKinds) {
    I3DView* view = m_doc.Get3DView();
    CDesignScene* scene = view != nullptr ? view->GetScene() : nullptr;
    if (release == anchor || scene == nullptr) {
        return false;
    }
    for (const int type : kPlanSelectionTypes) {
        for (CDesignObject* object : scene->Objects(type)) {
            object->SetSelected(0);
        }
        scene->Selected(type).clear();
    }
    m_doc.ClearPickedObjects();

    CRect2D rect(anchor, release);
    rect.Normalize();
    SelectCaught(*scene, rect);
    if (PlanSelectionKinds::IsMixed(PlanSelectionKinds::SelectedKinds(*scene))) {
        FilterKinds(*scene, chooseKinds);
    }
    scene->UpdateSelectionEditMode();
    if (scene->RecountSelection().count == 1) {
        RememberSinglePicks(*scene);
    }
    m_doc.UpdateAllViews(kFullRefreshHint);
    return true;
}

void CPlanRectSelection::SelectCaught(CDesignScene& scene, const CRect2D& rect) {
    const auto mask = static_cast<uint32_t>(m_doc.Settings().show2DState);
    const auto shown = [mask](uint32_t bit) { return (mask & bit) != 0; };
    if (shown(PlanLayer::kCeilings)) {
        SelectSurfaces(scene, rect, kCeilingObjectType);
    }
    if (shown(PlanLayer::kWalls)) {
        SelectSurfaces(scene, rect, kWallObjectType);
    }
    if (shown(PlanLayer::kFloors)) {
        SelectSurfaces(scene, rect, kFloorObjectType);
    }
    if (shown(PlanLayer::kShapes)) {
        for (const int type : {kLineShapeType, kRectShapeType, kCircleShapeType, kCurveShapeType}) {
            SelectShapes(scene, rect, type);
        }
    }
    if (shown(PlanLayer::kTextNotes)) {
        SelectShapes(scene, rect, kTextShapeType);
    }
    if (shown(PlanLayer::kDimensions)) {
        SelectShapes(scene, rect, kDimensionShapeType);
    }
    if (shown(PlanLayer::kPictures)) {
        SelectPictures(scene, rect);
    }
    if (shown(PlanLayer::kDxfSymbols)) {
        SelectShapes(scene, rect, kDxfIconShapeType);
    }
    if (shown(PlanLayer::kFurniture)) {
        SelectOutlinedObjects(scene, rect, kModelObjectType);
        SelectIcons(scene, rect, kModelIconShapeType, kModelObjectType);
    }
    if (shown(PlanLayer::kPhotos)) {
        SelectIcons(scene, rect, kPhotoIconShapeType, kPhotoObjectType);
    }
    if (shown(PlanLayer::kText3D)) {
        SelectOutlinedObjects(scene, rect, kText3DObjectType);
    }
    if (shown(PlanLayer::kLights)) {
        SelectIcons(scene, rect, kLightIconShapeType, kLightObjectType);
    }
}

void CPlanRectSelection::SelectSurfaces(CDesignScene& scene, const CRect2D& rect, int type) {
    for (CDesignObject* object : scene.Objects(type)) {
        const auto& surface = static_cast<const C3DObject&>(*object);
        if (scene.IsOnCurrentFloor(surface) && OutlineMeetsRect(surface, rect)) {
            scene.SelectObject(type, object);
        }
    }
}

void CPlanRectSelection::SelectShapes(CDesignScene& scene, const CRect2D& rect, int type) {
    for (CDesignObject* shape : scene.Objects(type)) {
        if (scene.IsOnCurrentFloor(*shape) && shape->IsInShapeSet() == 0 &&
            shape->HitTestRect(rect)) {
            SelectWithOwners(scene, type, shape);
        }
    }
}

void CPlanRectSelection::SelectPictures(CDesignScene& scene, const CRect2D& rect) {
    for (CDesignObject* object : scene.Objects(kImageShapeType)) {
        const auto& picture = static_cast<const C2DPictureShape&>(*object);
        const CVector2D& p = picture.GetPosition();
        const CRect2D box =
            CRect2D(p.x, -p.y, p.x + picture.GetWidth(), -p.y - picture.GetHeight()).Normalize();
        if (scene.IsOnCurrentFloor(picture) && box.OverlapsWithoutContaining(rect)) {
            SelectWithOwners(scene, kImageShapeType, object);
        }
    }
}

void CPlanRectSelection::SelectOutlinedObjects(CDesignScene& scene, const CRect2D& rect, int type) {
    for (CDesignObject* object : scene.Objects(type)) {
        auto& shape = static_cast<C3DObject&>(*object);
        if (IsShownOutline(shape) && scene.IsOnCurrentFloor(shape) &&
            OutlineEndInRect(shape, rect)) {
            scene.SelectObject(type, object);
            if (C2DPictureShape* icon = shape.GetPlanIcon()) {
                scene.SelectObject(icon->GetType(), icon);
            }
        }
    }
}

void CPlanRectSelection::SelectIcons(CDesignScene& scene, const CRect2D& rect, int iconType,
                                     int ownerType) {
    for (CDesignObject* object : scene.Objects(iconType)) {
        const auto& icon = static_cast<const C2DPictureShape&>(*object);
        auto* owner = dynamic_cast<C3DObject*>(icon.GetOwnerObject());
        if (owner == nullptr || !scene.IsOnCurrentFloor(*owner)) {
            continue;
        }
        // A model's icon counts only while the model's outline is valid.
        if (ownerType == kModelObjectType && !owner->HasValidPlanOutline()) {
            continue;
        }
        if (icon.HitTestRect(rect)) {
            scene.SelectObject(iconType, object);
            scene.SelectObject(ownerType, owner);
        }
    }
}

void CPlanRectSelection::SelectWithOwners(CDesignScene& scene, int type, CDesignObject* object) {
    if (C2DShape* chain = object->GetOwnerChain()) {
        scene.SelectObject(kChainShapeType, chain);
    } else {
        scene.SelectObject(type, object);
    }
    CDesignObject* parent = object->GetParent();
    if (parent != nullptr && parent->GetType() == kGroupShapeType) {
        scene.SelectObject(kGroupShapeType, parent);
    }
}

void CPlanRectSelection::FilterKinds(CDesignScene& scene, const PlanKindChooser& chooseKinds) {
    const uint32_t caught = PlanSelectionKinds::SelectedKinds(scene);
    const std::optional<uint32_t> kept = chooseKinds ? chooseKinds(caught) : caught;
    // Cancelled, nothing of the rectangle stays selected.
    const uint32_t dropped = caught & ~kept.value_or(0);
    for (uint32_t kind = 1; kind != 0; kind <<= 1) {
        if ((dropped & kind) == 0) {
            continue;
        }
        for (const int type : PlanSelectionKinds::TypesOfKind(kind)) {
            scene.DeselectAll(type);
        }
    }
}

void CPlanRectSelection::RememberSinglePicks(CDesignScene& scene) {
    for (const int type : {kModelObjectType, kWallObjectType, kLightObjectType, kText3DObjectType,
                           kPhotoObjectType, kFloorObjectType, kCeilingObjectType}) {
        const std::vector<CDesignObject*>& selected = scene.Selected(type);
        if (selected.size() == 1) {
            m_doc.SetPickedObject(*PickedKindOfType(type),
                                  static_cast<C3DObject*>(selected.front()));
        }
    }
}
