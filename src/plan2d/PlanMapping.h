#pragma once

#include "foundation/Vector2D.h"
#include "foundation/WinTypes.h"
#include "platform/draw/DrawTypes.h"
#include "platform/draw/Mapping.h"

namespace draw {
class DrawContext;
}

// The isotropic mapping of the plan: logical centimetres (y down) to device
// pixels past the rulers. The scroll position never enters the mapping; the
// conversions below apply it themselves.
struct PlanMappingSetup {
    POINT scrollSize;  // device pixels of the whole ground, rulers included
    draw::Size windowExt{1, 1};
    draw::Size viewportExt{1, 1};
    draw::Point viewportOrg;

    // Isotropic, as a context would shrink it.
    draw::Mapping ToMapping() const;
    // Sets the map mode, extents and origins of the context.
    void ApplyTo(draw::DrawContext& dc) const;
};

// The plan's mapping for a ground of length x width at the scale (screen
// pixels per centimetre), past the ruler margin, with the printer's extra
// factor (1 on the screen).
PlanMappingSetup ComputePlanMapping(int length, int width, double scale, int rulerMargin,
                                    double factor);

// The mapping of the paper and title frame at the device-per-logical factor
// a: the rulers' 24 pixels are taken off the logical extent.
PlanMappingSetup ComputeTitleFrameMapping(int length, int width, double a, bool ruler);

// Logical point of a client pixel, the view scrolled to scroll; no y flip.
CVector2D ClientToLogical(const draw::Mapping& mapping, POINT client, POINT scroll);

// Client pixel of a stored point (x, -y).
POINT PlanToClient(const draw::Mapping& mapping, const CVector2D& stored, POINT scroll);
