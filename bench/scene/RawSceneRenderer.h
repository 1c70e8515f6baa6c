#pragma once

// The scene's frame in bare OpenGL, the baseline of the render benchmark:
// the same meshes, copied once into buffers of its own, drawn with the same
// fixed-function states in the same order, into a framebuffer like the
// device's back buffer, and shown in the window the same way.

#include <cstdint>
#include <vector>

#include "BenchScene.h"
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

    void CreateSampler();
    void CreateTarget();
    void SetFrameStates();
    void SetLights();
    void DrawObject(const Object& object, Pass pass);

    const BenchScene& m_scene;
    std::vector<Object> m_objects;
    unsigned m_framebuffer = 0;
    unsigned m_renderbuffers[2] = {};
    unsigned m_sampler = 0;
    int m_deviceSampler = 0;
};
