// The top cap of crescent floors of 1,000 to 8,000 outline points, built as
// a read builds it: the ear clipping and the shared vertices. Half the
// points of a crescent turn right, the worst case for the ear tests. Per
// doubling of the points the time may grow at most 4.5 times. As the raw
// baseline, every point tested once against the triangle of each three
// neighbours, n * n tests in a plain loop: the cap's time against it should
// stay flat as the points grow.

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "Interleaved.h"
#include "foundation/Vector2D.h"
#include "foundation/Vector2F.h"
#include "objects/FloorObject.h"

namespace {

constexpr std::array<std::size_t, 4> kSizes = {1000, 2000, 4000, 8000};

// Plan points, clockwise on the plan as the plan tools store them: an outer
// half circle and an inner half ellipse back.
std::vector<CVector2D> Crescent(std::size_t points) {
    std::vector<CVector2D> outline;
    const std::size_t half = points / 2;
    for (std::size_t i = 0; i < half; ++i) {
        const double t = -std::numbers::pi / 2 + std::numbers::pi * i / half;
        outline.emplace_back(1000 + 500 * std::cos(t), -(1000 + 500 * std::sin(t)));
    }
    for (std::size_t i = 0; i < points - half; ++i) {
        const double t = std::numbers::pi / 2 - std::numbers::pi * i / (points - half);
        outline.emplace_back(1000 + 200 * std::cos(t), -(1000 + 500 * std::sin(t)));
    }
    return outline;
}

std::size_t BuildCap(const std::vector<CVector2D>& outline) {
    CFloorObject floor;
    floor.SetOutline(outline);
    floor.BuildMesh(0, 0.0f);
    return floor.GetMeshIndices().size();
}

bool Inside(const CVector2F& a, const CVector2F& b, const CVector2F& c, const CVector2F& v) {
    const auto side = [](const CVector2F& p, const CVector2F& q, const CVector2F& r,
                         const CVector2F& x) {
        return (q - p).Cross(x - p) * (q - p).Cross(r - p);
    };
    return side(a, b, c, v) >= 0.0f && side(a, c, b, v) >= 0.0f && side(b, c, a, v) >= 0.0f;
}

std::size_t RawSquareOfTests(const std::vector<CVector2F>& points) {
    const std::size_t n = points.size();
    std::size_t inside = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const CVector2F& a = points[i];
        const CVector2F& b = points[(i + 1) % n];
        const CVector2F& c = points[(i + 2) % n];
        for (const CVector2F& v : points) {
            inside += Inside(a, b, c, v) ? 1 : 0;
        }
    }
    return inside;
}

// Each iteration builds every size once and runs its baseline right after
// it, so a change in the machine's load hits all alike; each ratio is taken
// within an iteration, its median over them reported. growth_4k_2k is the
// figure to watch for 4,000 against 2,000 points (each growth at most 4.5);
// cap_vs_raw_<size> the cap against its baseline, which should stay flat.
void BM_CrescentCapGrowth(benchmark::State& state) {
    std::vector<std::vector<CVector2D>> outlines;
    std::vector<std::vector<CVector2F>> points;
    for (const std::size_t size : kSizes) {
        outlines.push_back(Crescent(size));
        std::vector<CVector2F>& flat = points.emplace_back();
        for (const CVector2D& p : outlines.back()) {
            flat.emplace_back(static_cast<float>(p.x), static_cast<float>(-p.y));
        }
    }
    std::array<std::vector<double>, kSizes.size()> cap;
    std::array<std::vector<double>, kSizes.size()> raw;
    for (auto _ : state) {
        for (std::size_t k = 0; k < kSizes.size(); ++k) {
            cap[k].push_back(
                bench::TimeMilliseconds([&] { benchmark::DoNotOptimize(BuildCap(outlines[k])); }));
            raw[k].push_back(bench::TimeMilliseconds(
                [&] { benchmark::DoNotOptimize(RawSquareOfTests(points[k])); }));
        }
    }
    // Ratios of times taken in the same round, then their median.
    const auto medianRatio = [](const std::vector<double>& over, const std::vector<double>& under) {
        std::vector<double> ratios;
        for (std::size_t i = 0; i < over.size(); ++i) {
            ratios.push_back(over[i] / under[i]);
        }
        return bench::Median(ratios);
    };
    for (std::size_t k = 0; k < kSizes.size(); ++k) {
        const std::string size = std::to_string(kSizes[k] / 1000) + "k";
        state.counters["cap_ms_" + size] = bench::Median(cap[k]);
        state.counters["cap_vs_raw_" + size] = medianRatio(cap[k], raw[k]);
        if (k > 0) {
            const std::string smaller = std::to_string(kSizes[k - 1] / 1000) + "k";
            state.counters["growth_" + size + "_" + smaller] = medianRatio(cap[k], cap[k - 1]);
            state.counters["raw_growth_" + size + "_" + smaller] = medianRatio(raw[k], raw[k - 1]);
        }
    }
    state.counters["cap_indices_8k"] = static_cast<double>(BuildCap(outlines.back()));
}

BENCHMARK(BM_CrescentCapGrowth)->Unit(benchmark::kMillisecond)->Iterations(15)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
