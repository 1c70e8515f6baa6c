#pragma once

#include <cstdint>

#include "platform/draw/DrawTypes.h"

namespace draw {

// The window-to-viewport mapping of a drawing context:
// device = (logical - window origin) * viewport extent / window extent
//          + viewport origin.
// MM_TEXT maps one to one; MM_ANISOTROPIC takes the extents as given;
// MM_ISOTROPIC shrinks the viewport extent on the axis with the larger scale
// so that both axes scale alike.
class Mapping {
public:
    int32_t MapMode() const { return m_mode; }
    // Returns the previous mode; modes other than MM_TEXT, MM_ISOTROPIC and
    // MM_ANISOTROPIC are refused with 0. MM_TEXT resets both extents to 1.
    int32_t SetMapMode(int32_t mode);

    Size WindowExt() const { return m_windowExt; }
    Size ViewportExt() const { return m_viewportExt; }
    Point WindowOrg() const { return m_windowOrg; }
    Point ViewportOrg() const { return m_viewportOrg; }

    // Extents change only in the scalable modes and never to 0; each returns
    // the previous extent.
    Size SetWindowExt(int32_t cx, int32_t cy);
    Size SetViewportExt(int32_t cx, int32_t cy);
    Point SetWindowOrg(int32_t x, int32_t y);
    Point SetViewportOrg(int32_t x, int32_t y);

    double ScaleX() const { return double(m_viewportExt.cx) / double(m_windowExt.cx); }
    double ScaleY() const { return double(m_viewportExt.cy) / double(m_windowExt.cy); }

    // Rounded half away from zero.
    Point LPtoDP(Point logical) const;
    Point DPtoLP(Point device) const;

    bool operator==(const Mapping&) const = default;

private:
    void MakeIsotropic();

    int32_t m_mode = MM_TEXT;
    Size m_windowExt{1, 1};
    Size m_viewportExt{1, 1};
    Point m_windowOrg;
    Point m_viewportOrg;
};

}  // namespace draw
