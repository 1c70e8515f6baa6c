// 1,000 boxes and spheres (about 1,000,000 triangles) drawn per frame by the
// scene store through its objects and the device, and the same meshes drawn
// by a bare OpenGL loop with the same states in the same order on the same
// context: the ratio is what the layers above OpenGL cost.

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "BenchScene.h"
#include "Interleaved.h"
#include "RawSceneRenderer.h"
#include "SceneLook.h"
#include "objects/ObjectTypeCodes.h"

namespace {

struct RenderBench {
    std::unique_ptr<BenchScene> scene;
    std::unique_ptr<CRawSceneRenderer> raw;
};

void SceneFrame(BenchScene& s) {
    gfx::Device& device = *s.device;
    device.Clear(gfx::kClearTarget | gfx::kClearZBuffer | gfx::kClearStencil,
                 scene_look::kClearColor, 1.0f, 0);
    device.BeginScene();
    device.SetTransform(gfx::TransformType::View, s.view);
    device.SetTransform(gfx::TransformType::Projection, s.projection);
    s.scene->RenderScene();
    device.EndScene();
    device.Present();
    glFinish();
}

RenderBench& GetBench() {
    static RenderBench* bench = [] {
        auto* b = new RenderBench;
        std::string error;
        b->scene = CreateBenchScene(&error);
        if (!b->scene) {
            std::fprintf(stderr, "no scene to draw: %s\n", error.c_str());
            std::exit(1);
        }
        b->raw = std::make_unique<CRawSceneRenderer>(*b->scene);
        // A baseline that draws another picture would make the ratio
        // meaningless.
        SceneFrame(*b->scene);
        const std::vector<uint8_t> scenePixels = b->scene->context->ReadWindowPixels();
        b->raw->RenderFrame();
        if (b->scene->context->ReadWindowPixels() != scenePixels) {
            std::fprintf(stderr, "the raw frame differs from the scene's frame\n");
            std::exit(1);
        }
        return b;
    }();
    return *bench;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The calling thread's processor time: the layers above OpenGL run only
// there, while the rasteriser's threads add the machine's load to the
// frame's wall time.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void BM_SceneFrame(benchmark::State& state) {
    RenderBench& b = GetBench();
    for (auto _ : state) {
        SceneFrame(*b.scene);
    }
    state.counters["triangles"] = static_cast<double>(b.scene->triangles);
}

void BM_RawGLFrame(benchmark::State& state) {
    RenderBench& b = GetBench();
    for (auto _ : state) {
        b.raw->RenderFrame();
    }
}

// Frames of both kinds in turn, so that a change in the machine's load hits
// both alike. Medians of the frames and of each pair's ratio, so that a
// burst of load elsewhere skews neither; the ratio is the figure to watch
// (at most 1.2).
void BM_SceneOverRawGL(benchmark::State& state) {
    RenderBench& b = GetBench();
    bench::InterleavedTimes wall;
    bench::InterleavedTimes thread;
    for (auto _ : state) {
        const double threadStart = ThreadMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        SceneFrame(*b.scene);
        const auto middle = std::chrono::steady_clock::now();
        const double threadMiddle = ThreadMilliseconds();
        b.raw->RenderFrame();
        const auto end = std::chrono::steady_clock::now();
        const double threadEnd = ThreadMilliseconds();
        wall.Add(Milliseconds(middle - start), Milliseconds(end - middle));
        thread.Add(threadMiddle - threadStart, threadEnd - threadMiddle);
    }
    wall.Report(state, "scene", "raw");
    thread.Report(state, "scene_thread", "raw_thread", "thread_ratio");
}

// The walls design against bare OpenGL drawing the same triangles with one
// draw call per material and texture; the ratio is the figure to watch (at
// most 1.3). The second figure draws the same frame object by object, to
// show what merging the surfaces gains.
struct WallsBench {
    std::unique_ptr<BenchScene> scene;
    std::unique_ptr<CRawSceneRenderer> raw;
};

WallsBench& GetWallsBench() {
    static WallsBench* bench = [] {
        auto* b = new WallsBench;
        std::string error;
        b->scene = CreateBenchWallsScene(&error);
        if (!b->scene) {
            std::fprintf(stderr, "no scene to draw: %s\n", error.c_str());
            std::exit(1);
        }
        b->raw = std::make_unique<CRawSceneRenderer>(*b->scene, CRawSceneRenderer::PerMaterial{});
        SceneFrame(*b->scene);
        const std::vector<uint8_t> scenePixels = b->scene->context->ReadWindowPixels();
        b->raw->RenderFrame();
        const int differing =
            CountDifferingPixels(b->scene->context->ReadWindowPixels(), scenePixels);
        // The baseline places its vertices on the CPU: an edge pixel may
        // fall the other way, a different picture may not.
        if (differing > scene_look::kWidth * scene_look::kHeight / 100) {
            std::fprintf(stderr, "the raw frame differs from the scene's frame in %d pixels\n",
                         differing);
            std::exit(1);
        }
        return b;
    }();
    return *bench;
}

void WallsOverRaw(benchmark::State& state, bool merged) {
    WallsBench& b = GetWallsBench();
    b.scene->scene->SetMergeSurfaces(merged);
    bench::RunInterleaved(
        state, [&b] { SceneFrame(*b.scene); }, [&b] { b.raw->RenderFrame(); })
        .Report(state, "scene", "raw");
    b.scene->scene->SetMergeSurfaces(true);
    state.counters["walls"] = static_cast<double>(b.scene->scene->Objects(kWallObjectType).size());
    state.counters["triangles"] = static_cast<double>(b.scene->triangles);
}

void BM_WallsOverRawGLPerMaterial(benchmark::State& state) {
    WallsOverRaw(state, true);
}

void BM_WallsObjectByObjectOverRawGLPerMaterial(benchmark::State& state) {
    WallsOverRaw(state, false);
}

BENCHMARK(BM_WallsOverRawGLPerMaterial)->Unit(benchmark::kMillisecond)->MinTime(4.0)->UseRealTime();
BENCHMARK(BM_WallsObjectByObjectOverRawGLPerMaterial)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(4.0)
    ->UseRealTime();
BENCHMARK(BM_SceneFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_RawGLFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_SceneOverRawGL)->Unit(benchmark::kMillisecond)->MinTime(4.0)->UseRealTime();

}  // namespace
