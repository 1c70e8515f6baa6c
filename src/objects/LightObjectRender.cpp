#include <cmath>

#include "objects/LightObject.h"
#include "objects/LightObjectShared.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/MatrixMath.h"

namespace {

constexpr uint32_t kGizmoStride = sizeof(gfx::Vector3);
constexpr uint32_t kRingSegments = 36;
constexpr uint32_t kGizmoLines = 12;

void DrawTable(gfx::Device& device, int table, gfx::PrimitiveType type, uint32_t count) {
    gfx::VertexBuffer* buffer = GetLightSharedResources().gizmoBuffers[table].Get();
    if (buffer == nullptr) {
        return;
    }
    device.SetStreamSource(0, buffer, 0, kGizmoStride);
    device.DrawPrimitive(type, 0, count);
}

void DrawRing(gfx::Device& device, int table) {
    DrawTable(device, table, gfx::PrimitiveType::LineStrip, kRingSegments);
}

void DrawLines(gfx::Device& device, int table) {
    DrawTable(device, table, gfx::PrimitiveType::LineList, kGizmoLines);
}

}  // namespace

void CLightObject::Render() {
    if (m_device == nullptr) {
        return;
    }
    gfx::Device& device = *m_device;
    gfx::Material material;
    material.diffuse = m_light.diffuse;
    material.ambient = m_light.ambient;
    material.specular = m_light.specular;
    device.SetTexture(0, nullptr);
    device.SetMaterial(material);

    const gfx::Matrix translation =
        gfx::MatrixTranslation(m_position[0], m_position[1], m_position[2]);
    SetWorldMatrix(translation);
    device.SetTransform(gfx::TransformType::World, GetRotationMatrix() * translation);
    const int type = GetLightType();
    // A glyph left on another device is not drawn here.
    if (m_mesh && m_mesh->GetDevice() == m_device && type >= 1 && type <= 3) {
        const std::vector<gfx::Material>& materials =
            GetLightSharedResources().glyphs[type - 1].materials;
        for (std::size_t k = 0; k < materials.size(); ++k) {
            device.SetMaterial(materials[k]);
            m_mesh->DrawSubset(static_cast<uint32_t>(k));
        }
    }
    if (IsSelected() != 0) {
        DrawSelectionBox(m_device);
        DrawGizmo(device);
    }
}

// The light's reach: three circles of its range for a point light, a
// cylinder along its direction for a directional one, and the inner and
// outer cones of a spot.
void CLightObject::DrawGizmo(gfx::Device& device) const {
    const LightSharedResources& shared = GetLightSharedResources();
    device.SetMaterial(shared.gizmoMaterial);
    device.SetTexture(0, nullptr);
    device.SetFVF(gfx::kFvfXyz);
    const gfx::Matrix translation =
        gfx::MatrixTranslation(m_position[0], m_position[1], m_position[2]);
    const gfx::Matrix turned = GetRotationMatrix() * translation;
    switch (m_light.type) {
        case gfx::LightType::Point: {
            const float r = m_light.range;
            device.SetTransform(gfx::TransformType::World,
                                gfx::MatrixScaling(r, r, r) * translation);
            DrawRing(device, 0);
            DrawRing(device, 1);
            DrawRing(device, 2);
            break;
        }
        case gfx::LightType::Directional:
            device.SetTransform(gfx::TransformType::World,
                                gfx::MatrixScaling(10.0f, 10.0f, 10.0f) * turned);
            DrawRing(device, 2);
            DrawRing(device, 3);
            DrawLines(device, 4);
            break;
        case gfx::LightType::Spot: {
            const float length = 0.2f * m_light.range;
            const float inner = std::fabs(std::tan(m_light.theta / 2.0f)) * m_light.range;
            device.SetTransform(gfx::TransformType::World,
                                gfx::MatrixScaling(inner, inner, length) * turned);
            DrawRing(device, 3);
            DrawLines(device, 5);
            const float outer = std::fabs(std::tan(m_light.phi / 2.0f)) * m_light.range;
            device.SetTransform(gfx::TransformType::World,
                                gfx::MatrixScaling(outer, outer, length) * turned);
            DrawRing(device, 3);
            break;
        }
    }
}
