#include "shell/ProgressPosition.h"

#include <algorithm>
#include <limits>

void CProgressPosition::SetRange(int low, int high) {
    m_low = low;
    m_high = std::max(low, high);
    SetPos(m_position);
}

void CProgressPosition::SetPos(int position) {
    m_position = std::clamp(position, m_low, m_high);
}

void CProgressPosition::StepIt() {
    const int64_t next = int64_t{m_position} + m_step;
    m_position = next > m_high || next < m_low ? m_low : static_cast<int>(next);
}

// A range wider than an int holds is shown at half resolution.
int CProgressPosition::GaugeShift() const {
    const int64_t span = int64_t{m_high} - m_low;
    return span > std::numeric_limits<int>::max() ? 1 : 0;
}

int CProgressPosition::GetGaugeRange() const {
    return static_cast<int>((int64_t{m_high} - m_low) >> GaugeShift());
}

int CProgressPosition::GetGaugeValue() const {
    return static_cast<int>((int64_t{m_position} - m_low) >> GaugeShift());
}
