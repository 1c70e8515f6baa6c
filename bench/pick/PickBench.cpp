// 1,000 cursor rays picked through the scene's nearest-object pick in a
// scene of 10,000 objects (furniture-sized models, walls and floors),
// against the same rays tested over the same triangles in world space in
// one flat array. The pick tests each object in its own coordinates and
// should skip most of them on their boxes: it should take at most half the
// flat loop's time.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "Interleaved.h"
#include "PickScene.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr float kNoHit = ScenePick::kNoHit;

struct WorldRay {
    gfx::Vector3 origin;
    gfx::Vector3 direction;
};

// The cursor ray in world space, with the direction the pick uses in an
// object's own coordinates, so that distances along both compare.
WorldRay RayOfQuery(const ScenePickQuery& q) {
    const float vx = (2.0f * static_cast<float>(q.x) / static_cast<float>(q.width) - 1.0f) /
                     q.projection.m[0][0];
    const float vy = -(2.0f * static_cast<float>(q.y) / static_cast<float>(q.height) - 1.0f) /
                     q.projection.m[1][1];
    const gfx::Matrix m = gfx::MatrixInverse(q.view).value_or(gfx::Matrix{});
    return {
        {m.m[3][0], m.m[3][1], m.m[3][2]},
        {vx * m.m[0][0] + vy * m.m[1][0] + m.m[2][0], vx * m.m[0][1] + vy * m.m[1][1] + m.m[2][1],
         vx * m.m[0][2] + vy * m.m[1][2] + m.m[2][2]}};
}

// The plain Moller-Trumbore loop over every triangle: the nearest distance,
// kNoHit for a miss.
float NearestFlatHit(const std::vector<WorldTriangle>& triangles, const WorldRay& ray) {
    float nearest = kNoHit;
    for (const WorldTriangle& tri : triangles) {
        const gfx::Vector3 e1 = tri.p1 - tri.p0;
        const gfx::Vector3 e2 = tri.p2 - tri.p0;
        const gfx::Vector3 p = gfx::Vec3Cross(ray.direction, e2);
        const float det = gfx::Vec3Dot(e1, p);
        if (det == 0.0f) {
            continue;
        }
        const float inverse = 1.0f / det;
        const gfx::Vector3 s = ray.origin - tri.p0;
        const float u = gfx::Vec3Dot(s, p) * inverse;
        if (u < 0.0f || u > 1.0f) {
            continue;
        }
        const gfx::Vector3 q = gfx::Vec3Cross(s, e1);
        const float v = gfx::Vec3Dot(ray.direction, q) * inverse;
        if (v < 0.0f || u + v > 1.0f) {
            continue;
        }
        const float t = gfx::Vec3Dot(e2, q) * inverse;
        if (t >= 0.0f && t < nearest) {
            nearest = t;
        }
    }
    return nearest;
}

struct PickBench {
    std::unique_ptr<PickScene> scene;
    std::vector<ScenePickQuery> queries;
    std::vector<WorldRay> rays;
    int raysHit = 0;
    int sameNearest = 0;
};

bool Near(float a, float b) {
    return std::abs(a - b) <= 1e-3f * std::max(1.0f, std::abs(b));
}

PickBench& GetBench() {
    static PickBench* bench = [] {
        auto* b = new PickBench;
        b->scene = CreatePickScene();
        b->queries = CursorQueries(*b->scene);
        for (const ScenePickQuery& query : b->queries) {
            b->rays.push_back(RayOfQuery(query));
        }
        // The baseline must see the same world: no pick may find a hit
        // nearer than the nearest triangle. The pick's rules (walls seen from
        // behind, floors from below) may make it take a farther one.
        for (std::size_t i = 0; i < b->queries.size(); ++i) {
            const ScenePick pick = b->scene->scene->PickNearestObject(b->queries[i]);
            const float flat = NearestFlatHit(b->scene->triangles, b->rays[i]);
            if (pick.object == nullptr) {
                continue;
            }
            ++b->raysHit;
            if (Near(pick.distance, flat)) {
                ++b->sameNearest;
            } else if (pick.distance < flat) {
                std::fprintf(stderr, "ray %zu: the pick found %g, the flat array %g\n", i,
                             pick.distance, flat);
                std::exit(1);
            }
        }
        return b;
    }();
    return *bench;
}

void PickAll(const PickBench& b) {
    for (const ScenePickQuery& query : b.queries) {
        benchmark::DoNotOptimize(b.scene->scene->PickNearestObject(query));
    }
}

void FlatAll(const PickBench& b) {
    for (const WorldRay& ray : b.rays) {
        benchmark::DoNotOptimize(NearestFlatHit(b.scene->triangles, ray));
    }
}

// Both kinds in turn, so that a change in the machine's load hits both
// alike; medians of each pass and of each pair's ratio. The ratio is the
// figure to watch (at most 0.5). rays_hit counts the rays that picked an
// object, same_nearest those whose pick was the flat array's nearest hit.
void BM_PickOverFlatTriangles(benchmark::State& state) {
    PickBench& b = GetBench();
    bench::RunInterleaved(
        state, [&b] { PickAll(b); }, [&b] { FlatAll(b); })
        .Report(state, "pick", "flat");
    state.counters["objects"] = b.scene->objects;
    state.counters["triangles"] = static_cast<double>(b.scene->triangles.size());
    state.counters["rays"] = static_cast<double>(b.queries.size());
    state.counters["rays_hit"] = b.raysHit;
    state.counters["same_nearest"] = b.sameNearest;
}

BENCHMARK(BM_PickOverFlatTriangles)->Unit(benchmark::kMillisecond)->MinTime(6.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
