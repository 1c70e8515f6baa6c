#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <utility>

// What one call cost: its wall time, and how far it raised the process's
// peak memory. The peak is taken both as address space (VmPeak, which also
// sees a huge allocation that a decoder made and never touched) and as
// resident memory (VmHWM, which sees memory a sanitizer's allocator had
// reserved up front). Both are high-water marks, so a call that stays below
// an earlier peak of the process shows no growth: each CTest case runs in a
// process of its own, where nothing before the call comes near a fault's
// size.
struct ResourceUse {
    double seconds = 0;
    std::int64_t peakGrowthBytes = 0;
};

namespace resource_use_detail {

struct Peaks {
    std::int64_t virtualBytes = 0;
    std::int64_t residentBytes = 0;
};

inline Peaks ReadPeaks() {
    Peaks peaks;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        // "VmPeak:\t  123456 kB"
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, colon);
        if (key == "VmPeak") {
            peaks.virtualBytes = std::stoll(line.substr(colon + 1)) * 1024;
        } else if (key == "VmHWM") {
            peaks.residentBytes = std::stoll(line.substr(colon + 1)) * 1024;
        }
    }
    return peaks;
}

}  // namespace resource_use_detail

template <typename Call>
ResourceUse MeasureResourceUse(Call&& call) {
    using resource_use_detail::ReadPeaks;
    const resource_use_detail::Peaks before = ReadPeaks();
    const auto start = std::chrono::steady_clock::now();
    std::forward<Call>(call)();
    const auto end = std::chrono::steady_clock::now();
    const resource_use_detail::Peaks after = ReadPeaks();
    ResourceUse use;
    use.seconds = std::chrono::duration<double>(end - start).count();
    use.peakGrowthBytes = std::max(after.virtualBytes - before.virtualBytes,
                                   after.residentBytes - before.residentBytes);
    return use;
}
