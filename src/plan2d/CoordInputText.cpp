#include "plan2d/CoordInputText.h"

#include <cmath>
#include <cstdio>

#include "foundation/GeometryMath.h"

namespace {

constexpr int kVkTab = 9;
constexpr int kVkNumpad0 = 96;
constexpr int kVkNumpad9 = 105;

std::string FormatWhole(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

}  // namespace

CoordInputText FormatCoordPoint(const POINT& point) {
    return {std::to_string(point.x), std::to_string(point.y)};
}

CoordInputText FormatCoordSegment(const POINT& cursor, const POINT& last) {
    const double dx = double(cursor.x) - last.x;
    const double dy = double(cursor.y) - last.y;
    double angle = std::atan2(dy, dx) * kDegreesPerRadian;
    if (angle < 0.0) {
        angle += 360.0;
    }
    if (angle > 180.0) {
        angle = 360.0 - angle;
    }
    return {FormatWhole(std::hypot(dx, dy)),
            std::fabs(angle) < 0.0001 ? std::string("0") : FormatWhole(angle)};
}

bool IsCoordEntryKey(int virtualKey) {
    return (virtualKey >= '0' && virtualKey <= '9') ||
           (virtualKey >= kVkNumpad0 && virtualKey <= kVkNumpad9) || virtualKey == kVkTab;
}
