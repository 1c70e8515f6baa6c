#pragma once

#include <vector>

#include "foundation/Result.h"

// Cubic Bezier basis weights sampled at t = i / n for i = 0..n. A point of a
// segment is B0 P0 + B1 P1 + B2 P2 + B3 P3.
class CBezierBasis {
public:
    // Starts with 10 segments (11 samples).
    CBezierBasis();

    // Rebuilds the table for n segments; n <= 0 is refused with E_FAIL and the
    // table in force is kept.
    HRESULT SetSegmentCount(int n);

    int GetSegmentCount() const { return m_segmentCount; }
    double GetB0(int i) const { return m_b0[i]; }
    double GetB1(int i) const { return m_b1[i]; }
    double GetB2(int i) const { return m_b2[i]; }
    double GetB3(int i) const { return m_b3[i]; }

private:
    int m_segmentCount = 0;
    std::vector<double> m_b0;
    std::vector<double> m_b1;
    std::vector<double> m_b2;
    std::vector<double> m_b3;
};
