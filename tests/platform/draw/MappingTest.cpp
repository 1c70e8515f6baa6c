#include <gtest/gtest.h>

#include "platform/draw/Mapping.h"
#include "platform/draw/RecordingDrawContext.h"

namespace draw {
namespace {

TEST(MappingTest, PlanMappingPutsLogicalPointsOnTheirPixels) {
    // 100% zoom (half a pixel per centimetre) with the 24-pixel rulers.
    Mapping mapping;
    mapping.SetMapMode(MM_ISOTROPIC);
    mapping.SetWindowExt(3000, 3000);
    mapping.SetViewportExt(1500, 1500);
    mapping.SetViewportOrg(24, 24);
    EXPECT_EQ(mapping.LPtoDP({100, 100}), (Point{74, 74}));
    EXPECT_EQ(mapping.LPtoDP({-3, 1}), (Point{23, 25})) << "half pixels round away from zero";
    EXPECT_EQ(mapping.LPtoDP({-51, 0}), (Point{-2, 24}));
    EXPECT_EQ(mapping.DPtoLP({74, 74}), (Point{100, 100}));
}

TEST(MappingTest, LogicalToDeviceAndBackRoundTrips) {
    struct Case {
        const char* what;
        int32_t mode;
        Size window, viewport;
        Point windowOrg, viewportOrg;
    };
    const Case cases[] = {
        {"text", MM_TEXT, {1, 1}, {1, 1}, {5, -7}, {24, 24}},
        {"anisotropic", MM_ANISOTROPIC, {10, 20}, {30, 50}, {-100, 40}, {24, 0}},
        {"y axis up", MM_ANISOTROPIC, {100, 100}, {472, -472}, {0, 0}, {0, 600}},
        {"isotropic", MM_ISOTROPIC, {3000, 3000}, {14160, 14160}, {10, 10}, {24, 24}},
    };
    const Point points[] = {{0, 0}, {1, -1}, {2999, 3000}, {-1234, 567}, {37, 41}};
    for (const Case& c : cases) {
        Mapping mapping;
        mapping.SetMapMode(c.mode);
        mapping.SetWindowExt(c.window.cx, c.window.cy);
        mapping.SetViewportExt(c.viewport.cx, c.viewport.cy);
        mapping.SetWindowOrg(c.windowOrg.x, c.windowOrg.y);
        mapping.SetViewportOrg(c.viewportOrg.x, c.viewportOrg.y);
        for (const Point p : points) {
            EXPECT_EQ(mapping.DPtoLP(mapping.LPtoDP(p)), p) << c.what << " " << p.x << "," << p.y;
        }
    }
}

TEST(MappingTest, ModesGovernTheExtents) {
    Mapping mapping;
    mapping.SetWindowExt(10, 10);
    EXPECT_EQ(mapping.WindowExt(), (Size{1, 1})) << "fixed in MM_TEXT";

    mapping.SetMapMode(MM_ISOTROPIC);
    mapping.SetWindowExt(100, 100);
    mapping.SetViewportExt(400, -200);
    EXPECT_EQ(mapping.ViewportExt(), (Size{200, -200})) << "the larger scale shrinks";
    mapping.SetWindowExt(0, 5);
    EXPECT_EQ(mapping.WindowExt(), (Size{100, 100})) << "a zero extent is refused";

    mapping.SetMapMode(MM_ANISOTROPIC);
    mapping.SetViewportExt(400, -200);
    EXPECT_EQ(mapping.ViewportExt(), (Size{400, -200}));
    EXPECT_EQ(mapping.SetMapMode(MM_TEXT), MM_ANISOTROPIC);
    EXPECT_EQ(mapping.ViewportExt(), (Size{1, 1}));
    EXPECT_EQ(mapping.SetMapMode(4), 0) << "unsupported modes are refused";
    EXPECT_EQ(mapping.MapMode(), MM_TEXT);
}

TEST(DrawStateTest, RestoreDCBringsBackPenMappingClipAndModes) {
    RecordingDrawContext dc;
    const DrawState fresh = dc.GetState();
    const int32_t first = dc.SaveDC();
    EXPECT_EQ(first, 1);

    dc.SelectPen(Pen::Create(PS_DOT, 0, Rgb(0, 255, 255)));
    dc.SetROP2(R2_XORPEN);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(3000, 3000);
    dc.SetViewportExt(1500, 1500);
    dc.IntersectClipRect(0, 0, 100, 100);
    dc.MoveTo(5, 5);
    const DrawState changed = dc.GetState();
    EXPECT_EQ(dc.SaveDC(), 2);
    dc.SelectPen(Pen::Stock(NULL_PEN));
    dc.SetMapMode(MM_TEXT);
    dc.RemoveClip();

    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetState(), changed);
    EXPECT_EQ(dc.GetClipBox(), (Rect{0, 0, 100, 100}));
    EXPECT_FALSE(dc.RestoreDC(2)) << "that level is gone";
    EXPECT_TRUE(dc.RestoreDC(first));
    EXPECT_EQ(dc.GetState(), fresh);
    EXPECT_FALSE(dc.RestoreDC(-1));
}

}  // namespace
}  // namespace draw
