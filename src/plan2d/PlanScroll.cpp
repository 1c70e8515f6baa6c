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
