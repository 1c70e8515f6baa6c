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

bool IsCoordNumber(std::string_view text) {
    bool digit = false;
    bool point = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

namespace {

bool IsAcceptedCoordText(std::string_view text) {
    if (text.empty() || text == "-") {
        return true;
    }
    const std::string_view t = text.front() == '-' ? text.substr(1) : text;
    const std::size_t point = t.find('.');
    return IsCoordNumber(t) && (point == std::string_view::npos || point + 2 >= t.size());
}

}  // namespace

std::optional<CoordTextRepair> RepairCoordText(std::string_view text) {
    if (IsAcceptedCoordText(text)) {
        return std::nullopt;
    }
    // Each cut is checked again, as a change notification of its own would.
    CoordTextRepair repair;
    do {
        const std::size_t unsignedLength = text.front() == '-' ? text.size() - 1 : text.size();
        repair.selectFrom = static_cast<int>(unsignedLength) - 1;
        text.remove_suffix(1);
    } while (!IsAcceptedCoordText(text));
    repair.text = std::string(text);
    return repair;
}
