#include "foundation/PolygonTriangulation.h"

#include <algorithm>
#include <cstdint>

namespace {

// How many candidates are tried between two polls of a long triangulation.
constexpr std::size_t kPollInterval = 1024;

// v lies on the same side of the line first-second as `opposite`, or on it.
bool OnSideOf(const CVector2F& first, const CVector2F& second, const CVector2F& opposite,
              const CVector2F& v) {
    const CVector2F edge = second - first;
    return edge.Cross(v - first) * edge.Cross(opposite - first) >= 0.0f;
}

bool IsInTriangle(const CVector2F& p1, const CVector2F& p2, const CVector2F& p3,
                  const CVector2F& v) {
    return OnSideOf(p1, p2, p3, v) && OnSideOf(p1, p3, p2, v) && OnSideOf(p2, p3, p1, v);
}

bool HoldsPoint(const CVector2F& p1, const CVector2F& p2, const CVector2F& p3, const CVector2F& v) {
    return v != p1 && v != p2 && v != p3 && IsInTriangle(p1, p2, p3, v);
}

// Every side's test of a triangle has the opposite corner off its line.
bool HasArea(const CVector2F& p1, const CVector2F& p2, const CVector2F& p3) {
    return (p2 - p1).Cross(p3 - p1) != 0.0f && (p3 - p1).Cross(p2 - p1) != 0.0f &&
           (p3 - p2).Cross(p1 - p2) != 0.0f;
}

// The points left of the outline as a ring, with the set of points that do
// not turn left. In a simple outline, when a triangle P Q R on a left turn
// holds any point, it holds one of those: the point of the intruding
// boundary deepest inside has the triangle's side on its left and both
// neighbours behind, so the boundary turns right or goes straight there.
// Testing only them finds the same ears as testing every point.
class EarRing {
public:
    // Outlines are read with 32-bit counts.
    using Index = std::uint32_t;

    explicit EarRing(std::span<const CVector2F> polygon)
        : m_points(polygon),
          m_next(polygon.size()),
          m_previous(polygon.size()),
          m_slot(polygon.size(), kNone),
          m_turns(polygon.size()),
          m_left(polygon.size()) {
        for (std::size_t i = 0; i < m_left; ++i) {
            m_next[i] = static_cast<Index>((i + 1) % m_left);
            m_previous[i] = static_cast<Index>((i + m_left - 1) % m_left);
        }
        for (std::size_t i = 0; i < m_left; ++i) {
            UpdateTurn(i);
        }
    }

    std::size_t Left() const { return m_left; }
    std::size_t Next(std::size_t i) const { return m_next[i]; }
    const CVector2F& Point(std::size_t i) const { return m_points[i]; }

    // The turn at the point between its neighbours; kept up to date, as the
    // walk round the ring asks it of every point it passes.
    float Turn(std::size_t i) const { return m_turns[i]; }

    // A triangle of no area holds every point, wherever it lies, so it
    // is tested against all of them; the first that differs from its corners
    // is usually the next one.
    bool HoldsAnyPoint(std::size_t p1, std::size_t p2, std::size_t p3) const {
        const CVector2F& a = m_points[p1];
        const CVector2F& b = m_points[p2];
        const CVector2F& c = m_points[p3];
        const auto holds = [&](std::size_t i) { return HoldsPoint(a, b, c, m_points[i]); };
        if (HasArea(a, b, c)) {
            // Only the points that do not turn left, kept side by side for the
            // long scans.
            return std::any_of(m_turningRightPoints.begin(), m_turningRightPoints.end(),
                               [&](const CVector2F& v) { return HoldsPoint(a, b, c, v); });
        }
        for (std::size_t i = m_next[p3]; i != p3; i = m_next[i]) {
            if (holds(i)) {
                return true;
            }
        }
        return holds(p3);
    }

    void Remove(std::size_t q) {
        const Index p = m_previous[q];
        const Index r = m_next[q];
        m_next[p] = r;
        m_previous[r] = p;
        Forget(q);
        --m_left;
        UpdateTurn(p);
        UpdateTurn(r);
    }

private:
    static constexpr Index kNone = UINT32_MAX;

    void UpdateTurn(std::size_t i) {
        const CVector2F& q = m_points[i];
        m_turns[i] = (q - m_points[m_previous[i]]).Cross(m_points[m_next[i]] - q);
        // Not a left turn, NaN included: such a point may lie in an ear.
        if (!(m_turns[i] > 0.0f)) {
            if (m_slot[i] == kNone) {
                m_slot[i] = static_cast<Index>(m_turningRight.size());
                m_turningRight.push_back(static_cast<Index>(i));
                m_turningRightPoints.push_back(m_points[i]);
            }
        } else {
            Forget(i);
        }
    }

    void Forget(std::size_t i) {
        const Index slot = m_slot[i];
        if (slot == kNone) {
            return;
        }
        const Index last = m_turningRight.back();
        m_turningRight[slot] = last;
        m_turningRightPoints[slot] = m_points[last];
        m_slot[last] = slot;
        m_turningRight.pop_back();
        m_turningRightPoints.pop_back();
        m_slot[i] = kNone;
    }

    std::span<const CVector2F> m_points;
    // Narrow indices keep the arrays the walk goes through small.
    std::vector<Index> m_next;
    std::vector<Index> m_previous;
    std::vector<Index> m_slot;
    std::vector<float> m_turns;
    std::vector<Index> m_turningRight;
    std::vector<CVector2F> m_turningRightPoints;
    std::size_t m_left;
};

}  // namespace

bool PolygonHasPointInTriangle(const CVector2F& p1, const CVector2F& p2, const CVector2F& p3,
                               std::span<const CVector2F> polygon) {
    return std::any_of(polygon.begin(), polygon.end(),
                       [&](const CVector2F& v) { return HoldsPoint(p1, p2, p3, v); });
}

bool TriangulatePolygon(std::span<const CVector2F> polygon, std::vector<CVector2F>& triangles,
                        bool keepOrder, const std::function<bool()>& keepGoing) {
    if (polygon.size() < 3) {
        return true;
    }
    EarRing ring(polygon);
    std::size_t current = 0;
    std::size_t failures = 0;
    std::size_t tried = 0;
    while (ring.Left() >= 3) {
        if (keepGoing && ++tried % kPollInterval == 0 && !keepGoing()) {
            return false;
        }
        const std::size_t q = ring.Next(current);
        const std::size_t r = ring.Next(q);
        const CVector2F& P = ring.Point(current);
        const CVector2F& Q = ring.Point(q);
        const CVector2F& R = ring.Point(r);
        const bool isEar = ring.Turn(q) >= 0.0f && !ring.HoldsAnyPoint(current, q, r);
        if (!isEar) {
            if (++failures > ring.Left()) {
                return false;
            }
            current = q;
            continue;
        }
        failures = 0;
        triangles.push_back(P);
        triangles.push_back(keepOrder ? Q : R);
        triangles.push_back(keepOrder ? R : Q);
        ring.Remove(q);
        current = r;
    }
    return true;
}
