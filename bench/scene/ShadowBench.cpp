// The shadow room: 4 walls and 200 furniture models, each casting shadows
// from the same three lights.
//
// Building: every caster's shadow volume against a raw pass over the same
// meshes with the same dot products, an unordered-map toggle of the edges
// and the same extrusion (at most 2). Drawing: a frame of the room with
// shadows against bare OpenGL drawing the same triangles and volumes with
// the same stencil states (at most 1.2), and the frame with shadows against
// the frame without them.

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "BenchScene.h"
#include "Interleaved.h"
#include "RawSceneRenderer.h"
#include "SceneLook.h"
#include "foundation/MeshVertex.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"

namespace {

struct ShadowBench {
    std::unique_ptr<BenchScene> scene;
    std::unique_ptr<CRawSceneRenderer> raw;
    std::vector<C3DObject*> casters;
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

// Shadows off as the casters' shadow flags make it: no volume is counted.
void SetShadowFlags(ShadowBench& b, int flag) {
    for (C3DObject* caster : b.casters) {
        caster->SetShadow(flag);
    }
}

ShadowBench& GetBench() {
    static ShadowBench* bench = [] {
        auto* b = new ShadowBench;
        std::string error;
        b->scene = CreateBenchShadowRoom(&error);
        if (!b->scene) {
            std::fprintf(stderr, "no scene to draw: %s\n", error.c_str());
            std::exit(1);
        }
        for (const int type : {kWallObjectType, kModelObjectType}) {
            for (CDesignObject* item : b->scene->scene->Objects(type)) {
                b->casters.push_back(static_cast<C3DObject*>(item));
            }
        }
        b->raw = std::make_unique<CRawSceneRenderer>(*b->scene, CRawSceneRenderer::WithShadows{});
        SceneFrame(*b->scene);
        const std::vector<uint8_t> scenePixels = b->scene->context->ReadWindowPixels();
        b->raw->RenderFrame();
        const int differing =
            CountDifferingPixels(b->scene->context->ReadWindowPixels(), scenePixels);
        SetShadowFlags(*b, 0);
        SceneFrame(*b->scene);
        const int shadowed =
            CountDifferingPixels(b->scene->context->ReadWindowPixels(), scenePixels);
        SetShadowFlags(*b, 1);
        std::fprintf(stderr, "shadowed pixels %d, raw frame differs in %d\n", shadowed, differing);
        if (shadowed < scene_look::kWidth * scene_look::kHeight / 50 ||
            differing > scene_look::kWidth * scene_look::kHeight / 100) {
            std::fprintf(stderr, "the frames do not show the same shadows\n");
            std::exit(1);
        }
        return b;
    }();
    return *bench;
}

// The raw pass: the light carried into object space, the first vertex's
// normal against it, edges toggled in a hash map keyed by the vertex pair,
// and the same quads appended to an array of the same size.
size_t RawBuild(const C3DObject& caster, std::vector<gfx::Vector3>& out) {
    const gfx::Mesh& mesh = *caster.GetMesh();
    const auto vertices = mesh.VerticesAs<MeshVertex>();
    const auto indices = mesh.Indices16();
    const uint32_t faces = mesh.GetNumFaces();
    out.clear();
    out.reserve(size_t{faces} * 18 * caster.GetShadowLights().size());
    const gfx::Matrix inverse = *gfx::MatrixInverse(caster.GetWorldMatrix());
    struct Edge {
        uint16_t a, b;
    };
    for (const C3DObject* item : caster.GetShadowLights()) {
        const auto& light = static_cast<const CLightObject&>(*item);
        const bool directional = light.GetLight().type == gfx::LightType::Directional;
        gfx::Vector3 l;
        if (directional) {
            l = gfx::Vec3Normalize(gfx::Vec3TransformNormal(light.GetLight().direction, inverse));
        } else {
            l = gfx::Vec3TransformCoord(light.GetPosition(), inverse);
        }
        std::unordered_map<uint32_t, Edge> edges;
        edges.reserve(size_t{faces} * 3);
        auto toggle = [&edges](uint16_t a, uint16_t b) {
            const uint32_t key = a < b ? (uint32_t{a} << 16) | b : (uint32_t{b} << 16) | a;
            if (edges.erase(key) == 0) {
                edges.emplace(key, Edge{a, b});
            }
        };
        for (uint32_t f = 0; f < faces; ++f) {
            const uint16_t i0 = indices[f * 3];
            const uint16_t i1 = indices[f * 3 + 1];
            const uint16_t i2 = indices[f * 3 + 2];
            const MeshVertex& v = vertices[i0];
            if (v.nx * l.x + v.ny * l.y + v.nz * l.z >= 0.0f) {
                toggle(i0, i1);
                toggle(i1, i2);
                toggle(i2, i0);
            }
        }
        const gfx::Vector3 away = gfx::Vec3Normalize(l);
        for (const auto& [key, edge] : edges) {
            const gfx::Vector3 p1 = {vertices[edge.a].x, vertices[edge.a].y, vertices[edge.a].z};
            const gfx::Vector3 p2 = {vertices[edge.b].x, vertices[edge.b].y, vertices[edge.b].z};
            const gfx::Vector3 u1 = directional ? away : gfx::Vec3Normalize(p1 - l);
            const gfx::Vector3 u2 = directional ? away : gfx::Vec3Normalize(p2 - l);
            const gfx::Vector3 q1 = p1 + u1 * 1e10f;
            const gfx::Vector3 q2 = p2 + u2 * 1e10f;
            out.insert(out.end(), {p1, p2, q1, p2, q2, q1});
        }
    }
    return out.size();
}

void BM_BuildShadowVolumesOverRaw(benchmark::State& state) {
    ShadowBench& b = GetBench();
    std::vector<gfx::Vector3> scratch;
    size_t built = 0;
    size_t raw = 0;
    bench::RunInterleaved(
        state,
        [&] {
            built = 0;
            for (C3DObject* caster : b.casters) {
                caster->BuildShadowVolume();
                built += caster->GetShadowVolume().GetVertexCount();
            }
        },
        [&] {
            raw = 0;
            for (const C3DObject* caster : b.casters) {
                raw += RawBuild(*caster, scratch);
            }
        })
        .Report(state, "build", "raw");
    state.counters["casters"] = static_cast<double>(b.casters.size());
    state.counters["volume_vertices"] = static_cast<double>(built);
    if (built != raw) {
        state.SkipWithError("the raw pass made volumes of another size");
    }
}

void BM_ShadowFrameOverRawGL(benchmark::State& state) {
    ShadowBench& b = GetBench();
    bench::RunInterleaved(
        state, [&b] { SceneFrame(*b.scene); }, [&b] { b.raw->RenderFrame(); })
        .Report(state, "scene", "raw");
    state.counters["triangles"] = static_cast<double>(b.scene->triangles);
}

void BM_ShadowsOnOverOff(benchmark::State& state) {
    ShadowBench& b = GetBench();
    bench::RunInterleaved(
        state, [&b] { SceneFrame(*b.scene); },
        [&b] {
            SetShadowFlags(b, 0);
            SceneFrame(*b.scene);
            SetShadowFlags(b, 1);
        })
        .Report(state, "on", "off");
}

BENCHMARK(BM_BuildShadowVolumesOverRaw)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
// A frame takes seconds on a software rasteriser: long enough for a few
// pairs.
BENCHMARK(BM_ShadowFrameOverRawGL)->Unit(benchmark::kMillisecond)->MinTime(15.0)->UseRealTime();
BENCHMARK(BM_ShadowsOnOverOff)->Unit(benchmark::kMillisecond)->MinTime(15.0)->UseRealTime();

}  // namespace
