#include "objects/HoleTunnelGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// A depth's share of the longest; two depths of nothing both reach 1.
float Share(float depth, float longest) {
    return longest > 0.0f ? depth / longest : 1.0f;
}

float Distance(const TunnelPoint& a, const TunnelPoint& b) {
    const float dx = a[0] - b[0];
    const float dy = a[1] - b[1];
    const float dz = a[2] - b[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

std::vector<TunnelPoint> MatchFarOutline(std::vector<TunnelPoint> far, const TunnelPoint& nearFirst,
                                         bool round) {
    std::reverse(far.begin(), far.end());
    if (round && !far.empty()) {
        // The face's mirrored frame puts the far circle's points at other
        // angles; the point across the wall is the nearest one.
        std::size_t start = 0;
        for (std::size_t k = 1; k < far.size(); ++k) {
            if (Distance(far[k], nearFirst) < Distance(far[start], nearFirst)) {
                start = k;
            }
        }
        std::rotate(far.begin(), far.begin() + static_cast<std::ptrdiff_t>(start), far.end());
    }
    return far;
}

std::vector<TunnelQuad> MakeTunnelQuads(std::span<const TunnelPoint> nearOutline,
                                        std::span<const TunnelPoint> farOutline, bool round) {
    std::vector<TunnelQuad> quads;
    const std::size_t n = nearOutline.size();
    if (n < 3 || farOutline.size() != n) {
        return quads;
    }
    float longest = 0.0f;
    for (std::size_t k = 0; k < n; ++k) {
        longest = std::max(longest, Distance(nearOutline[k], farOutline[k]));
    }
    quads.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t next = (k + 1) % n;
        TunnelQuad quad;
        quad.m = nearOutline[k];
        quad.o = nearOutline[next];
        quad.q = farOutline[k];
        quad.r = farOutline[next];
        const float depth1 = Distance(quad.m, quad.q);
        const float depth2 = Distance(quad.o, quad.r);
        if (round) {
            quad.u0 = static_cast<float>(k) / static_cast<float>(n);
            quad.u1 = static_cast<float>(k + 1) / static_cast<float>(n);
            quad.vq = Share(depth1, longest);
            quad.vr = Share(depth2, longest);
        } else if (depth1 >= depth2) {
            quad.vq = 1.0f;
            quad.vr = Share(depth2, depth1);
        } else {
            quad.vq = Share(depth1, depth2);
            quad.vr = 1.0f;
        }
        quads.push_back(quad);
    }
    return quads;
}
