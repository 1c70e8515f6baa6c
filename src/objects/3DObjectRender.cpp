#include "foundation/Point3Helpers.h"
#include "objects/3DObject.h"
#include "objects/DocumentServices.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/SceneServices.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/PlaneMath.h"
#include "platform/gfx/VectorMath.h"

namespace {

using gfx::RenderState;
using gfx::TextureStageState;

constexpr uint32_t kFirstThreeClipPlanes = 7;
// Map kinds of photos that change blending: light maps add their colour,
// shadow maps never write depth.
constexpr int kLightMapKind = 1;
constexpr int kShadowMapKind = 2;
constexpr uint32_t kOverlayShapeTriangles = 28;

void SetStage(gfx::Device& device, uint32_t stage, TextureStageState state, uint32_t value) {
    device.SetTextureStageState(stage, state, value);
}

// Stage 0 modulates the texture by the lit colour, alpha too.
void SetModulateStage(gfx::Device& device) {
    SetStage(device, 0, TextureStageState::TexCoordIndex, 0);
    SetStage(device, 0, TextureStageState::ColorArg1, gfx::kTaTexture);
    SetStage(device, 0, TextureStageState::ColorOp, gfx::kTopModulate);
    SetStage(device, 0, TextureStageState::AlphaArg1, gfx::kTaTexture);
    SetStage(device, 0, TextureStageState::AlphaOp, gfx::kTopModulate);
}

// Relief shading: the normal map dotted with the light in stage 0, the
// texture laid over it in stage 1.
void SetBumpStages(gfx::Device& device) {
    SetStage(device, 0, TextureStageState::TexCoordIndex, 0);
    SetStage(device, 0, TextureStageState::ColorOp, gfx::kTopDotProduct3);
    SetStage(device, 0, TextureStageState::ColorArg1, gfx::kTaTexture);
    SetStage(device, 0, TextureStageState::ColorArg2, gfx::kTaDiffuse);
    SetStage(device, 0, TextureStageState::AlphaOp, gfx::kTopSelectArg1);
    SetStage(device, 0, TextureStageState::AlphaArg1, gfx::kTaTexture);
    SetStage(device, 0, TextureStageState::AlphaArg2, gfx::kTaDiffuse);
    SetStage(device, 1, TextureStageState::TexCoordIndex, 0);
    SetStage(device, 1, TextureStageState::ColorOp, gfx::kTopModulate);
    SetStage(device, 1, TextureStageState::ColorArg1, gfx::kTaTexture);
    SetStage(device, 1, TextureStageState::ColorArg2, gfx::kTaCurrent);
    SetStage(device, 1, TextureStageState::AlphaOp, gfx::kTopSelectArg1);
    SetStage(device, 1, TextureStageState::AlphaArg1, gfx::kTaTexture);
    SetStage(device, 1, TextureStageState::AlphaArg2, gfx::kTaCurrent);
    SetStage(device, 2, TextureStageState::ColorOp, gfx::kTopDisable);
    SetStage(device, 2, TextureStageState::AlphaOp, gfx::kTopDisable);
}

void SetPlainStages(gfx::Device& device) {
    SetModulateStage(device);
    SetStage(device, 1, TextureStageState::ColorOp, gfx::kTopDisable);
    SetStage(device, 1, TextureStageState::AlphaOp, gfx::kTopDisable);
}

void SetBlending(gfx::Device& device, int mapKind) {
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::SrcBlend, gfx::kBlendSrcAlpha);
    device.SetRenderState(RenderState::DestBlend,
                          mapKind == kLightMapKind ? gfx::kBlendOne : gfx::kBlendInvSrcAlpha);
}

// What every pass leaves behind: ordinary blending factors and stage 0 off.
void RestoreBlendAndStage(gfx::Device& device) {
    device.SetRenderState(RenderState::SrcBlend, gfx::kBlendSrcAlpha);
    device.SetRenderState(RenderState::DestBlend, gfx::kBlendInvSrcAlpha);
    SetStage(device, 0, TextureStageState::ColorOp, gfx::kTopDisable);
    SetStage(device, 0, TextureStageState::AlphaOp, gfx::kTopDisable);
}

bool IsOpaque(const gfx::Material& material) {
    return material.diffuse.a >= 1.0f;
}

}  // namespace

void C3DObject::Render() {
    if (!GetDocumentServices().HasActiveDocument() || m_device == nullptr || !m_mesh) {
        return;
    }
    gfx::Device& device = *m_device;
    device.SetTransform(gfx::TransformType::World, m_world);
    if (m_depthPass != 0) {
        for (int i = 0; i < m_materialCount; ++i) {
            if (!IsOpaque(m_materials[i])) {
                device.SetMaterial(gfx::Material{});
                device.SetTexture(0, nullptr);
                m_mesh->DrawSubset(static_cast<uint32_t>(i));
            }
        }
        return;
    }
    if (m_blend != 0) {
        SetBlending(device, GetMapKind());
    }
    SetModulateStage(device);
    if (GetMapKind() == kShadowMapKind) {
        device.SetRenderState(RenderState::ZWriteEnable, 0);
    }
    RenderSubsets(m_device, true, true);
    // Translucent subsets must not hide what lies behind them.
    if (GetType() != kFloorObjectType && IsMirror() == 0) {
        device.SetRenderState(RenderState::ZWriteEnable, 0);
    }
    RenderSubsets(m_device, false, false);
    RestoreBlendAndStage(device);
    device.SetRenderState(RenderState::ZWriteEnable, 1);
    if (IsSelected() != 0) {
        DrawSelectionBox(m_device);
    }
}

void C3DObject::RenderMirrorPass() {
    if (!GetDocumentServices().HasActiveDocument() || m_device == nullptr || !m_mesh) {
        return;
    }
    gfx::Device& device = *m_device;
    device.SetTransform(gfx::TransformType::World, m_world);
    device.SetRenderState(RenderState::AlphaBlendEnable, 0);
    SetModulateStage(device);
    device.SetRenderState(RenderState::ZWriteEnable, 0);
    for (int i = 0; i < m_materialCount; ++i) {
        DrawMaterialSubset(device, i, m_mappingRecords[i].bumpFlag != 0);
    }
    RestoreBlendAndStage(device);
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::ZWriteEnable, 1);
}

void C3DObject::RenderSubsets(gfx::Device* device, bool opaque, bool bumpNeedsNormalMap) {
    for (int i = 0; i < m_materialCount; ++i) {
        if (IsOpaque(m_materials[i]) != opaque) {
            continue;
        }
        const bool bump = m_mappingRecords[i].bumpFlag != 0 &&
                          (!bumpNeedsNormalMap || static_cast<bool>(m_bumpTextures[i]));
        DrawMaterialSubset(*device, i, bump);
    }
}

void C3DObject::DrawMaterialSubset(gfx::Device& device, int index, bool bump) {
    const bool showTexture = GetDocumentServices().GetShowTexture();
    // Without textures the relief stage would dot the light with nothing
    // and blacken the face: such a subset draws in its plain colours.
    bump = bump && showTexture;
    if (bump) {
        SetBumpStages(device);
    } else {
        SetPlainStages(device);
    }
    device.SetMaterial(m_materials[index]);
    // Each texture is set once, to what this subset needs: the device sends
    // nothing when it is already bound.
    if (!showTexture) {
        device.SetTexture(0, nullptr);
    } else if (bump) {
        device.SetTexture(0, m_bumpTextures[index].Get());
        device.SetTexture(1, m_textures[index]);
    } else {
        device.SetTexture(0, m_textures[index]);
    }
    m_mesh->DrawSubset(static_cast<uint32_t>(index));
}

void C3DObject::RenderWithMatrix(gfx::Device* device, const gfx::Matrix& extra) {
    if (!GetDocumentServices().HasActiveDocument() || device == nullptr || !m_mesh) {
        return;
    }
    device->SetTransform(gfx::TransformType::World, m_world * extra);
    const bool showTexture = GetDocumentServices().GetShowTexture();
    for (const bool opaque : {true, false}) {
        for (int i = 0; i < m_materialCount; ++i) {
            if (IsOpaque(m_materials[i]) != opaque) {
                continue;
            }
            device->SetMaterial(m_materials[i]);
            device->SetTexture(0, showTexture ? m_textures[i] : nullptr);
            m_mesh->DrawSubset(static_cast<uint32_t>(i));
        }
    }
}

void C3DObject::RenderMirrorImages(gfx::Device* device, int storey, int floorsOnly,
                                   C3DObject* surface) {
    if (!GetDocumentServices().HasActiveDocument() || device == nullptr || storey != m_floorIndex) {
        return;
    }
    if (m_blend != 0) {
        SetBlending(*device, GetMapKind());
    }
    SetModulateStage(*device);
    auto renderIn = [&](C3DObject* candidate) {
        if (candidate != nullptr && candidate != this && candidate->GetMesh() != nullptr &&
            candidate->IsMirror() != 0) {
            RenderMirrorImageIn(device, *candidate);
        }
    };
    if (surface != nullptr) {
        renderIn(surface);
    } else if (g_pCurrentScene != nullptr) {
        const int type = floorsOnly != 0 ? kFloorObjectType : kWallObjectType;
        for (CDesignObject* object : g_pCurrentScene->GetObjectList(type)) {
            renderIn(static_cast<C3DObject*>(object));
        }
    }
    RestoreBlendAndStage(*device);
}

void C3DObject::RenderMirrorImageIn(gfx::Device* device, C3DObject& surface) {
    const gfx::Mesh* mesh = surface.GetMirrorSurfaceMesh();
    if (mesh == nullptr || g_pCurrentScene == nullptr || !mesh->IndicesInRange()) {
        return;
    }
    gfx::Matrix savedWorld;
    device->GetTransform(gfx::TransformType::World, &savedWorld);
    device->SetRenderState(RenderState::CullMode, gfx::kCullCw);
    device->SetRenderState(RenderState::ClipPlaneEnable, kFirstThreeClipPlanes);

    const gfx::Vector3 eye = GetDocumentServices().GetCameraEye();
    const int objectStorey =
        g_pCurrentScene->GetFloorOfHeight(static_cast<float>(GetLevelHeight()), GetType());
    const gfx::Matrix surfaceWorld = surface.BuildWorldMatrixDirect();
    for (uint32_t face = 0; face < mesh->GetNumFaces(); ++face) {
        const std::array<uint32_t, 3> corners = mesh->GetFace(face);
        const gfx::Vector3 q1 =
            gfx::Vec3TransformCoord(mesh->GetPosition(corners[0]), surfaceWorld);
        const gfx::Vector3 q2 =
            gfx::Vec3TransformCoord(mesh->GetPosition(corners[1]), surfaceWorld);
        const gfx::Vector3 q3 =
            gfx::Vec3TransformCoord(mesh->GetPosition(corners[2]), surfaceWorld);
        if (g_pCurrentScene->GetFloorOfHeight(q1.y, kModelObjectType) != objectStorey) {
            continue;
        }
        const gfx::Vector3 normal = gfx::Vec3Cross(q2 - q1, q3 - q1);
        if (gfx::Vec3Dot(eye - q1, normal) < 0.0f || gfx::Vec3Dot(eye - q2, normal) < 0.0f ||
            gfx::Vec3Dot(eye - q3, normal) < 0.0f) {
            continue;
        }
        const gfx::Plane plane = gfx::PlaneFromPoints(q1, q2, q3);
        const gfx::Matrix reflection = gfx::MatrixReflect(plane);
        if (g_pCurrentScene->IsBoxOutsidePlaneAndSphere(*this, plane, reflection, eye)) {
            continue;
        }
        // The image is cut to the triangle by the three planes through its
        // edges and the eye.
        device->SetClipPlane(0, gfx::PlaneFromPoints(q2, q1, eye));
        device->SetClipPlane(1, gfx::PlaneFromPoints(q3, q2, eye));
        device->SetClipPlane(2, gfx::PlaneFromPoints(q1, q3, eye));
        RenderWithMatrix(device, reflection);
    }
    device->SetTransform(gfx::TransformType::World, savedWorld);
    device->SetRenderState(RenderState::ClipPlaneEnable, 0);
    device->SetRenderState(RenderState::CullMode, gfx::kCullCcw);
}

void C3DObject::DrawSelectionBox(gfx::Device* device) {
    if (!GetDocumentServices().HasActiveDocument() || device == nullptr) {
        return;
    }
    const gfx::Matrix world = BuildWorldMatrixDirect();
    std::array<gfx::Vector3, 8> points = gfx::BoxCorners(m_boxMin, m_boxMax);
    for (gfx::Vector3& point : points) {
        point = gfx::Vec3TransformCoord(point, world);
    }
    // The edges lie on the faces of the object, where depth tests would
    // hide them in stretches: the whole box shows over the scene.
    uint32_t depthTest = 0;
    device->GetRenderState(RenderState::ZEnable, &depthTest);
    device->SetRenderState(RenderState::ZEnable, 0);
    // Each corner with each neighbour that is larger on one axis.
    for (std::size_t corner = 0; corner < points.size(); ++corner) {
        for (std::size_t axisBit = 1; axisBit < points.size(); axisBit <<= 1) {
            if ((corner & axisBit) == 0) {
                DrawBoxEdge(device, points[corner], points[corner | axisBit]);
            }
        }
    }
    device->SetRenderState(RenderState::ZEnable, depthTest);
}

void C3DObject::DrawBoxEdge(gfx::Device* device, const gfx::Vector3& from, const gfx::Vector3& to) {
    const IDocumentServices& services = GetDocumentServices();
    const SelectionBoxStyle style = services.GetSelectionBoxStyle();
    const DirectionAngles edge = GetDirectionAngles(from, to);

    gfx::Material material;
    material.emissive = {static_cast<float>(style.color & 0xFF) / 255.0f,
                         static_cast<float>((style.color >> 8) & 0xFF) / 255.0f,
                         static_cast<float>((style.color >> 16) & 0xFF) / 255.0f, 1.0f};
    material.diffuse.a = material.ambient.a = material.specular.a = 1.0f;
    device->SetMaterial(material);
    device->SetTexture(0, nullptr);

    gfx::Matrix savedWorld;
    device->GetTransform(gfx::TransformType::World, &savedWorld);
    const float halfThickness = static_cast<float>(style.thickness) / 2.0f;
    device->SetTransform(gfx::TransformType::World,
                         gfx::MatrixScaling(edge.length, halfThickness, halfThickness) *
                             gfx::MatrixRotationYawPitchRoll(-edge.heading, 0.0f, -edge.pitch) *
                             gfx::MatrixTranslation(from.x, from.y, from.z));
    if (style.style == 1 && services.GetOverlayLineBuffer() != nullptr) {
        device->SetStreamSource(0, services.GetOverlayLineBuffer(), 0, 12);
        device->SetFVF(gfx::kFvfXyz);
        device->DrawPrimitive(gfx::PrimitiveType::LineList, 0, 1);
    } else if (style.style == 2 && services.GetOverlayShapeBuffer() != nullptr) {
        device->SetStreamSource(0, services.GetOverlayShapeBuffer(), 0, 32);
        device->SetFVF(0x112);
        device->DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, kOverlayShapeTriangles);
    }
    device->SetTransform(gfx::TransformType::World, savedWorld);
}
