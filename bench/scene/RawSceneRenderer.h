#pragma once

// The scene's frame in bare OpenGL, the baseline of the render benchmark:
// the same meshes, copied once into buffers of its own, drawn with the same
// fixed-function states in the same order, into a framebuffer like the
// device's back buffer, and shown in the window the same way.

#include <cstdint>
#include <vector>

#include "BenchScene.h"
#include "objects/3DObject.h"
#include "platform/gfx/LightMaterial.h"
#include "platform/gfx/MathTypes.h"

class CRawSceneRenderer {
public:
    // Needs the scene's context current. The furniture models are drawn
    // object by object, subset by subset.
    explicit CRawSceneRenderer(const BenchScene& scene);
    // Walls, floors and ceilings placed in the world once and gathered into
    // one buffer per material and texture: one draw call each.
    struct PerMaterial {};
    CRawSceneRenderer(const BenchScene& scene, PerMaterial);
    // The shadow room: models, walls and the floor object by object in the
    // scene's order, then copies of the casters' shadow volumes counted into
    // the stencil buffer with the same stencil states, one draw each, and
    // the darkening quad.
    struct WithShadows {};
    CRawSceneRenderer(const BenchScene& scene, WithShadows);
    ~CRawSceneRenderer();
    CRawSceneRenderer(const CRawSceneRenderer&) = delete;
    CRawSceneRenderer& operator=(const CRawSceneRenderer&) = delete;

    void RenderFrame();

private:
    struct Subset {
        gfx::Material material;
        unsigned texture = 0;
        uint32_t firstIndex = 0;
        uint32_t indexCount = 0;
    };
    struct Object {
        unsigned vertexBuffer = 0;
        // None: the subsets are runs of vertices.
        unsigned indexBuffer = 0;
        gfx::Matrix world;
        std::vector<Subset> subsets;
        bool translucent = false;
    };
    // How a pass draws an object.
    enum class Pass { Opaque, Translucent, DepthOnly };

    struct Volume {
        gfx::Matrix world;
        std::vector<gfx::Vector3> vertices;
    };

    void AddObject(const C3DObject& source);
    void DrawShadows();
    void CreateSampler();
    void CreateTarget();
    void SetFrameStates();
    void SetLights();
    void DrawObject(const Object& object, Pass pass);

    const BenchScene& m_scene;
    std::vector<Object> m_objects;
    std::vector<Volume> m_volumes;
    bool m_shadows = false;
    unsigned m_framebuffer = 0;
    unsigned m_renderbuffers[2] = {};
    unsigned m_sampler = 0;
    int m_deviceSampler = 0;
};
