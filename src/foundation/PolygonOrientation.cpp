#include "foundation/PolygonOrientation.h"

#include <algorithm>

#include "foundation/Vector2D.h"

namespace {

CVector2D ToVector2D(const CVector2F& v) {
    return {v.x, v.y};
}

}  // namespace

void OrientPolygon(std::vector<CVector2F>& polygon) {
    const std::size_t n = polygon.size();
    double turning = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const CVector2D q = ToVector2D(polygon[i]);
        const CVector2D p = ToVector2D(polygon[(i + 1) % n]);
        CVector2D r = ToVector2D(polygon[(i + 2) % n]);
        if (r == p) {
            r = ToVector2D(polygon[(i + 3) % n]);
        }
        // GetAngleTo measures in screen axes (y down), so it is subtracted.
        turning -= (p - q).GetAngleTo(r - p);
    }
    if (turning <= 0.0) {
        std::reverse(polygon.begin(), polygon.end());
    }
}
