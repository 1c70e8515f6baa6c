#include "plan2d/PlanScroll.h"

#include <algorithm>

int FitScrollPosition(int scrollSize, int clientWidth, int position) {
    if (scrollSize <= clientWidth) {
        return 0;
    }
    if (position > scrollSize || scrollSize - position < clientWidth) {
        return scrollSize - clientWidth;
    }
    return position;
}

int ClampScrollPosition(int scrollSize, int clientSize, int position) {
    return std::clamp(position, 0, std::max(0, scrollSize - clientSize));
}

int RequestedScrollPosition(ScrollAction action, int scrollSize, int current, int thumb) {
    const int page = std::max(1, scrollSize / 10);
    const int line = std::max(1, page / 10);
    switch (action) {
        case ScrollAction::Top:
            return 0;
        case ScrollAction::Bottom:
            return scrollSize;
        case ScrollAction::LineUp:
            return current - line;
        case ScrollAction::LineDown:
            return current + line;
        case ScrollAction::PageUp:
            return current - page;
        case ScrollAction::PageDown:
            return current + page;
        case ScrollAction::Thumb:
            break;
    }
    return thumb;
}
