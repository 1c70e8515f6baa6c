#include "RawSceneRenderer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "SceneLook.h"
#include "foundation/MeshVertex.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/GLStateMap.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/VectorMath.h"

namespace {

constexpr GLsizei kStride = 32;
// What the depth-only pass draws with: black at alpha 0.
const gfx::Material kDepthOnlyMaterial{};

const GLvoid* Offset(uintptr_t bytes) {
    return reinterpret_cast<const GLvoid*>(bytes);
}

}  // namespace

CRawSceneRenderer::CRawSceneRenderer(const BenchScene& scene) : m_scene(scene) {
    for (CDesignObject* item : scene.scene->Objects(kModelObjectType)) {
        AddObject(*static_cast<const C3DObject*>(item));
    }
    CreateSampler();
    CreateTarget();
}

CRawSceneRenderer::CRawSceneRenderer(const BenchScene& scene, WithShadows) : m_scene(scene) {
    for (const int type : {kModelObjectType, kWallObjectType, kFloorObjectType}) {
        for (CDesignObject* item : scene.scene->Objects(type)) {
            AddObject(*static_cast<const C3DObject*>(item));
        }
    }
    for (const int type : {kWallObjectType, kModelObjectType}) {
        for (CDesignObject* item : scene.scene->Objects(type)) {
            const auto* caster = static_cast<const C3DObject*>(item);
            m_volumes.push_back(
                {caster->GetWorldMatrix(), caster->GetShadowVolume().GetVertices()});
        }
    }
    m_shadows = true;
    CreateSampler();
    CreateTarget();
}

void CRawSceneRenderer::AddObject(const C3DObject& source) {
    const gfx::Mesh& mesh = *source.GetMesh();
    Object& object = m_objects.emplace_back();
    object.world = source.GetWorldMatrix();
    object.translucent = source.IsTranslucent() != 0;
    glGenBuffers(1, &object.vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, object.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.Vertices().size()),
                 mesh.Vertices().data(), GL_STATIC_DRAW);
    // The faces in material order, as the object draws its subsets; each
    // material's faces keep their order.
    std::vector<uint16_t> indices;
    indices.reserve(size_t{mesh.GetNumFaces()} * 3);
    for (int i = 0; i < source.GetMaterialCount(); ++i) {
        const auto first = static_cast<uint32_t>(indices.size());
        for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
            if (mesh.Attributes()[face] == static_cast<uint32_t>(i)) {
                for (const uint32_t index : mesh.GetFace(face)) {
                    indices.push_back(static_cast<uint16_t>(index));
                }
            }
        }
        if (indices.size() > first) {
            const gfx::Texture* texture = source.GetTexture(i);
            object.subsets.push_back({source.GetMaterial(i),
                                      texture != nullptr ? texture->GLName() : 0, first,
                                      static_cast<uint32_t>(indices.size()) - first});
        }
    }
    glGenBuffers(1, &object.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, object.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 2),
                 indices.data(), GL_STATIC_DRAW);
}

CRawSceneRenderer::CRawSceneRenderer(const BenchScene& scene, PerMaterial) : m_scene(scene) {
    struct Gathered {
        gfx::Material material;
        const gfx::Texture* texture = nullptr;
        std::vector<float> vertices;
    };
    std::vector<Gathered> groups;
    for (const int type : {kWallObjectType, kFloorObjectType, kCeilingObjectType}) {
        for (CDesignObject* item : scene.scene->Objects(type)) {
            const auto* source = static_cast<const C3DObject*>(item);
            const gfx::Mesh& mesh = *source->GetMesh();
            const gfx::Matrix& world = source->GetWorldMatrix();
            const auto vertices = mesh.VerticesAs<MeshVertex>();
            for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
                const auto subset = static_cast<int>(mesh.Attributes()[face]);
                if (subset >= source->GetMaterialCount()) {
                    continue;
                }
                const gfx::Material& material = source->GetMaterial(subset);
                const gfx::Texture* texture = source->GetTexture(subset);
                auto group = std::find_if(groups.begin(), groups.end(), [&](const Gathered& g) {
                    return g.texture == texture &&
                           std::memcmp(&g.material, &material, sizeof(material)) == 0;
                });
                if (group == groups.end()) {
                    group = groups.insert(groups.end(), Gathered{material, texture, {}});
                }
                for (const uint32_t index : mesh.GetFace(face)) {
                    const MeshVertex& v = vertices[index];
                    const gfx::Vector3 p = gfx::Vec3TransformCoord({v.x, v.y, v.z}, world);
                    const gfx::Vector3 n = gfx::Vec3TransformNormal({v.nx, v.ny, v.nz}, world);
                    group->vertices.insert(group->vertices.end(),
                                           {p.x, p.y, p.z, n.x, n.y, n.z, v.u, v.v});
                }
            }
        }
    }
    for (const Gathered& group : groups) {
        Object& object = m_objects.emplace_back();
        object.world = gfx::MatrixIdentity();
        glGenBuffers(1, &object.vertexBuffer);
        glBindBuffer(GL_ARRAY_BUFFER, object.vertexBuffer);
        glBufferData(GL_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(group.vertices.size() * sizeof(float)),
                     group.vertices.data(), GL_STATIC_DRAW);
        object.subsets.push_back({group.material,
                                  group.texture != nullptr ? group.texture->GLName() : 0, 0,
                                  static_cast<uint32_t>(group.vertices.size() / 8)});
    }
    CreateSampler();
    CreateTarget();
}

void CRawSceneRenderer::CreateSampler() {
    glGenSamplers(1, &m_sampler);
    glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glSamplerParameteri(m_sampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glSamplerParameteri(m_sampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_SAMPLER_BINDING, &m_deviceSampler);
}

CRawSceneRenderer::~CRawSceneRenderer() {
    for (const Object& object : m_objects) {
        const GLuint buffers[2] = {object.vertexBuffer, object.indexBuffer};
        glDeleteBuffers(2, buffers);
    }
    glDeleteSamplers(1, &m_sampler);
    glDeleteFramebuffers(1, &m_framebuffer);
    glDeleteRenderbuffers(2, m_renderbuffers);
}

void CRawSceneRenderer::CreateTarget() {
    const auto samples = static_cast<GLsizei>(m_scene.params.multiSampleType);
    glGenFramebuffers(1, &m_framebuffer);
    glGenRenderbuffers(2, m_renderbuffers);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, m_renderbuffers[0]);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, scene_look::kWidth,
                                     scene_look::kHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              m_renderbuffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, m_renderbuffers[1]);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8,
                                     scene_look::kWidth, scene_look::kHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              m_renderbuffers[1]);
}

// Every state the frame relies on, set by hand as the device and the
// render target's base states leave them.
void CRawSceneRenderer::SetFrameStates() {
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    glViewport(0, 0, scene_look::kWidth, scene_look::kHeight);
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilMask(0xFF);
    glDisable(GL_STENCIL_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_MULTISAMPLE);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    GLfloat ambient[4];
    gfx::ColorToFloats(scene_look::kAmbient, ambient);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glDisable(GL_COLOR_MATERIAL);
    glActiveTexture(GL_TEXTURE0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindSampler(0, m_sampler);
    glClientActiveTexture(GL_TEXTURE0);
    glDisableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
}

// Light positions are given in world space: set with the view loaded.
void CRawSceneRenderer::SetLights() {
    for (GLenum i = 0; i < m_scene.lights.size(); ++i) {
        const gfx::Light& light = m_scene.lights[i];
        const GLenum name = GL_LIGHT0 + i;
        glEnable(name);
        glLightfv(name, GL_AMBIENT, &light.ambient.r);
        glLightfv(name, GL_DIFFUSE, &light.diffuse.r);
        glLightfv(name, GL_SPECULAR, &light.specular.r);
        if (light.type == gfx::LightType::Directional) {
            const GLfloat towards[4] = {-light.direction.x, -light.direction.y, -light.direction.z,
                                        0.0f};
            glLightfv(name, GL_POSITION, towards);
        } else {
            const GLfloat position[4] = {light.position.x, light.position.y, light.position.z,
                                         1.0f};
            glLightfv(name, GL_POSITION, position);
            glLightf(name, GL_CONSTANT_ATTENUATION, light.attenuation0);
            glLightf(name, GL_LINEAR_ATTENUATION, light.attenuation1);
            glLightf(name, GL_QUADRATIC_ATTENUATION, light.attenuation2);
        }
        glLightf(name, GL_SPOT_CUTOFF, 180.0f);
    }
}

void CRawSceneRenderer::DrawObject(const Object& object, Pass pass) {
    glLoadMatrixf(&m_scene.view.m[0][0]);
    glMultMatrixf(&object.world.m[0][0]);
    glBindBuffer(GL_ARRAY_BUFFER, object.vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, object.indexBuffer);
    glVertexPointer(3, GL_FLOAT, kStride, Offset(0));
    glNormalPointer(GL_FLOAT, kStride, Offset(12));
    glTexCoordPointer(2, GL_FLOAT, kStride, Offset(24));
    // Translucent faces must not hide what lies behind them.
    if (pass == Pass::Translucent) {
        glDepthMask(GL_FALSE);
    }
    for (const Subset& subset : object.subsets) {
        const gfx::Material& material =
            pass == Pass::DepthOnly ? kDepthOnlyMaterial : subset.material;
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &material.diffuse.r);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &material.ambient.r);
        glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &material.emissive.r);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, &material.specular.r);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.power);
        if (subset.texture != 0 && pass != Pass::DepthOnly) {
            glBindTexture(GL_TEXTURE_2D, subset.texture);
            glEnable(GL_TEXTURE_2D);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        } else {
            glDisable(GL_TEXTURE_2D);
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
        if (object.indexBuffer == 0) {
            glDrawArrays(GL_TRIANGLES, static_cast<GLint>(subset.firstIndex),
                         static_cast<GLsizei>(subset.indexCount));
        } else {
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(subset.indexCount), GL_UNSIGNED_SHORT,
                           Offset(uintptr_t{subset.firstIndex} * 2));
        }
    }
    glDepthMask(GL_TRUE);
}

// The volumes as the device counts them with two-sided stencil: front
// (clockwise) faces decrement, back faces increment, both wrapping; the
// colour stays. Then every pixel left other than 0 is darkened.
void CRawSceneRenderer::DrawShadows() {
    glDepthMask(GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    glShadeModel(GL_FLAT);
    glStencilFunc(GL_ALWAYS, 1, 0xFFFFFFFF);
    glStencilMask(0xFFFFFFFF);
    glStencilOpSeparate(GL_FRONT, GL_KEEP, GL_KEEP, GL_DECR_WRAP);
    glStencilOpSeparate(GL_BACK, GL_KEEP, GL_KEEP, GL_INCR_WRAP);
    glBlendFunc(GL_ZERO, GL_ONE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glNormal3f(0.0f, 0.0f, 0.0f);
    for (const Volume& volume : m_volumes) {
        if (volume.vertices.empty()) {
            continue;
        }
        glLoadMatrixf(&m_scene.view.m[0][0]);
        glMultMatrixf(&volume.world.m[0][0]);
        glVertexPointer(3, GL_FLOAT, sizeof(gfx::Vector3), volume.vertices.data());
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(volume.vertices.size()));
    }

    glDisable(GL_DEPTH_TEST);
    glStencilFunc(GL_LEQUAL, 1, 0xFFFFFFFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    GLfloat colour[4];
    gfx::ColorToFloats(scene_look::kShadowColour, colour);
    glColor4fv(colour);
    static const GLfloat kCorners[] = {-1, -1, 0, -1, 1, 0, 1, -1, 0, 1, 1, 0};
    glVertexPointer(3, GL_FLOAT, 0, kCorners);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void CRawSceneRenderer::RenderFrame() {
    m_scene.context->MakeCurrent();
    // The device keeps what it last sent to GL: the frame leaves the states
    // as it found them.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    SetFrameStates();
    GLfloat clear[4];
    gfx::ColorToFloats(scene_look::kClearColor, clear);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(&m_scene.projection.m[0][0]);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&m_scene.view.m[0][0]);
    SetLights();

    for (const Object& object : m_objects) {
        if (!object.translucent) {
            DrawObject(object, Pass::Opaque);
        }
    }
    // The scene's see-through pass: in colour, as depth, in colour again
    // over the nearest layer.
    for (const Pass pass : {Pass::Translucent, Pass::DepthOnly, Pass::Translucent}) {
        for (const Object& object : m_objects) {
            if (object.translucent) {
                DrawObject(object, pass);
            }
        }
    }

    if (m_shadows) {
        DrawShadows();
    }

    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_scene.context->WindowFramebuffer());
    glBlitFramebuffer(0, 0, scene_look::kWidth, scene_look::kHeight, 0, 0, scene_look::kWidth,
                      scene_look::kHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    // The device binds its samplers once, when it is made.
    glBindSampler(0, static_cast<GLuint>(m_deviceSampler));
    glPopClientAttrib();
    glPopAttrib();
    glFinish();
}
