#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "foundation/GeometryMath.h"
#include "foundation/HitTests.h"
#include "foundation/PolygonOrientation.h"
#include "foundation/PolygonTriangulation.h"
#include "foundation/SegmentCrossing.h"
#include "objects/WallObject.h"

namespace {

constexpr int kCirclePoints = 36;
// The bridge search tries every pair of points against every edge; beyond
// this much work the region counts as not cuttable, so that a damaged item
// of many points cannot hold the program.
constexpr double kBridgeWorkLimit = 4.0e7;

// Exact crossing-number test of the triangle's centre, for triangles that
// the outline does not cross.
bool CentreInsidePolygon(const CVector2F& a, const CVector2F& b, const CVector2F& c,
                         std::span<const CVector2F> polygon) {
    const float px = (a.x + b.x + c.x) / 3.0f;
    const float py = (a.y + b.y + c.y) / 3.0f;
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const CVector2F& p = polygon[i];
        const CVector2F& q = polygon[j];
        if ((p.y > py) != (q.y > py) && px < (q.x - p.x) * (py - p.y) / (q.y - p.y) + p.x) {
            inside = !inside;
        }
    }
    return inside;
}

// A triangle's edges in the order its uncrossed chain walks them (crossed
// edges last), so that a region starts where the chain of its first
// triangle starts.
std::array<std::size_t, 3> EdgeOrder(int code) {
    switch (code) {
        case 2:
        case 6:
            return {2, 0, 1};
        case 4:
        case 5:
            return {1, 2, 0};
        default:
            return {0, 1, 2};
    }
}

uint64_t PointKey(const CVector2F& p) {
    return static_cast<uint64_t>(std::bit_cast<uint32_t>(p.x + 0.0f)) << 32 |
           std::bit_cast<uint32_t>(p.y + 0.0f);
}

// The outline of the union of the removed triangles: every edge whose
// reverse is not also removed, linked end to start (exact comparison) into
// closed loops. False unless exactly one loop results.
bool TraceRegion(const std::vector<CVector2F>& removed, const std::vector<int>& codes,
                 std::vector<CVector2F>& region) {
    struct Edge {
        CVector2F from;
        CVector2F to;
    };
    std::vector<Edge> edges;
    for (std::size_t t = 0; t < codes.size(); ++t) {
        const CVector2F* v = &removed[3 * t];
        for (const std::size_t k : EdgeOrder(codes[t])) {
            edges.push_back({v[k], v[(k + 1) % 3]});
        }
    }
    std::unordered_multimap<uint64_t, std::size_t> byStart;
    for (std::size_t e = 0; e < edges.size(); ++e) {
        byStart.emplace(PointKey(edges[e].from), e);
    }
    std::vector<bool> used(edges.size(), false);
    for (std::size_t e = 0; e < edges.size(); ++e) {
        auto [first, last] = byStart.equal_range(PointKey(edges[e].to));
        for (auto it = first; it != last; ++it) {
            const Edge& other = edges[it->second];
            if (!used[it->second] && other.from == edges[e].to && other.to == edges[e].from) {
                used[e] = used[it->second] = true;
                break;
            }
        }
    }
    std::size_t loops = 0;
    for (std::size_t e = 0; e < edges.size(); ++e) {
        if (used[e]) {
            continue;
        }
        if (++loops > 1) {
            return false;
        }
        const CVector2F start = edges[e].from;
        std::size_t at = e;
        for (;;) {
            used[at] = true;
            region.push_back(edges[at].from);
            if (edges[at].to == start) {
                break;
            }
            auto [first, last] = byStart.equal_range(PointKey(edges[at].to));
            std::size_t next = edges.size();
            for (auto it = first; it != last; ++it) {
                if (!used[it->second] && (next == edges.size() || it->second < next)) {
                    next = it->second;
                }
            }
            if (next == edges.size()) {
                return false;
            }
            at = next;
        }
    }
    return loops == 1;
}

// Side of the point to the line through a and b: positive to the left.
float SideOf(const CVector2F& a, const CVector2F& b, const CVector2F& p) {
    return (b - a).Cross(p - a);
}

// The removed triangles with the outline taken out exactly: each is cut
// along the line of every outline edge, so that every piece lies wholly
// inside or wholly outside the outline, and the pieces outside are kept.
// Serves where the outline touches or leaves the face, or the region
// cannot be bridged. False when the pieces grow past what a mesh holds.
bool CutAlongOutline(const std::vector<CVector2F>& removed, std::span<const CVector2F> polygon,
                     std::vector<CVector2F>& kept) {
    constexpr std::size_t kMostPieces = 0xFFFF / 3;
    std::vector<CVector2F> pieces = removed;
    const std::size_t n = polygon.size();
    for (std::size_t e = 0; e < n; ++e) {
        const CVector2F& a = polygon[e];
        const CVector2F& b = polygon[(e + 1) % n];
        if (a == b) {
            continue;
        }
        std::vector<CVector2F> next;
        for (std::size_t t = 0; t + 2 < pieces.size(); t += 3) {
            const CVector2F* v = &pieces[t];
            const float d[3] = {SideOf(a, b, v[0]), SideOf(a, b, v[1]), SideOf(a, b, v[2])};
            const bool left = d[0] > 0 || d[1] > 0 || d[2] > 0;
            const bool right = d[0] < 0 || d[1] < 0 || d[2] < 0;
            if (!left || !right) {
                next.insert(next.end(), v, v + 3);
                continue;
            }
            auto cross = [&](int i, int j) {
                const float t = d[i] / (d[i] - d[j]);
                return v[i] + (v[j] - v[i]) * t;
            };
            int lead = 0;
            for (int k = 0; k < 3; ++k) {
                const int sk = d[k] > 0 ? 1 : (d[k] < 0 ? -1 : 0);
                const int s1 = d[(k + 1) % 3] > 0 ? 1 : (d[(k + 1) % 3] < 0 ? -1 : 0);
                const int s2 = d[(k + 2) % 3] > 0 ? 1 : (d[(k + 2) % 3] < 0 ? -1 : 0);
                if (sk == 0) {
                    lead = k;
                    break;
                }
                if (sk != s1 && sk != s2) {
                    lead = k;
                }
            }
            const int i1 = (lead + 1) % 3;
            const int i2 = (lead + 2) % 3;
            if (d[lead] == 0.0f) {
                const CVector2F x = cross(i1, i2);
                next.insert(next.end(), {v[lead], v[i1], x, v[lead], x, v[i2]});
            } else {
                const CVector2F x = cross(lead, i1);
                const CVector2F y = cross(lead, i2);
                next.insert(next.end(), {v[lead], x, y, x, v[i1], v[i2], x, v[i2], y});
            }
        }
        pieces = std::move(next);
        if (pieces.size() / 3 > kMostPieces) {
            return false;
        }
    }
    for (std::size_t t = 0; t + 2 < pieces.size(); t += 3) {
        if (!CentreInsidePolygon(pieces[t], pieces[t + 1], pieces[t + 2], polygon)) {
            kept.insert(kept.end(), pieces.begin() + static_cast<long>(t),
                        pieces.begin() + static_cast<long>(t) + 3);
        }
    }
    return true;
}

// Points a cut can work with: finite, and small enough to scale by 100
// into integers.
bool UsablePoints(std::span<const CVector2F> points) {
    constexpr float kLargest = 1.0e6f;
    return std::all_of(points.begin(), points.end(), [](const CVector2F& p) {
        return std::fabs(p.x) <= kLargest && std::fabs(p.y) <= kLargest;
    });
}

}  // namespace

std::vector<CVector2F> CWallObject::GetItemPolygon(const WallFaceItem& item) {
    std::vector<CVector2F> polygon;
    const CVector2F& a = item.firstCorner;
    const CVector2F& b = item.secondCorner;
    switch (item.kind) {
        case WallFaceItem::kRectangle:
            polygon = {{a.x, a.y}, {a.x, b.y}, {b.x, b.y}, {b.x, a.y}};
            break;
        case WallFaceItem::kCircle: {
            const float r = (b - a).GetLength();
            for (int i = 0; i < kCirclePoints; ++i) {
                const double angle = i * 10 * kPi / 180.0;
                polygon.emplace_back(a.x + r * static_cast<float>(std::cos(angle)),
                                     a.y + r * static_cast<float>(std::sin(angle)));
            }
            break;
        }
        case WallFaceItem::kPolygon:
            polygon = item.outline;
            break;
        default:
            return polygon;
    }
    OrientPolygon(polygon);
    return polygon;
}

int CWallObject::ClassifyTriangle(const CVector2F& v1, const CVector2F& v2, const CVector2F& v3,
                                  std::span<const CVector2F> polygon) {
    if (polygon.empty()) {
        return 0;
    }
    int code = 0;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const CVector2F& e1 = polygon[i];
        const CVector2F& e2 = polygon[(i + 1) % n];
        if (SegmentsCross(v1, v2, e1, e2)) {
            code |= 4;
        }
        if (SegmentsCross(v2, v3, e1, e2)) {
            code |= 2;
        }
        if (SegmentsCross(v1, v3, e1, e2)) {
            code |= 1;
        }
    }
    if (code != 0) {
        return code;
    }
    const CVector2F triangle[] = {v1, v2, v3};
    return RoundedPointInPolygon(polygon.front(), triangle) ? 7 : 0;
}

int CWallObject::SegmentCrossesPolygons(const CVector2F& a, const CVector2F& b,
                                        std::span<const CVector2F> first,
                                        std::span<const CVector2F> second) {
    for (const std::span<const CVector2F> polygon : {first, second}) {
        const std::size_t n = polygon.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (SegmentsCross(a, b, polygon[i], polygon[(i + 1) % n])) {
                return 1;
            }
        }
    }
    return 0;
}

bool CWallObject::BridgeHole(std::vector<CVector2F> region, std::vector<CVector2F> hole,
                             std::vector<CVector2F>& triangles) {
    if (region.size() < 3 || hole.size() < 3) {
        return false;
    }
    const double m = static_cast<double>(region.size());
    const double n = static_cast<double>(hole.size());
    if (m * n * (m + n) > kBridgeWorkLimit) {
        return false;
    }
    OrientPolygon(region);
    OrientPolygon(hole);
    for (std::size_t a = 0; a < region.size(); ++a) {
        for (std::size_t b = 0; b < hole.size(); ++b) {
            if (SegmentCrossesPolygons(region[a], hole[b], region, hole) != 0) {
                continue;
            }
            std::vector<CVector2F> joined;
            joined.reserve(region.size() + hole.size() + 2);
            for (std::size_t k = 0; k <= hole.size(); ++k) {
                joined.push_back(hole[(b + k) % hole.size()]);
            }
            std::reverse(joined.begin(), joined.end());
            for (std::size_t k = 0; k <= region.size(); ++k) {
                joined.push_back(region[(a + k) % region.size()]);
            }
            OrientPolygon(joined);
            std::vector<CVector2F> found;
            if (!TriangulatePolygon(joined, found, false)) {
                return false;
            }
            triangles.insert(triangles.end(), found.begin(), found.end());
            return true;
        }
    }
    return false;
}

void CWallObject::GetFaceTriangles(std::vector<CVector2F>& triangles, int face) const {
    triangles.clear();
    if (face >= 2) {
        const CVector2F size = GetFaceSize(face);
        triangles = {{0.0f, 0.0f}, {0.0f, size.y},   {size.x, size.y},
                     {0.0f, 0.0f}, {size.x, size.y}, {size.x, 0.0f}};
        return;
    }
    const CVector2F origin = GetFaceOrigin(face);
    std::vector<CVector2F> outline;
    outline.reserve(m_outline.size());
    for (const CVector2F& p : m_outline) {
        if (face == 0) {
            outline.emplace_back(p.x - origin.x, origin.y - p.y);
        } else {
            outline.emplace_back(p.x - origin.x, p.y - origin.y + m_extent[1]);
        }
    }
    OrientPolygon(outline);
    TriangulatePolygon(outline, triangles, false);
}

bool CWallObject::ClipFaceByItems(const std::vector<WallFaceItem*>& items,
                                  std::vector<CVector2F>& triangles, int face,
                                  const WallFaceItem** failedItem) const {
    GetFaceTriangles(triangles, face);
    for (const WallFaceItem* item : items) {
        if (item->face != face) {
            continue;
        }
        const std::vector<CVector2F> polygon = GetItemPolygon(*item);
        if (polygon.size() < 3) {
            continue;
        }
        std::vector<CVector2F> kept;
        std::vector<CVector2F> removed;
        std::vector<int> codes;
        kept.reserve(triangles.size());
        bool cut = UsablePoints(polygon) && UsablePoints(triangles);
        for (std::size_t t = 0; cut && t + 2 < triangles.size(); t += 3) {
            const CVector2F& v1 = triangles[t];
            const CVector2F& v2 = triangles[t + 1];
            const CVector2F& v3 = triangles[t + 2];
            int code = ClassifyTriangle(v1, v2, v3, polygon);
            // A triangle wholly inside the outline is not part of the face.
            if (code == 0 && CentreInsidePolygon(v1, v2, v3, polygon)) {
                code = 8;
            }
            if (code == 0) {
                kept.insert(kept.end(), {v1, v2, v3});
            } else {
                removed.insert(removed.end(), {v1, v2, v3});
                codes.push_back(code);
            }
        }
        std::vector<CVector2F> region;
        // Triangles only covered by the outline leave nothing to bridge.
        const bool covered = std::all_of(codes.begin(), codes.end(), [](int c) { return c == 8; });
        if (cut && !covered) {
            std::vector<CVector2F> bridged = kept;
            if (TraceRegion(removed, codes, region) && BridgeHole(region, polygon, bridged)) {
                kept = std::move(bridged);
            } else {
                cut = CutAlongOutline(removed, polygon, kept);
            }
        }
        if (!cut) {
            if (failedItem != nullptr) {
                *failedItem = item;
            }
            return false;
        }
        triangles = std::move(kept);
    }
    return true;
}

std::vector<std::vector<CVector2F>> CWallObject::BuildItemAreaPolygons(
    int face, const std::vector<WallFaceItem*>& items) const {
    std::vector<std::vector<CVector2F>> areas;
    for (const WallFaceItem* item : items) {
        if (item->face != face || !item->IsSplitArea() || item->applied != 0) {
            continue;
        }
        std::vector<CVector2F>& area = areas.emplace_back();
        TriangulatePolygon(GetItemPolygon(*item), area, false);
    }
    return areas;
}
