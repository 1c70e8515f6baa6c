#include <cmath>
#include <vector>

#include "foundation/GeometryMath.h"
#include "foundation/PolygonOrientation.h"
#include "objects/WallObject.h"

namespace {

constexpr int kCirclePoints = 36;

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

std::vector<std::array<float, 3>> CWallObject::FaceLocalToMesh(
    int face, std::span<const CVector2F> points) const {
    std::vector<std::array<float, 3>> lifted;
    lifted.reserve(points.size());
    const CVector2F origin = GetFaceOrigin(face);
    const float heading = GetFaceHeading(face);
    const float c = std::cos(heading);
    const float s = std::sin(heading);
    for (const CVector2F& p : points) {
        if (face == 0) {
            lifted.push_back({origin.x + p.x, m_extent[2], p.y - origin.y});
        } else if (face == 1) {
            lifted.push_back({origin.x + p.x, 0.0f, m_extent[1] - p.y - origin.y});
        } else {
            lifted.push_back({p.x * c + origin.x, p.y, -origin.y - p.x * s});
        }
    }
    return lifted;
}
