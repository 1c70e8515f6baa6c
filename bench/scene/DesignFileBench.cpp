// Designs of walls, floors and ceilings written to a design file and read
// back into a scene. The baseline of a load is what no reader can avoid:
// reading the file's bytes and building the same meshes directly. A load
// should take at most 1.5 times that; the grid of 100 rooms should load in
// at most 0.2 s.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BenchDesign.h"
#include "Interleaved.h"
#include "ScopedProgramFolder.h"

namespace {

std::vector<char> ReadBytes(const std::filesystem::path& path) {
    std::vector<char> bytes(std::filesystem::file_size(path));
    std::ifstream in(path, std::ios::binary);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Builds and saves the design once, then loads it into a fresh document
// per iteration against the baseline of reading the bytes and building the
// meshes.
void RunLoadBenchmark(benchmark::State& state, const std::vector<SurfacePlan>& plans) {
    ScopedProgramFolder folder;
    const std::filesystem::path path = std::filesystem::path(folder.Path()) / "design.dg6";
    double build = 0.0;
    double save = 0.0;
    {
        CBenchDesign design;
        const auto start = std::chrono::steady_clock::now();
        BuildDesign(design, plans);
        const auto built = std::chrono::steady_clock::now();
        if (!design.Save(path)) {
            state.SkipWithError("the design could not be saved");
            return;
        }
        build = Seconds(built - start);
        save = Seconds(std::chrono::steady_clock::now() - built);
    }
    bench::InterleavedTimes times;
    for (auto _ : state) {
        auto design = std::make_unique<CBenchDesign>();
        bool loaded = false;
        const double load = bench::TimeMilliseconds([&] { loaded = design->Load(path); });
        if (!loaded || design->Count(kWallObjectType) + design->Count(kFloorObjectType) +
                               design->Count(kCeilingObjectType) !=
                           plans.size()) {
            state.SkipWithError("the design did not load whole");
            return;
        }
        design.reset();
        const double baseline = bench::TimeMilliseconds([&] {
            std::vector<char> bytes = ReadBytes(path);
            std::vector<std::unique_ptr<CWallObject>> surfaces;
            surfaces.reserve(plans.size());
            int number = 1;
            for (const SurfacePlan& plan : plans) {
                surfaces.push_back(BuildSurface(plan, number++));
            }
            benchmark::DoNotOptimize(bytes.data());
        });
        times.Add(load, baseline);
    }
    times.Report(state, "load", "baseline");
    state.counters["build_s"] = build;
    state.counters["save_s"] = save;
    state.counters["file_MiB"] =
        static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
}

void BM_DesignOf1000Walls(benchmark::State& state) {
    RunLoadBenchmark(state, ThousandUWalls());
}

void BM_DesignOf100Rooms(benchmark::State& state) {
    RunLoadBenchmark(state, GridOfRooms());
}

BENCHMARK(BM_DesignOf1000Walls)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_DesignOf100Rooms)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
