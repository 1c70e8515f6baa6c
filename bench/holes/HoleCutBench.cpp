// A wall face holding 50 windows through the wall, cut as the face editor
// cuts it: the twins made on the other side, both faces cut, the inner
// faces built and the mesh rebuilt, against building the same wall's uncut
// mesh 50 times. ratio is the figure to watch (at most 2).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "Interleaved.h"
#include "foundation/Vector2D.h"
#include "foundation/WallFaceItem.h"
#include "objects/WallObject.h"

namespace {

constexpr int kWindows = 50;
constexpr float kHeight = 280.0f;
// Outline (0, 0), (0, -20), (L, -20), (L, 0): face 3 is the long outer
// side, face 5 the inner one.
constexpr int kOuterFace = 3;
constexpr double kLength = 100.0 * kWindows + 100.0;

std::vector<CVector2D> WallPlan() {
    return {{0, 0}, {0, 20}, {kLength, 20}, {kLength, 0}};
}

std::unique_ptr<CWallObject> MakeWallWithWindows() {
    auto wall = std::make_unique<CWallObject>();
    wall->SetOutline(WallPlan());
    wall->BuildMesh(1, kHeight);
    for (int k = 0; k < kWindows; ++k) {
        auto window = std::make_unique<WallFaceItem>(kOuterFace, 1, WallFaceItem::kRectangle);
        const float left = 100.0f * static_cast<float>(k) + 70.0f;
        window->SetCorners({left, 90.0f}, {left + 60.0f, 210.0f});
        wall->AddFaceItem(std::move(window));
    }
    return wall;
}

void BM_RebuildFaceWithFiftyWindows(benchmark::State& state) {
    const std::unique_ptr<CWallObject> source = MakeWallWithWindows();
    std::unique_ptr<CWallObject> wall;
    CWallObject plain;
    plain.SetOutline(WallPlan());
    std::size_t indices = 0;
    bench::InterleavedTimes times;
    for (auto _ : state) {
        // Each round cuts a fresh copy: its windows have no twins yet.
        state.PauseTiming();
        wall = std::make_unique<CWallObject>(*source);
        state.ResumeTiming();
        const double cut = bench::TimeMilliseconds(
            [&] { benchmark::DoNotOptimize(wall->RebuildFace(kOuterFace)); });
        const double raw = bench::TimeMilliseconds([&] {
            for (int k = 0; k < kWindows; ++k) {
                benchmark::DoNotOptimize(plain.BuildMesh(1, kHeight));
            }
        });
        times.Add(cut, raw);
        indices = wall->GetMeshIndices().size();
    }
    times.Report(state, "rebuild_face", "uncut_mesh_x50");
    state.counters["cut_indices"] = static_cast<double>(indices);
    state.counters["parts"] = static_cast<double>(wall->GetMaterialCount());
}

BENCHMARK(BM_RebuildFaceWithFiftyWindows)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
