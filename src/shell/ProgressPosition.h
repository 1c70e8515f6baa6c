#pragma once

#include <cstdint>

// The numbers of a progress bar: a range, a position inside it and a step.
// A step past the top of the range starts over from the bottom.
class CProgressPosition {
public:
    // Keeps the position inside the range.
    void SetRange(int low, int high);
    void SetPos(int position);
    void SetStep(int step) { m_step = step; }
    void StepIt();

    int GetLow() const { return m_low; }
    int GetHigh() const { return m_high; }
    int GetPos() const { return m_position; }
    int GetStep() const { return m_step; }

    // The range and position as a gauge that counts from 0 shows them.
    int GetGaugeRange() const;
    int GetGaugeValue() const;

private:
    int GaugeShift() const;

    int m_low = 0;
    int m_high = 100;
    int m_position = 0;
    int m_step = 10;
};
