#include "platform/draw/Brush.h"

namespace draw {

Brush Brush::Solid(COLORREF color) {
    Brush brush;
    brush.color = color;
    return brush;
}

Brush Brush::Hatched(int32_t hatch, COLORREF color) {
    Brush brush;
    brush.style = BS_HATCHED;
    brush.color = color;
    brush.hatch = (hatch >= HS_HORIZONTAL && hatch <= HS_DIAGCROSS) ? hatch : HS_HORIZONTAL;
    return brush;
}

Brush Brush::Null() {
    Brush brush;
    brush.style = BS_NULL;
    return brush;
}

Brush Brush::Pattern(MonoPattern pattern) {
    const bool valid = pattern.width > 0 && pattern.height > 0 &&
                       pattern.stride * 8 >= pattern.width &&
                       pattern.bits.size() >= size_t(pattern.stride) * size_t(pattern.height);
    if (!valid) {
        return Null();
    }
    Brush brush;
    brush.style = BS_PATTERN;
    brush.pattern = std::make_shared<const MonoPattern>(std::move(pattern));
    return brush;
}

Brush Brush::Stock(int32_t index) {
    switch (index) {
        case LTGRAY_BRUSH:
            return Solid(Rgb(192, 192, 192));
        case GRAY_BRUSH:
            return Solid(Rgb(128, 128, 128));
        case DKGRAY_BRUSH:
            return Solid(Rgb(64, 64, 64));
        case BLACK_BRUSH:
            return Solid(0);
        case NULL_BRUSH:
            return Null();
        default:
            return Solid(Rgb(255, 255, 255));
    }
}

bool Brush::operator==(const Brush& other) const {
    if (style != other.style) {
        return false;
    }
    switch (style) {
        case BS_SOLID:
            return color == other.color;
        case BS_HATCHED:
            return color == other.color && hatch == other.hatch;
        case BS_PATTERN:
            return *pattern == *other.pattern;
        default:
            return true;
    }
}

}  // namespace draw
