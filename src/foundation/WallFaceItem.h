#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "foundation/Circle2F.h"
#include "foundation/Rect2D.h"
#include "foundation/Segment2F.h"
#include "foundation/Vector2F.h"

class CModelObject;

// One thing drawn on a face of a surface object: a door or window opening, a
// hole, a split area or a split line. Coordinates are centimetres in the
// face's own frame. Copies are deep except for the models, which only refer.
struct WallFaceItem {
    enum Kind : int32_t {
        kRectangle = 0,
        kCircle = 1,
        kPolygon = 2,
        kHorizontalSplitLine = 3,  // at firstCorner.y
        kVerticalSplitLine = 4,    // at firstCorner.x
    };

    int32_t face = 0;
    int32_t cutOut = 0;  // 1: the shape is removed from the face; 0: a split
    int32_t kind = kRectangle;
    CVector2F firstCorner;           // rectangle corner, circle centre, or a point on a split line
    CVector2F secondCorner;          // opposite rectangle corner, or a point on the circle
    std::vector<CVector2F> outline;  // polygon points
    int32_t applied = 0;             // the item's geometry exists in the mesh
    int32_t deleted = 0;             // to be removed at the next cut
    int32_t twinFace = -1;           // face of the twin hole on the other side; -1 none
    CVector2F anchor;                // the twin's first point; identifies the pair
    int32_t recordKind = 0;          // 0 split piece, 1 inner faces of a hole
    std::vector<int> parts;          // parts the item produced
    int32_t twinCreated = 0;         // made as the twin of another item
    CModelObject* model1 = nullptr;  // door or window models in the opening
    CModelObject* model2 = nullptr;

    WallFaceItem() = default;
    WallFaceItem(int32_t faceIndex, int32_t cutOutFlag, int32_t shapeKind)
        : face(faceIndex), cutOut(cutOutFlag), kind(shapeKind) {}

    void SetCorners(const CVector2F& first, const CVector2F& second);

    bool HasSameKind(const WallFaceItem& other) const;
    bool IsSplitArea() const;
    bool IsSplitLine() const;

    // Borders count. Split lines contain nothing.
    bool ContainsPoint(const CVector2F& p) const;
    // Meets the shape's outline: a segment wholly inside does not count.
    bool IntersectsSegment(const CSegment2F& s) const;
    // The shapes share a point; split lines intersect nothing.
    bool IntersectsRect(const CRect2D& rect) const;
    bool IntersectsCircle(const CCircle2F& circle) const;
    bool IntersectsPolygon(std::span<const CVector2F> polygon) const;
    bool Intersects(const WallFaceItem& other) const;
};
