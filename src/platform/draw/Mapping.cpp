#include "platform/draw/Mapping.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace draw {

namespace {

int32_t RoundToInt32(double v) {
    return int32_t(std::lround(v));
}

bool IsScalable(int32_t mode) {
    return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC;
}

}  // namespace

int32_t Mapping::SetMapMode(int32_t mode) {
    if (mode != MM_TEXT && !IsScalable(mode)) {
        return 0;
    }
    const int32_t previous = m_mode;
    m_mode = mode;
    if (mode == MM_TEXT) {
        m_windowExt = {1, 1};
        m_viewportExt = {1, 1};
    } else if (mode == MM_ISOTROPIC) {
        MakeIsotropic();
    }
    return previous;
}

Size Mapping::SetWindowExt(int32_t cx, int32_t cy) {
    const Size previous = m_windowExt;
    if (IsScalable(m_mode) && cx != 0 && cy != 0) {
        m_windowExt = {cx, cy};
        if (m_mode == MM_ISOTROPIC) {
            MakeIsotropic();
        }
    }
    return previous;
}

Size Mapping::SetViewportExt(int32_t cx, int32_t cy) {
    const Size previous = m_viewportExt;
    if (IsScalable(m_mode) && cx != 0 && cy != 0) {
        m_viewportExt = {cx, cy};
        if (m_mode == MM_ISOTROPIC) {
            MakeIsotropic();
        }
    }
    return previous;
}

Point Mapping::SetWindowOrg(int32_t x, int32_t y) {
    const Point previous = m_windowOrg;
    m_windowOrg = {x, y};
    return previous;
}

Point Mapping::SetViewportOrg(int32_t x, int32_t y) {
    const Point previous = m_viewportOrg;
    m_viewportOrg = {x, y};
    return previous;
}

Point Mapping::LPtoDP(Point logical) const {
    return {RoundToInt32((double(logical.x) - m_windowOrg.x) * ScaleX() + m_viewportOrg.x),
            RoundToInt32((double(logical.y) - m_windowOrg.y) * ScaleY() + m_viewportOrg.y)};
}

Point Mapping::DPtoLP(Point device) const {
    return {RoundToInt32((double(device.x) - m_viewportOrg.x) / ScaleX() + m_windowOrg.x),
            RoundToInt32((double(device.y) - m_viewportOrg.y) / ScaleY() + m_windowOrg.y)};
}

void Mapping::MakeIsotropic() {
    const int64_t wx = std::llabs(m_windowExt.cx);
    const int64_t wy = std::llabs(m_windowExt.cy);
    const int64_t vx = std::llabs(m_viewportExt.cx);
    const int64_t vy = std::llabs(m_viewportExt.cy);
    // Compare vx / wx with vy / wy without dividing; the shrunk extent lies
    // below the one it replaces, so it fits.
    const int64_t sx = vx * wy;
    const int64_t sy = vy * wx;
    if (sx > sy) {
        const auto shrunk = int32_t(std::max<__int128>(1, (2 * __int128(wx) * vy + wy) / (2 * wy)));
        m_viewportExt.cx = m_viewportExt.cx < 0 ? -shrunk : shrunk;
    } else if (sy > sx) {
        const auto shrunk = int32_t(std::max<__int128>(1, (2 * __int128(wy) * vx + wx) / (2 * wx)));
        m_viewportExt.cy = m_viewportExt.cy < 0 ? -shrunk : shrunk;
    }
}

}  // namespace draw
