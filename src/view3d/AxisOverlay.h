#pragma once

#include "platform/gfx/MathTypes.h"

class C3DCamera;
class CHousDoc;

namespace gfx {
class Device;
}

// The axis glyph over every frame: three short lines from one point near the
// view's lower-left corner, along +x (red), +y (blue) and -z (green): the
// plan's x, its height and its y.
struct AxisOverlayPoints {
    gfx::Vector3 origin;
    gfx::Vector3 xEnd;
    gfx::Vector3 upEnd;
    gfx::Vector3 depthEnd;
};

// Hidden in show mode and while the plan prints or is previewed, so that no
// printed frame carries it.
[[nodiscard]] bool IsAxisOverlayShown(const CHousDoc& doc);

// The glyph stands 50 ahead of the eye, 95 % of the way from the middle of
// the view to its lower-left corner there; the corner comes from half the
// view angle in whole degrees and the window's shape.
[[nodiscard]] AxisOverlayPoints ComputeAxisOverlayPoints(const C3DCamera& camera,
                                                         int viewAngleDegrees, int windowWidth,
                                                         int windowHeight);

// The three lines, in front of everything the frame holds.
void DrawAxisOverlay(gfx::Device& device, const AxisOverlayPoints& points);
