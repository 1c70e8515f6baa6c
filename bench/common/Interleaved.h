#pragma once

// Subject and baseline timed in turn (A B A B ...) inside one benchmark, so
// that a change in the machine's load hits both alike, reported as medians
// of each side and of each pair's ratio: a burst of load elsewhere skews
// neither, and the ratio holds on a busy machine.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace bench {

inline double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Milliseconds of each side and their ratios, pair by pair.
class InterleavedTimes {
public:
    void Add(double subject, double baseline) {
        m_subject.push_back(subject);
        m_baseline.push_back(baseline);
        m_ratio.push_back(baseline > 0.0 ? subject / baseline : 0.0);
    }
    // Counters <subject>_ms, <baseline>_ms and the ratio (subject over
    // baseline).
    void Report(benchmark::State& state, const std::string& subject, const std::string& baseline,
                const std::string& ratio = "ratio") const {
        state.counters[subject + "_ms"] = Median(m_subject);
        state.counters[baseline + "_ms"] = Median(m_baseline);
        state.counters[ratio] = Median(m_ratio);
    }

private:
    std::vector<double> m_subject;
    std::vector<double> m_baseline;
    std::vector<double> m_ratio;
};

// Wall-clock milliseconds of one call.
template <typename Work>
double TimeMilliseconds(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// Each benchmark iteration runs the subject once, then the baseline once.
template <typename Subject, typename Baseline>
InterleavedTimes RunInterleaved(benchmark::State& state, Subject&& subject, Baseline&& baseline) {
    InterleavedTimes times;
    for (auto _ : state) {
        const double a = TimeMilliseconds(subject);
        const double b = TimeMilliseconds(baseline);
        times.Add(a, b);
    }
    return times;
}

}  // namespace bench
