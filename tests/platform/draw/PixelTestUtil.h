#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/draw/ImageDrawContext.h"

namespace draw::test {

inline void FillWith(ImageDrawContext& dc, COLORREF color) {
    dc.FillRect({0, 0, dc.Width(), dc.Height()}, Brush::Solid(color));
}

inline int CountPixels(const ImageDrawContext& dc, const Rect& area,
                       const std::function<bool(COLORREF)>& wanted) {
    int count = 0;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
            count += wanted(dc.GetPixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// The smallest rectangle holding every pixel that differs from the
// background; empty when there is none.
inline Rect InkBox(const ImageDrawContext& dc, COLORREF background) {
    Rect box{dc.Width(), dc.Height(), 0, 0};
    for (int32_t y = 0; y < dc.Height(); ++y) {
        for (int32_t x = 0; x < dc.Width(); ++x) {
            if (dc.GetPixel(x, y) != background) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box.IsEmpty() ? Rect{} : box;
}

// Lengths of the alternating runs of ink and background along a row from x0
// up to x1, starting with an ink run (0 when the row starts on background).
inline std::vector<int> RunsAlongRow(const ImageDrawContext& dc, int32_t y, int32_t x0, int32_t x1,
                                     COLORREF background) {
    std::vector<int> runs{0};
    bool ink = true;
    for (int32_t x = x0; x < x1; ++x) {
        const bool isInk = dc.GetPixel(x, y) != background;
        if (isInk != ink) {
            runs.push_back(0);
            ink = isInk;
        }
        ++runs.back();
    }
    return runs;
}

}  // namespace draw::test
