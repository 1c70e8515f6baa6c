#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "objects/ObjectTypeCodes.h"
#include "objects/WallObject.h"

namespace {

bool IsShapeKind(int kind) {
    return kind == WallFaceItem::kRectangle || kind == WallFaceItem::kCircle ||
           kind == WallFaceItem::kPolygon;
}

// The points that place an item: its corners, or its outline points.
std::vector<CVector2F*> PlacingPoints(WallFaceItem& item) {
    if (item.kind == WallFaceItem::kPolygon) {
        std::vector<CVector2F*> points;
        for (CVector2F& p : item.outline) {
            points.push_back(&p);
        }
        return points;
    }
    return {&item.firstCorner, &item.secondCorner};
}

// The point a twin's anchor names: the first outline point of a polygon,
// else the first corner.
const CVector2F* AnchorPoint(const WallFaceItem& item) {
    if (item.kind == WallFaceItem::kPolygon) {
        return item.outline.empty() ? nullptr : &item.outline.front();
    }
    return &item.firstCorner;
}

bool OnDifferentSides(float a, float b) {
    return (a <= 0.0f && b >= 0.0f) || (a >= 0.0f && b <= 0.0f);
}

}  // namespace

std::vector<int> CWallObject::CreateTwinItems(int face) {
    std::vector<int> faces;
    if (GetType() == kFloorObjectType || GetType() == kCeilingObjectType) {
        return faces;
    }
    const auto addFace = [&faces](int f) {
        // A face cut once takes all its new twins.
        if (std::find(faces.begin(), faces.end(), f) == faces.end()) {
            faces.push_back(f);
        }
    };
    // Twins are appended while the face's items are walked.
    std::vector<WallFaceItem*> items;
    for (const std::unique_ptr<WallFaceItem>& item : m_faceItems) {
        if (item->face == face && item->cutOut == 1) {
            items.push_back(item.get());
        }
    }
    for (WallFaceItem* item : items) {
        if (item->deleted != 0) {
            if (item->twinFace >= 0) {
                if (WallFaceItem* twin = FindTwinItem(*item)) {
                    twin->deleted = 1;
                    addFace(twin->face);
                }
            }
            // A hole on its way out gets no new twin.
            continue;
        }
        // A hole brought back by a redo comes without its twin: it gets a
        // new one.
        if (item->twinCreated == 0 && (item->twinFace == -1 || FindTwinItem(*item) == nullptr)) {
            const int twinFace = CreateTwinItem(*item, GetFaceSize(face).y);
            if (twinFace >= 0) {
                addFace(twinFace);
            }
        }
    }
    return faces;
}

int CWallObject::CreateTwinItem(WallFaceItem& item, float faceHeight) {
    const std::size_t n = m_outline.size();
    if (!IsShapeKind(item.kind) || (item.kind == WallFaceItem::kPolygon && item.outline.empty()) ||
        n < 3 || item.face < 0 || item.face >= static_cast<int>(n) + 2) {
        return -1;
    }
    auto twin = std::make_unique<WallFaceItem>(item);
    twin->cutOut = 1;
    twin->applied = 0;
    twin->deleted = 0;
    twin->twinFace = item.face;
    twin->twinCreated = 1;
    twin->recordKind = 0;
    twin->parts.clear();
    twin->model1 = nullptr;
    twin->model2 = nullptr;

    const std::vector<CVector2F*> points = PlacingPoints(*twin);
    if (item.face < 2) {
        twin->face = 1 - item.face;
        for (CVector2F* p : points) {
            *p = {p->x, faceHeight - p->y};
        }
    } else {
        const CVector2F& start = m_outline[static_cast<std::size_t>(item.face - 2)];
        const CVector2F& end = m_outline[static_cast<std::size_t>(item.face - 1) % n];
        const float length = (start - end).GetLength();
        if (!(length > 0.0f)) {
            return -1;
        }
        const CVector2F normal = {start.y - end.y, end.x - start.x};
        std::optional<int> twinFace;
        for (CVector2F* p : points) {
            const CVector2F from = end + (start - end) * (p->x / length);
            CVector2F hit;
            int hitFace = -1;
            // A point that meets no face, or another face than the rest,
            // would cut somewhere undefined: no twin then.
            if (!FindOppositeFace(item.face, from, from + normal, &hit, &hitFace) ||
                (twinFace && *twinFace != hitFace)) {
                return -1;
            }
            twinFace = hitFace;
            const CVector2F& origin = m_outline[static_cast<std::size_t>(hitFace - 1) % n];
            *p = {(hit - origin).GetLength(), p->y};
        }
        twin->face = *twinFace;
    }

    if (item.kind == WallFaceItem::kPolygon) {
        item.firstCorner = item.outline.front();
        twin->firstCorner = twin->outline.front();
    }
    item.anchor = *AnchorPoint(*twin);
    twin->anchor = *AnchorPoint(item);
    item.twinFace = twin->face;
    const int twinFace = twin->face;
    m_faceItems.push_back(std::move(twin));
    return twinFace;
}

bool CWallObject::FindOppositeFace(int face, const CVector2F& from, const CVector2F& to,
                                   CVector2F* hit, int* hitFace) const {
    const std::size_t n = m_outline.size();
    if (n < 2 || face < 2 || face >= static_cast<int>(n) + 2) {
        return false;
    }
    const std::size_t own = static_cast<std::size_t>(face - 2);
    const CVector2F& edgeStart = m_outline[own];
    const CVector2F edge = m_outline[(own + 1) % n] - edgeStart;
    const float edgeLengthSquared = edge.Dot(edge);
    if (!(edgeLengthSquared > 0.0f)) {
        return false;
    }
    const CVector2F d = to - from;
    float best = std::numeric_limits<float>::infinity();
    bool found = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (i == own) {
            continue;
        }
        const CVector2F& p = m_outline[i];
        const CVector2F e = m_outline[(i + 1) % n] - p;
        const float denominator = d.Cross(e);
        if (denominator == 0.0f ||
            !OnDifferentSides(d.Cross(p - from), d.Cross(m_outline[(i + 1) % n] - from))) {
            continue;
        }
        const CVector2F point = from + d * ((p - from).Cross(e) / denominator);
        const float s = (point - edgeStart).Dot(edge) / edgeLengthSquared;
        if (!(s > 0.0f && s < 1.0f) || (point - edgeStart).Cross(edge) > 0.0f) {
            continue;
        }
        const float distance = (point - (edgeStart + edge * s)).GetLength();
        if (distance < best) {
            best = distance;
            *hit = point;
            *hitFace = static_cast<int>(i) + 2;
            found = true;
        }
    }
    return found;
}

WallFaceItem* CWallObject::FindTwinItem(const WallFaceItem& item) const {
    if (item.cutOut != 1) {
        return nullptr;
    }
    for (const std::unique_ptr<WallFaceItem>& other : m_faceItems) {
        if (other.get() == &item || other->kind != item.kind || other->face != item.twinFace ||
            other->twinFace != item.face) {
            continue;
        }
        const CVector2F* anchor = AnchorPoint(*other);
        if (anchor != nullptr && *anchor == item.anchor) {
            return other.get();
        }
    }
    return nullptr;
}
