// A floor cap of 340 triangles refined at level 3: 21,760 triangles, 65,280
// indices, just under what a 16-bit mesh holds. The refinement works in the
// surface's own arrays, keeping the other parts' triangles in order; as the
// raw baseline, the same three passes of the same triangles written into
// fresh arrays in a plain loop. The refinement may take at most twice the
// baseline's time (counter "ratio").

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "Interleaved.h"
#include "foundation/MeshVertex.h"
#include "foundation/Vector2D.h"
#include "objects/FloorObject.h"

namespace {

constexpr int kCapTriangles = 340;
constexpr int kLevel = 3;

// A floor whose arrays can be put back between runs.
class BenchFloor : public CFloorObject {
public:
    void Keep() {
        m_keptVertices = m_meshVertices;
        m_keptIndices = m_meshIndices;
        m_keptAttributes = m_meshAttributes;
        m_keptRecords = m_vertexTextureRecords;
    }
    // Fresh copies, so that no run finds the room the last one grew.
    void PutBack() {
        m_meshVertices = std::vector<MeshVertex>(m_keptVertices);
        m_meshIndices = std::vector<uint16_t>(m_keptIndices);
        m_meshAttributes = std::vector<uint32_t>(m_keptAttributes);
        m_vertexTextureRecords = std::vector<VertexTextureRecord>(m_keptRecords);
    }

private:
    std::vector<MeshVertex> m_keptVertices;
    std::vector<uint16_t> m_keptIndices;
    std::vector<uint32_t> m_keptAttributes;
    std::vector<VertexTextureRecord> m_keptRecords;
};

// A convex outline of 342 points, whose cap has 340 triangles.
std::vector<CVector2D> Round(int points) {
    std::vector<CVector2D> outline;
    for (int i = 0; i < points; ++i) {
        const double a = -2.0 * std::numbers::pi * i / points;
        outline.emplace_back(500.0 * std::cos(a), 500.0 * std::sin(a));
    }
    return outline;
}

struct Arrays {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;
    std::vector<uint32_t> attributes;
    std::vector<VertexTextureRecord> records;
};

// The same passes in fresh arrays: the vertices and records grow in one
// copy of their own, each pass writes its triangles into a new index array.
std::size_t RawSubdivide(const std::vector<MeshVertex>& vertices,
                         const std::vector<VertexTextureRecord>& records,
                         const std::vector<uint16_t>& triangles, int passes) {
    Arrays out{vertices, {triangles.begin(), triangles.end()}, {}, records};
    for (int pass = 0; pass < passes; ++pass) {
        const std::size_t count = out.indices.size() / 3;
        std::vector<uint32_t> next;
        next.reserve(count * 12);
        out.vertices.reserve(out.vertices.size() + count * 3);
        out.records.reserve(out.records.size() + count * 3);
        for (std::size_t t = 0; t < count; ++t) {
            const std::array<uint32_t, 3> abc = {out.indices[t * 3], out.indices[t * 3 + 1],
                                                 out.indices[t * 3 + 2]};
            const auto s = static_cast<uint32_t>(out.vertices.size());
            for (std::size_t k = 0; k < 3; ++k) {
                const uint32_t from = abc[k];
                const uint32_t to = abc[(k + 1) % 3];
                out.vertices.push_back(GetMidVertex(out.vertices[from], out.vertices[to]));
                const VertexTextureRecord& p = out.records[from];
                const VertexTextureRecord& q = out.records[to];
                out.records.push_back({0, (p.u + q.u) / 2.0f, (p.v + q.v) / 2.0f});
            }
            next.insert(next.end(), {abc[0], s, s + 2, abc[1], s + 1, s, abc[2], s + 2, s + 1, s,
                                     s + 1, s + 2});
        }
        out.indices = std::move(next);
        out.attributes.assign(count * 4, 0);
    }
    return out.indices.size();
}

void BM_SubdivideNearTheIndexLimit(benchmark::State& state) {
    BenchFloor floor;
    floor.SetOutline(Round(kCapTriangles + 2));
    floor.BuildMesh(0, 0.0f);
    floor.Keep();
    const std::vector<MeshVertex> vertices = floor.GetMeshVertices();
    const std::vector<VertexTextureRecord> records = floor.GetVertexTextureRecords();
    const std::vector<uint16_t> triangles = floor.GetMeshIndices();

    bench::InterleavedTimes times;
    for (auto _ : state) {
        // Putting the arrays back is not the refinement's time.
        floor.PutBack();
        const double subject = bench::TimeMilliseconds(
            [&] { benchmark::DoNotOptimize(floor.Subdivide(0, kLevel, 0)); });
        const double raw = bench::TimeMilliseconds(
            [&] { benchmark::DoNotOptimize(RawSubdivide(vertices, records, triangles, kLevel)); });
        times.Add(subject, raw);
    }
    times.Report(state, "subdivide", "raw");
    state.counters["indices"] = static_cast<double>(floor.GetMeshIndices().size());
}

BENCHMARK(BM_SubdivideNearTheIndexLimit)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
