// A lit mesh of 1,000,000 triangles drawn per frame through the device, and
// the same triangles drawn by a bare OpenGL loop on the same context, buffers
// and state (both give the same image): the device's own cost is the
// difference.

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Interleaved.h"
#include "platform/gfx/Adapter.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "platform/gfx/IndexBuffer.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VertexBuffer.h"

namespace gfx {
namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
// 1000 x 500 cells of two triangles each.
constexpr uint32_t kColumns = 1000;
constexpr uint32_t kRows = 500;
constexpr uint32_t kTriangles = kColumns * kRows * 2;
constexpr uint32_t kVertices = (kColumns + 1) * (kRows + 1);

struct Vertex {
    float x, y, z;
    float nx, ny, nz;
};

struct Scene {
    std::unique_ptr<EglOffscreenContext> context;
    std::unique_ptr<Adapter> adapter;
    std::unique_ptr<Device> device;
    PresentParameters params;
    VertexBuffer* vertices = nullptr;
    IndexBuffer* indices = nullptr;
    Matrix world, view, projection;
    Light light;
    Material material;
    // Multisampled target and resolve target of the raw loop.
    GLuint rawFramebuffers[2] = {};
    GLuint rawRenderbuffers[3] = {};
};

void CreateRawTargets(Scene& s) {
    const auto samples = static_cast<GLsizei>(s.params.multiSampleType);
    glGenFramebuffers(2, s.rawFramebuffers);
    glGenRenderbuffers(3, s.rawRenderbuffers);
    glBindFramebuffer(GL_FRAMEBUFFER, s.rawFramebuffers[1]);
    glBindRenderbuffer(GL_RENDERBUFFER, s.rawRenderbuffers[2]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              s.rawRenderbuffers[2]);
    glBindFramebuffer(GL_FRAMEBUFFER, s.rawFramebuffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, s.rawRenderbuffers[0]);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, kWidth, kHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              s.rawRenderbuffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, s.rawRenderbuffers[1]);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, kWidth,
                                     kHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              s.rawRenderbuffers[1]);
}

// A gently waved sheet facing the camera, wound clockwise as seen from it.
void FillMesh(Scene& scene) {
    void* data = nullptr;
    scene.vertices->Lock(0, 0, &data, 0);
    auto* v = static_cast<Vertex*>(data);
    for (uint32_t row = 0; row <= kRows; ++row) {
        for (uint32_t column = 0; column <= kColumns; ++column) {
            const float x = -2.0f + 4.0f * static_cast<float>(column) / kColumns;
            const float y = -1.5f + 3.0f * static_cast<float>(row) / kRows;
            const float slope = 0.1f * std::cos(8.0f * x);
            const float length = std::sqrt(slope * slope + 1.0f);
            *v++ = {x, y, 0.0125f * std::sin(8.0f * x), slope / length, 0.0f, -1.0f / length};
        }
    }
    scene.vertices->Unlock();
    scene.indices->Lock(0, 0, &data, 0);
    auto* index = static_cast<uint32_t*>(data);
    for (uint32_t row = 0; row < kRows; ++row) {
        for (uint32_t column = 0; column < kColumns; ++column) {
            const uint32_t bottomLeft = row * (kColumns + 1) + column;
            const uint32_t topLeft = bottomLeft + kColumns + 1;
            const uint32_t triangles[6] = {bottomLeft, topLeft,     topLeft + 1,
                                           bottomLeft, topLeft + 1, bottomLeft + 1};
            std::memcpy(index, triangles, sizeof(triangles));
            index += 6;
        }
    }
    scene.indices->Unlock();
}

Scene& GetScene() {
    static Scene* scene = [] {
        auto* s = new Scene;
        std::string error;
        s->context = EglOffscreenContext::Create(kWidth, kHeight, &error);
        if (!s->context) {
            std::fprintf(stderr, "no offscreen context: %s\n", error.c_str());
            std::exit(1);
        }
        s->adapter = Adapter::Create(*s->context);
        s->params.backBufferWidth = kWidth;
        s->params.backBufferHeight = kHeight;
        s->params.backBufferFormat = Format::A8R8G8B8;
        s->params.enableAutoDepthStencil = true;
        s->params.autoDepthStencilFormat = Format::D24S8;
        for (MultisampleType samples = 16; samples >= 2; --samples) {
            if (Succeeded(s->adapter->CheckDeviceMultiSampleType(DeviceType::Hal, Format::A8R8G8B8,
                                                                 true, samples, nullptr))) {
                s->params.multiSampleType = samples;
                break;
            }
        }
        if (Failed(s->adapter->CreateDevice(DeviceType::Hal, s->context.get(),
                                            kCreateHardwareVertexProcessing, &s->params,
                                            &s->device))) {
            std::fprintf(stderr, "no device\n");
            std::exit(1);
        }
        s->device->CreateVertexBuffer(kVertices * sizeof(Vertex), 0, kFvfXyz | kFvfNormal,
                                      Pool::Managed, &s->vertices);
        s->device->CreateIndexBuffer(kTriangles * 3 * 4, 0, Format::Index32, Pool::Managed,
                                     &s->indices);
        FillMesh(*s);
        s->world = MatrixIdentity();
        s->view = MatrixLookAtLH({0.0f, 0.0f, -3.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
        s->projection = MatrixPerspectiveFovLH(0.9f, 4.0f / 3.0f, 1.0f, 100.0f);
        s->light.type = LightType::Directional;
        s->light.diffuse = {1.0f, 1.0f, 0.9f, 1.0f};
        s->light.direction = {0.3f, -0.5f, 0.8f};
        s->material.diffuse = {0.8f, 0.6f, 0.4f, 1.0f};
        s->material.ambient = {0.8f, 0.6f, 0.4f, 1.0f};
        CreateRawTargets(*s);
        return s;
    }();
    return *scene;
}

void DeviceFrame(Scene& s) {
    Device& device = *s.device;
    device.Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFF9696C8, 1.0f, 0);
    device.BeginScene();
    device.SetRenderState(RenderState::Ambient, 0xFF202020);
    device.SetTransform(TransformType::View, s.view);
    device.SetTransform(TransformType::Projection, s.projection);
    device.SetTransform(TransformType::World, s.world);
    device.SetLight(0, s.light);
    device.LightEnable(0, true);
    device.SetMaterial(s.material);
    device.SetTexture(0, nullptr);
    device.SetFVF(kFvfXyz | kFvfNormal);
    device.SetStreamSource(0, s.vertices, 0, sizeof(Vertex));
    device.SetIndices(s.indices);
    device.DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, kVertices, 0, kTriangles);
    device.EndScene();
    device.Present();
    glFinish();
}

// The same frame in bare OpenGL: the same buffers, state, framebuffer layout
// and present blits, all set by hand each frame. The device keeps what it
// last sent to GL, so the frame leaves the states as it found them.
void RawFrame(Scene& s) {
    s.context->MakeCurrent();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glBindFramebuffer(GL_FRAMEBUFFER, s.rawFramebuffers[0]);
    glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    glViewport(0, 0, kWidth, kHeight);
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilMask(0xFF);
    glDisable(GL_BLEND);
    glDisable(GL_STENCIL_TEST);
    glEnable(GL_MULTISAMPLE);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    const GLfloat ambient[4] = {0x20 / 255.0f, 0x20 / 255.0f, 0x20 / 255.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glDisable(GL_COLOR_MATERIAL);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_TEXTURE_2D);
    glClientActiveTexture(GL_TEXTURE0);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);

    glClearColor(150 / 255.0f, 150 / 255.0f, 200 / 255.0f, 1.0f);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(&s.projection.m[0][0]);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&s.view.m[0][0]);
    const GLfloat towardsLight[4] = {-s.light.direction.x, -s.light.direction.y,
                                     -s.light.direction.z, 0.0f};
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, &s.light.ambient.r);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, &s.light.diffuse.r);
    glLightfv(GL_LIGHT0, GL_SPECULAR, &s.light.specular.r);
    glLightfv(GL_LIGHT0, GL_POSITION, towardsLight);
    glMultMatrixf(&s.world.m[0][0]);
    const GLfloat zero[4] = {0, 0, 0, 0};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &s.material.diffuse.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &s.material.ambient.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &s.material.emissive.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, zero);
    glBindBuffer(GL_ARRAY_BUFFER, s.vertices->GLName());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, s.indices->GLName());
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), nullptr);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, sizeof(Vertex), reinterpret_cast<const void*>(12));
    glDrawElements(GL_TRIANGLES, kTriangles * 3, GL_UNSIGNED_INT, nullptr);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, s.rawFramebuffers[0]);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, s.rawFramebuffers[1]);
    glBlitFramebuffer(0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, s.rawFramebuffers[1]);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, s.context->WindowFramebuffer());
    glBlitFramebuffer(0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glPopClientAttrib();
    glPopAttrib();
    glFinish();
}

void BM_DeviceFrame(benchmark::State& state) {
    Scene& s = GetScene();
    for (auto _ : state) {
        DeviceFrame(s);
    }
}

void BM_RawGLFrame(benchmark::State& state) {
    Scene& s = GetScene();
    for (auto _ : state) {
        RawFrame(s);
    }
}

// Frames of both kinds in turn; the ratio is the figure to watch (at most
// 1.1).
void BM_DeviceOverRawGL(benchmark::State& state) {
    Scene& s = GetScene();
    bench::RunInterleaved(
        state, [&s] { DeviceFrame(s); }, [&s] { RawFrame(s); })
        .Report(state, "device", "raw");
}

BENCHMARK(BM_DeviceFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_RawGLFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_DeviceOverRawGL)->Unit(benchmark::kMillisecond)->MinTime(4.0)->UseRealTime();

}  // namespace
}  // namespace gfx

BENCHMARK_MAIN();
