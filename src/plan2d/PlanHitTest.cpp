#include "plan2d/PlanHitTest.h"

#include <vector>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/GeometryMath.h"
#include "foundation/HitTests.h"
#include "objects/2DPictureShape.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"

namespace {

CVector2D ToDouble(const CVector2F& p) {
    return {p.x, p.y};
}

CVector2D Rounded(const CVector2F& p) {
    return {double(RoundToInt(p.x)), double(RoundToInt(p.y))};
}

bool HitsOutline(const C3DObject& object, POINT point, int tolerance, bool roundEnds) {
    for (const CSegment2F& segment : object.GetPlanOutline()) {
        const CVector2D start = roundEnds ? Rounded(segment.start) : ToDouble(segment.start);
        const CVector2D end = roundEnds ? Rounded(segment.end) : ToDouble(segment.end);
        if (HitTestSegment(point, start, end, tolerance)) {
            return true;
        }
    }
    return false;
}

// An icon's owner counts only while it has a valid outline on the current floor.
const C3DObject* PlacedOwner(const CDesignScene& scene, const CDesignObject& icon) {
    const auto* picture = dynamic_cast<const C2DPictureShape*>(&icon);
    const auto* owner =
        picture != nullptr ? dynamic_cast<const C3DObject*>(picture->GetOwnerObject()) : nullptr;
    if (owner == nullptr || !owner->HasValidPlanOutline() || !scene.IsOnCurrentFloor(*owner)) {
        return nullptr;
    }
    return owner;
}

// A photo on the plan is a stroke through its icon along the photo's heading.
bool HitsPhotoStroke(const C2DPictureShape& icon, const C3DObject& photo, POINT point,
                     int tolerance) {
    const CVector2D half =
        CVector2D(icon.GetWidth() / 2.0, 0.0).RotateDegrees(-RadiansToDegrees(photo.GetHeading()));
    const CVector2D& centre = icon.GetPosition();
    return HitTestSegment(point, centre - half, centre + half, tolerance) ||
           (photo.IsFacingViewer() != 0 && HitsOutline(photo, point, tolerance, false));
}

}  // namespace

CDesignScene* CPlanHitTest::Scene() const {
    I3DView* view = m_doc.Get3DView();
    return view != nullptr ? view->GetScene() : nullptr;
}

bool CPlanHitTest::IsPassedOver(const CDesignObject& object) const {
    return m_selectedOnly && object.IsSelected() == 0;
}

bool CPlanHitTest::IsLayerShown(uint32_t mask) const {
    return (static_cast<uint32_t>(m_doc.Settings().show2DState) & mask) != 0;
}

CDesignObject* CPlanHitTest::HitSurfaces(POINT point, int type, uint32_t maskBit) const {
    CDesignScene* scene = Scene();
    if (scene == nullptr || !IsLayerShown(maskBit)) {
        return nullptr;
    }
    const int tolerance =
        m_doc.GetEditMode() == EditMode::kDxfToStructure ? 1 : m_doc.Settings().selectSense;
    for (CDesignObject* object : scene->Objects(type)) {
        const auto* surface = static_cast<const C3DObject*>(object);
        if (!IsPassedOver(*object) && surface->HasValidPlanOutline() &&
            scene->IsOnCurrentFloor(*surface) && HitsOutline(*surface, point, tolerance, false)) {
            return object;
        }
    }
    return nullptr;
}

C3DObject* CPlanHitTest::HitShownOutlines(POINT point, int type, uint32_t maskBit,
                                          bool roundEnds) const {
    CDesignScene* scene = Scene();
    if (scene == nullptr || !IsLayerShown(maskBit)) {
        return nullptr;
    }
    for (CDesignObject* object : scene->Objects(type)) {
        auto* shape = static_cast<C3DObject*>(object);
        if (!IsPassedOver(*object) && shape->HasValidPlanOutline() &&
            shape->GetPlanOutlineShown() != 0 && scene->IsOnCurrentFloor(*shape) &&
            HitsOutline(*shape, point, m_doc.Settings().selectSense, roundEnds)) {
            return shape;
        }
    }
    return nullptr;
}

C3DObject* CPlanHitTest::HitModels(POINT point) const {
    return HitShownOutlines(point, kModelObjectType, PlanLayer::kFurniture, false);
}

C3DObject* CPlanHitTest::HitText3D(POINT point) const {
    return HitShownOutlines(point, kText3DObjectType, PlanLayer::kText3D, true);
}

CDesignObject* CPlanHitTest::HitModelIcons(POINT point) const {
    CDesignScene* scene = Scene();
    if (scene == nullptr || !IsLayerShown(PlanLayer::kFurniture)) {
        return nullptr;
    }
    for (CDesignObject* icon : scene->Objects(kModelIconShapeType)) {
        if (!IsPassedOver(*icon) && PlacedOwner(*scene, *icon) != nullptr &&
            icon->HitTestPoint(point, m_doc.Settings().selectSense)) {
            return icon;
        }
    }
    return nullptr;
}

CDesignObject* CPlanHitTest::HitPhotoIcons(POINT point) const {
    CDesignScene* scene = Scene();
    if (scene == nullptr || !IsLayerShown(PlanLayer::kPhotos)) {
        return nullptr;
    }
    const int tolerance = m_doc.Settings().selectSense;
    for (CDesignObject* object : scene->Objects(kPhotoIconShapeType)) {
        const C3DObject* photo = PlacedOwner(*scene, *object);
        if (photo == nullptr || IsPassedOver(*object)) {
            continue;
        }
        const auto& icon = static_cast<const C2DPictureShape&>(*object);
        const bool hit = photo->GetPlanOutlineShown() != 0
                             ? HitsPhotoStroke(icon, *photo, point, tolerance)
                             : icon.HitTestPoint(point, tolerance) != 0;
        if (hit) {
            return object;
        }
    }
    return nullptr;
}

CDesignObject* CPlanHitTest::HitLightIcons(POINT point) const {
    CDesignScene* scene = Scene();
    if (scene == nullptr || !IsLayerShown(PlanLayer::kLights)) {
        return nullptr;
    }
    for (CDesignObject* object : scene->Objects(kLightIconShapeType)) {
        const auto& icon = static_cast<const C2DPictureShape&>(*object);
        if (!IsPassedOver(icon) && icon.GetOwnerObject() != nullptr &&
            icon.HitTestPoint(point, m_doc.Settings().selectSense)) {
            return object;
        }
    }
    return nullptr;
}

CDesignObject* CPlanHitTest::HitPlanType(POINT point, int type, uint32_t mask) const {
    CDesignScene* scene = Scene();
    if (scene == nullptr || !IsLayerShown(mask)) {
        return nullptr;
    }
    const int tolerance = m_doc.GetPickTolerance();
    for (CDesignObject* object : scene->Objects(type)) {
        if (!IsPassedOver(*object) && object->HasParent() == 0 &&
            scene->IsOnCurrentFloor(*object) && object->HitTestPoint(point, tolerance)) {
            return object;
        }
    }
    return nullptr;
}

bool IsOnCameraMarker(POINT markerPoint, const RECT& markerBox) {
    return markerPoint.x >= markerBox.left && markerPoint.x < markerBox.right &&
           markerPoint.y >= markerBox.top && markerPoint.y < markerBox.bottom;
}
