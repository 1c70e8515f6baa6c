#include "foundation/BezierBasis.h"

#include <cstddef>
#include <new>

CBezierBasis::CBezierBasis() {
    SetSegmentCount(10);
}

HRESULT CBezierBasis::SetSegmentCount(int n) {
    if (n == m_segmentCount) {
        return S_OK;
    }
    if (n <= 0) {
        return E_FAIL;
    }
    const std::size_t samples = static_cast<std::size_t>(n) + 1;
    std::vector<double> b0, b1, b2, b3;
    try {
        b0.resize(samples);
        b1.resize(samples);
        b2.resize(samples);
        b3.resize(samples);
    } catch (const std::bad_alloc&) {
        // The curve code reports a table it cannot size as a failure; the old
        // table stays usable.
        return E_FAIL;
    }
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / n;
        const double s = 1.0 - t;
        b0[i] = s * s * s;
        b1[i] = 3.0 * t * s * s;
        b2[i] = 3.0 * t * t * s;
        b3[i] = t * t * t;
    }
    m_b0 = std::move(b0);
    m_b1 = std::move(b1);
    m_b2 = std::move(b2);
    m_b3 = std::move(b3);
    m_segmentCount = n;
    return S_OK;
}
