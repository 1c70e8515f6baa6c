#pragma once

#include <array>
#include <span>
#include <vector>

// The inner faces of a hole through a wall: the hole's outline on the near
// face and its twin's outline on the far face, joined point by point.

using TunnelPoint = std::array<float, 3>;

// One band of the tunnel between outline points k and k + 1: M and O on
// the near face, Q and R across from them on the far face. v runs from 0
// at the near face to the far side's share of the longest depth.
struct TunnelQuad {
    TunnelPoint m;
    TunnelPoint o;
    TunnelPoint q;
    TunnelPoint r;
    float u0 = 0.0f;
    float u1 = 1.0f;
    float vq = 1.0f;
    float vr = 1.0f;
};

// The far outline in the near outline's order: reversed, as the far face
// sees the hole from the other side; a round outline is then turned to
// start at the point across from the near outline's first.
std::vector<TunnelPoint> MatchFarOutline(std::vector<TunnelPoint> far, const TunnelPoint& nearFirst,
                                         bool round);

// The bands between the two matched outlines; none when they differ in
// size or have fewer than three points. A round hole's u runs once round
// the outline; other bands each run 0 to 1.
std::vector<TunnelQuad> MakeTunnelQuads(std::span<const TunnelPoint> nearOutline,
                                        std::span<const TunnelPoint> farOutline, bool round);
