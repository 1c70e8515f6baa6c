#include "foundation/LinePen.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace {

constexpr uint32_t kDash[] = {17, 7};
constexpr uint32_t kDot[] = {2, 4};
constexpr uint32_t kDashDot[] = {8, 7, 2, 7};
constexpr uint32_t kDashDotDot[] = {8, 4, 2, 4, 2, 4};

std::span<const uint32_t> DashPattern(int32_t style) {
    switch (style) {
        case draw::PS_DASH:
            return kDash;
        case draw::PS_DOT:
            return kDot;
        case draw::PS_DASHDOT:
            return kDashDot;
        case draw::PS_DASHDOTDOT:
            return kDashDotDot;
        default:
            return {};
    }
}

}  // namespace

CLinePen::CLinePen(int32_t style, int32_t width, draw::COLORREF colour) : m_nominalWidth(width) {
    CreateStyledPen(style, width, colour);
}

CLinePen::CLinePen(int32_t style, int32_t width, draw::COLORREF colour, int32_t zoomPercent)
    : m_nominalWidth(width) {
    CreateStyledPen(style, AdjustWidth(width, zoomPercent), colour);
}

int32_t CLinePen::AdjustWidth(int32_t width, int32_t zoomPercent) {
    if (width == 1) {
        return 1;
    }
    if (zoomPercent <= 100) {
        return 2 * width;
    }
    if (zoomPercent == 150) {
        return width + width / 3;
    }
    if (zoomPercent == 250) {
        if (width >= 7) {
            return width - 2;
        }
        if (width >= 3) {
            return width - 1;
        }
    }
    return width;
}

void CLinePen::CreateStyledPen(int32_t style, int32_t width, draw::COLORREF colour) {
    draw::Pen& pen = *this;
    if (width == 1) {
        pen = draw::Pen::Create(style, 0, colour);
        return;
    }
    const std::span<const uint32_t> pattern = DashPattern(style);
    if (pattern.empty()) {
        pen = draw::Pen::CreateExt(draw::PS_GEOMETRIC | draw::PS_ENDCAP_SQUARE | draw::PS_SOLID,
                                   width, colour);
        return;
    }
    std::vector<uint32_t> dashes;
    for (const uint32_t entry : pattern) {
        const int64_t length = int64_t(entry) * m_nominalWidth;
        dashes.push_back(uint32_t(std::clamp<int64_t>(length, 0, UINT32_MAX)));
    }
    pen = draw::Pen::CreateExt(draw::PS_GEOMETRIC | draw::PS_ENDCAP_SQUARE | draw::PS_USERSTYLE,
                               width, colour, dashes);
}
