#include "plan2d/PlanPick.h"

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/HousDoc.h"
#include "objects/2DPictureShape.h"
#include "objects/2DShape.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanHitTest.h"
#include "plan2d/PlanLayerBits.h"

namespace {

CDesignScene* SceneOf(const CHousDoc& doc) {
    I3DView* view = doc.Get3DView();
    return view != nullptr ? view->GetScene() : nullptr;
}

// The 3D object a plan symbol stands for, by the symbol's list.
int OwnerTypeOfIcon(int iconType) {
    switch (iconType) {
        case kModelIconShapeType:
            return kModelObjectType;
        case kPhotoIconShapeType:
            return kPhotoObjectType;
        case kLightIconShapeType:
            return kLightObjectType;
        default:
            return kNoObjectType;
    }
}

void SetSelected(CDesignScene& scene, int type, CDesignObject* object, bool selected) {
    if (selected) {
        scene.SelectObject(type, object);
    } else {
        scene.DeselectObject(type, object);
    }
}

// A click acts on the top group of a member, on the chain of a chain
// member, and on a symbol together with its 3D object.
void SelectWithOwners(CDesignScene& scene, const PlanPick& pick, bool selected) {
    CDesignObject* top = pick.object;
    while (top->GetParent() != nullptr) {
        top = top->GetParent();
    }
    if (top != pick.object) {
        SetSelected(scene, kGroupShapeType, top, selected);
        return;
    }
    if (C2DShape* chain = pick.object->GetOwnerChain()) {
        SetSelected(scene, kChainShapeType, chain, selected);
        return;
    }
    SetSelected(scene, pick.kind, pick.object, selected);
    const int ownerType = OwnerTypeOfIcon(pick.kind);
    if (ownerType != kNoObjectType) {
        const auto* icon = static_cast<const C2DPictureShape*>(pick.object);
        if (CDesignObject* owner = icon->GetOwnerObject()) {
            SetSelected(scene, ownerType, owner, selected);
        }
        return;
    }
    // An object picked by its outline takes its symbol along: the selection
    // counts models, photos and lights by their symbols.
    const int iconType = PlanSymbolTypeOf(pick.kind);
    if (iconType != kNoObjectType) {
        if (C2DPictureShape* icon = static_cast<C3DObject*>(pick.object)->GetPlanIcon()) {
            SetSelected(scene, iconType, icon, selected);
        }
    }
}

}  // namespace

PlanPick PickObjectAt(CHousDoc& doc, POINT p, bool selectedOnly) {
    const CPlanHitTest hits(doc, selectedOnly);
    const auto found = [](CDesignObject* object, int kind) {
        return object != nullptr ? PlanPick{object, kind} : PlanPick{};
    };
    const struct {
        int type;
        uint32_t mask;
    } planTypes[] = {{kGroupShapeType, ~0u}, {kDimensionShapeType, PlanLayer::kDimensions}};
    for (const auto& t : planTypes) {
        if (PlanPick pick = found(hits.HitPlanType(p, t.type, t.mask), t.type); pick.object) {
            return pick;
        }
    }
    const struct {
        int type;
        uint32_t mask;
    } surfaces[] = {{kWallObjectType, PlanLayer::kWalls},
                    {kCeilingObjectType, PlanLayer::kCeilings},
                    {kFloorObjectType, PlanLayer::kFloors}};
    for (const auto& s : surfaces) {
        if (PlanPick pick = found(hits.HitSurfaces(p, s.type, s.mask), s.type); pick.object) {
            return pick;
        }
    }
    const struct {
        int type;
        uint32_t mask;
    } shapes[] = {
        {kLineShapeType, PlanLayer::kShapes},    {kRectShapeType, PlanLayer::kShapes},
        {kCircleShapeType, PlanLayer::kShapes},  {kCurveShapeType, PlanLayer::kShapes},
        {kTextShapeType, PlanLayer::kTextNotes}, {kDxfIconShapeType, PlanLayer::kDxfSymbols},
        {kImageShapeType, PlanLayer::kPictures}};
    for (const auto& s : shapes) {
        if (PlanPick pick = found(hits.HitPlanType(p, s.type, s.mask), s.type); pick.object) {
            return pick;
        }
    }
    if (PlanPick pick = found(hits.HitModelIcons(p), kModelIconShapeType); pick.object) {
        return pick;
    }
    if (PlanPick pick = found(hits.HitModels(p), kModelObjectType); pick.object) {
        return pick;
    }
    if (PlanPick pick = found(hits.HitPhotoIcons(p), kPhotoIconShapeType); pick.object) {
        return pick;
    }
    if (PlanPick pick = found(hits.HitLightIcons(p), kLightIconShapeType); pick.object) {
        return pick;
    }
    return found(hits.HitText3D(p), kText3DObjectType);
}

bool SelectByClick(CHousDoc& doc, bool ctrl, POINT logical) {
    CDesignScene* scene = SceneOf(doc);
    if (scene == nullptr) {
        return false;
    }
    const PlanPick pick = PickObjectAt(doc, logical);
    if (pick.object == nullptr) {
        return false;
    }
    if (ctrl) {
        // Only the picked pointers go: the symbols of the rest of the
        // selection stay selected with their objects.
        for (const auto kind :
             {CHousDoc::PickedKind::Ceiling, CHousDoc::PickedKind::Wall,
              CHousDoc::PickedKind::Floor, CHousDoc::PickedKind::Model, CHousDoc::PickedKind::Photo,
              CHousDoc::PickedKind::Light, CHousDoc::PickedKind::Text3D}) {
            doc.SetPickedObject(kind, nullptr);
        }
        SelectWithOwners(*scene, pick, pick.object->IsSelected() == 0);
    } else if (pick.object->IsSelected() == 0) {
        for (int type = 0; type < CDesignScene::kTypeCount; ++type) {
            scene->DeselectAll(type);
        }
        doc.ClearPickedObjects();
        SelectWithOwners(*scene, pick, true);
    }
    return true;
}
