#include "plan2d/PaperFrameTips.h"

#include <cstdint>

POINT GetPaperFrameCentre(const RECT& frame) {
    return POINT{static_cast<int32_t>((int64_t{frame.left} + frame.right) / 2),
                 static_cast<int32_t>((int64_t{frame.top} + frame.bottom) / 2)};
}

PaperTipRects ComputePaperTipRects(const RECT& frame, int band, POINT handle, int handleHalfSize) {
    return PaperTipRects{{
        {frame.left - band, frame.top, frame.left + band, frame.bottom},
        {frame.left, frame.top - band, frame.right, frame.top + band},
        {frame.right - band, frame.top, frame.right + band, frame.bottom},
        {frame.left, frame.bottom - band, frame.right, frame.bottom + band},
        {handle.x - handleHalfSize, handle.y - handleHalfSize, handle.x + handleHalfSize,
         handle.y + handleHalfSize},
    }};
}

int FindPaperTip(const PaperTipRects& rects, POINT point) {
    for (int i = 0; i < static_cast<int>(rects.size()); ++i) {
        const RECT& r = rects[static_cast<std::size_t>(i)];
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) {
            return i;
        }
    }
    return -1;
}
