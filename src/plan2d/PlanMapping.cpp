#include "plan2d/PlanMapping.h"

#include "foundation/GeometryMath.h"
#include "platform/draw/DrawContext.h"

draw::Mapping PlanMappingSetup::ToMapping() const {
    draw::Mapping mapping;
    mapping.SetMapMode(draw::MM_ISOTROPIC);
    mapping.SetWindowExt(windowExt.cx, windowExt.cy);
    mapping.SetViewportExt(viewportExt.cx, viewportExt.cy);
    mapping.SetViewportOrg(viewportOrg.x, viewportOrg.y);
    return mapping;
}

void PlanMappingSetup::ApplyTo(draw::DrawContext& dc) const {
    dc.SetMapMode(draw::MM_ISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(windowExt.cx, windowExt.cy);
    dc.SetViewportExt(viewportExt.cx, viewportExt.cy);
    dc.SetViewportOrg(viewportOrg.x, viewportOrg.y);
}

PlanMappingSetup ComputePlanMapping(int length, int width, double scale, int rulerMargin,
                                    double factor) {
    PlanMappingSetup setup;
    setup.scrollSize =
        POINT{RoundToInt(length * scale + rulerMargin), RoundToInt(width * scale + rulerMargin)};
    setup.windowExt = draw::Size{RoundToInt(setup.scrollSize.x / scale / factor),
                                 RoundToInt(setup.scrollSize.y / scale / factor)};
    setup.viewportExt = draw::Size{setup.scrollSize.x, setup.scrollSize.y};
    setup.viewportOrg = draw::Point{rulerMargin, rulerMargin};
    return setup;
}

PlanMappingSetup ComputeTitleFrameMapping(int length, int width, double a, bool ruler) {
    const double c = a * 0.5;
    PlanMappingSetup setup;
    if (ruler) {
        const int d = TruncateToInt(24 / c);
        setup.windowExt = draw::Size{length + d, width + d};
        setup.scrollSize = POINT{TruncateToInt(length * c) + 24, TruncateToInt(width * c) + 24};
        setup.viewportOrg = draw::Point{24, 24};
    } else {
        setup.windowExt = draw::Size{length, width};
        setup.scrollSize = POINT{TruncateToInt(length * c), TruncateToInt(width * c)};
    }
    setup.viewportExt = draw::Size{setup.scrollSize.x, setup.scrollSize.y};
    return setup;
}

CVector2D ClientToLogical(const draw::Mapping& mapping, POINT client, POINT scroll) {
    const draw::Point logical =
        mapping.DPtoLP(draw::Point{client.x + scroll.x, client.y + scroll.y});
    return CVector2D(logical.x, logical.y);
}

POINT PlanToClient(const draw::Mapping& mapping, const CVector2D& stored, POINT scroll) {
    const draw::Point device =
        mapping.LPtoDP(draw::Point{RoundToInt(stored.x), RoundToInt(-stored.y)});
    return POINT{device.x - scroll.x, device.y - scroll.y};
}
