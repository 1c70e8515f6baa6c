#include "plan2d/PlanObjectSnap.h"

#include <array>
#include <utility>

#include "document/DesignScene.h"
#include "document/DocumentViews.h"
#include "document/EditMode.h"
#include "document/HousDoc.h"
#include "foundation/DisplayFlags.h"
#include "foundation/GeometryMath.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "plan2d/PlanLayerBits.h"

namespace {

POINT RoundedPoint(float x, float y) {
    return {RoundToInt(x), RoundToInt(y)};
}

bool IsShapeToolMode(int mode) {
    switch (mode) {
        case EditMode::kLine:
        case EditMode::kLineDrawing:
        case EditMode::kArrow:
        case EditMode::kArrowDrawing:
        case EditMode::kArc:
        case EditMode::kArcDrawing:
        case EditMode::kCurve:
        case EditMode::kCurveDrawing:
            return true;
        default:
            return false;
    }
}

CDesignScene* SceneOf(const CHousDoc& doc) {
    I3DView* view = doc.Get3DView();
    return view != nullptr ? view->GetScene() : nullptr;
}

}  // namespace

int CPlanObjectSnap::SnapToObjectPoint(POINT& point) {
    if (m_suppressed || m_doc.GetSnapToTolerance() == 0) {
        return 0;
    }
    if (const int cursor = SnapToSurfacePoint(point)) {
        return cursor;
    }
    const auto mask = static_cast<uint32_t>(m_doc.Settings().show2DState);
    if ((mask & PlanLayer::kShapes) != 0) {
        for (const int type : {kLineShapeType, kCurveShapeType, kRectShapeType, kCircleShapeType}) {
            if (const int cursor = SnapToShapePoint(point, type)) {
                return cursor;
            }
        }
    }
    if ((mask & PlanLayer::kDimensions) != 0) {
        return SnapToShapePoint(point, kDimensionShapeType);
    }
    return 0;
}

int CPlanObjectSnap::SnapToSurfacePoint(POINT& point) const {
    CDesignScene* scene = SceneOf(m_doc);
    if (scene == nullptr) {
        return 0;
    }
    const auto mask = static_cast<uint32_t>(m_doc.Settings().show2DState);
    const int tolerance = m_doc.GetPickTolerance();
    for (const int type : {kWallObjectType, kFloorObjectType, kCeilingObjectType}) {
        if ((mask & GetDisplayFlagForType(type)) == 0) {
            continue;
        }
        for (CDesignObject* object : scene->Objects(type)) {
            if (!scene->IsOnCurrentFloor(*object)) {
                continue;
            }
            for (const CSegment2F& s : static_cast<C3DObject*>(object)->GetPlanOutline()) {
                const std::array<std::pair<POINT, int>, 3> candidates = {{
                    {RoundedPoint(s.start.x, s.start.y), kVertexCursor},
                    {RoundedPoint(s.end.x, s.end.y), kVertexCursor},
                    {RoundedPoint((s.start.x + s.end.x) / 2, (s.start.y + s.end.y) / 2),
                     kMidPointCursor},
                }};
                for (const auto& [candidate, cursor] : candidates) {
                    if (m_doc.IsWithinPickTolerance(point, candidate, tolerance)) {
                        point = candidate;
                        return cursor;
                    }
                }
            }
        }
    }
    return 0;
}

int CPlanObjectSnap::SnapToShapePoint(POINT& point, int type) const {
    CDesignScene* scene = SceneOf(m_doc);
    if (scene == nullptr) {
        return 0;
    }
    const int tolerance = m_doc.GetPickTolerance();
    for (CDesignObject* shape : scene->Objects(type)) {
        if (!scene->IsOnCurrentFloor(*shape)) {
            continue;
        }
        if (shape->HitVertex(point, tolerance)) {
            return kVertexCursor;
        }
        if (shape->HitMidPoint(point, tolerance)) {
            return kMidPointCursor;
        }
    }
    return 0;
}

int CPlanObjectSnap::SnapToShapeEnds(POINT cursor) {
    if (!IsShapeToolMode(m_doc.GetEditMode())) {
        return 0;
    }
    DropHeldEnd();
    CDesignScene* scene = SceneOf(m_doc);
    if (m_suppressed || scene == nullptr) {
        return 0;
    }
    const int tolerance = m_doc.GetPickTolerance();
    for (const int type : {kLineShapeType, kCircleShapeType, kCurveShapeType}) {
        for (CDesignObject* shape : scene->Objects(type)) {
            POINT end = cursor;
            if (shape->HitFreeEndPoint(end, tolerance)) {
                m_endSnapped = true;
                m_heldEnd = end;
                m_joinTarget = shape;
                return kFreeEndCursor;
            }
        }
    }
    return 0;
}

void CPlanObjectSnap::DropHeldEnd() {
    m_endSnapped = false;
    m_heldEnd = POINT{};
    m_joinTarget = nullptr;
}
