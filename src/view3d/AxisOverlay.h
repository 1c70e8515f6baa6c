#pragma once

#include <array>
#include <cstdint>

#include "platform/gfx/MathTypes.h"

class C3DCamera;
class CAxisLabelAtlas;
class CHousDoc;
class CHousViewCamera;

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

// Where a label's letter starts, in back-buffer pixels, and its colour
// (0xAARRGGBB). The vertical axis is labelled "z" and the depth axis "y",
// as the plan names them.
struct AxisLabelSpot {
    char letter = 'x';
    int left = 0;
    int top = 0;
    uint32_t colour = 0;
};

// Each axis end's window point, 20 pixels higher, scaled from the window to
// the back buffer.
[[nodiscard]] std::array<AxisLabelSpot, 3> ComputeAxisLabelSpots(const CHousViewCamera& camera,
                                                                 const AxisOverlayPoints& points,
                                                                 int backBufferWidth,
                                                                 int backBufferHeight);

// The labels, then the three lines.
void DrawAxisOverlayWithLabels(gfx::Device& device, CAxisLabelAtlas& labels,
                               const AxisOverlayPoints& points,
                               const std::array<AxisLabelSpot, 3>& spots);
