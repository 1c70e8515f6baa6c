#include "foundation/WallFaceItem.h"

#include "foundation/HitTests.h"

namespace {

bool IsSplitLineKind(int32_t kind) {
    return kind == WallFaceItem::kHorizontalSplitLine || kind == WallFaceItem::kVerticalSplitLine;
}

CRect2D GetItemRect(const WallFaceItem& item) {
    return {item.firstCorner.x, item.firstCorner.y, item.secondCorner.x, item.secondCorner.y};
}

CCircle2F GetItemCircle(const WallFaceItem& item) {
    return {item.firstCorner, (item.secondCorner - item.firstCorner).GetLength()};
}

}  // namespace

void WallFaceItem::SetCorners(const CVector2F& first, const CVector2F& second) {
    firstCorner = first;
    secondCorner = second;
}

bool WallFaceItem::HasSameKind(const WallFaceItem& other) const {
    return cutOut == other.cutOut && kind == other.kind;
}

bool WallFaceItem::IsSplitArea() const {
    return cutOut == 0 && !IsSplitLineKind(kind);
}

bool WallFaceItem::IsSplitLine() const {
    return cutOut == 0 && IsSplitLineKind(kind);
}

bool WallFaceItem::ContainsPoint(const CVector2F& p) const {
    switch (kind) {
        case kRectangle:
            // Products rather than min and max: the corners may come in any order.
            return (p.x - secondCorner.x) * (p.x - firstCorner.x) <= 0.0f &&
                   (p.y - secondCorner.y) * (p.y - firstCorner.y) <= 0.0f;
        case kCircle:
            return GetItemCircle(*this).Contains(p);
        case kPolygon:
            return PointInPolygon(p, outline);
        default:
            return false;
    }
}

bool WallFaceItem::IntersectsSegment(const CSegment2F& s) const {
    switch (kind) {
        case kRectangle: {
            const CVector2F& a = firstCorner;
            const CVector2F& b = secondCorner;
            const CSegment2F sides[] = {{{a.x, a.y}, {a.x, b.y}},
                                        {{a.x, a.y}, {b.x, a.y}},
                                        {{b.x, b.y}, {a.x, b.y}},
                                        {{b.x, b.y}, {b.x, a.y}}};
            for (const CSegment2F& side : sides) {
                if (s.Intersects(side)) {
                    return true;
                }
            }
            return false;
        }
        case kCircle:
            return GetItemCircle(*this).CrossesSegment(s);
        case kPolygon:
            return SegmentIntersectsPolygon(s, outline);
        default:
            return false;
    }
}

bool WallFaceItem::IntersectsRect(const CRect2D& rect) const {
    switch (kind) {
        case kRectangle:
            return GetItemRect(*this).Overlaps(rect);
        case kCircle:
            return RectIntersectsCircle(rect, GetItemCircle(*this));
        case kPolygon:
            return RectIntersectsPolygon(rect, outline);
        default:
            return false;
    }
}

bool WallFaceItem::IntersectsCircle(const CCircle2F& circle) const {
    switch (kind) {
        case kRectangle:
            return RectIntersectsCircle(GetItemRect(*this), circle);
        case kCircle:
            return GetItemCircle(*this).Overlaps(circle);
        case kPolygon:
            return CircleIntersectsPolygon(circle, outline);
        default:
            return false;
    }
}

bool WallFaceItem::IntersectsPolygon(std::span<const CVector2F> polygon) const {
    switch (kind) {
        case kRectangle:
            return RectIntersectsPolygon(GetItemRect(*this), polygon);
        case kCircle:
            return CircleIntersectsPolygon(GetItemCircle(*this), polygon);
        case kPolygon:
            return PolygonsIntersect(outline, polygon);
        default:
            return false;
    }
}

bool WallFaceItem::Intersects(const WallFaceItem& other) const {
    switch (other.kind) {
        case kRectangle:
            return IntersectsRect(GetItemRect(other));
        case kCircle:
            return IntersectsCircle(GetItemCircle(other));
        case kPolygon:
            return IntersectsPolygon(other.outline);
        default:
            return false;
    }
}
