#include "foundation/Vector3Helpers.h"
#include "objects/3DObject.h"
#include "objects/LightObject.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/VectorMath.h"

namespace {

using gfx::RenderState;

// The light as the volume of an object sees it: a direction carried into
// object coordinates by the inverse's rotation and scale alone, or the
// light's placement position carried there whole.
gfx::Vector3 LightInObjectSpace(const CLightObject& light, const gfx::Matrix& inverse,
                                bool directional) {
    if (directional) {
        const gfx::Vector3 origin = {inverse.m[3][0], inverse.m[3][1], inverse.m[3][2]};
        return gfx::Vec3Normalize(TransformPoint3D(light.GetLight().direction, inverse) - origin);
    }
    return TransformPoint3D(light.GetPosition(), inverse);
}

}  // namespace

void C3DObject::BuildShadowVolume() {
    if (m_shadow == 0 || m_shadowLights.empty() || m_mesh == nullptr) {
        return;
    }
    m_shadowVolume.Reserve(m_shadowLights.size() * size_t{m_mesh->GetNumFaces()});
    // A world matrix without an inverse (a zero scale) has no object space
    // to carry the lights into: such an object casts no shadow.
    if (!m_inverseWorld) {
        return;
    }
    for (const C3DObject* item : m_shadowLights) {
        if (item == nullptr || item->GetType() != kLightObjectType) {
            continue;
        }
        const auto& light = static_cast<const CLightObject&>(*item);
        const bool directional = light.GetLight().type == gfx::LightType::Directional;
        // A light whose quads cannot be made leaves those of the others.
        m_shadowVolume.Build(*m_mesh, LightInObjectSpace(light, *m_inverseWorld, directional),
                             directional ? 1 : 0);
    }
}

void C3DObject::RenderShadowVolume(gfx::Device* device, const gfx::Caps& caps) {
    if (device == nullptr) {
        return;
    }
    gfx::Device& d = *device;
    // The volume only counts into the stencil buffer: depth and colour stay.
    d.SetRenderState(RenderState::ZWriteEnable, 0);
    d.SetRenderState(RenderState::StencilEnable, 1);
    d.SetRenderState(RenderState::ShadeMode, gfx::kShadeFlat);
    d.SetRenderState(RenderState::StencilFunc, gfx::kCmpAlways);
    d.SetRenderState(RenderState::StencilZFail, gfx::kStencilOpKeep);
    d.SetRenderState(RenderState::StencilFail, gfx::kStencilOpKeep);
    d.SetRenderState(RenderState::StencilRef, 1);
    d.SetRenderState(RenderState::StencilMask, 0xFFFFFFFFu);
    d.SetRenderState(RenderState::StencilWriteMask, 0xFFFFFFFFu);
    d.SetRenderState(RenderState::StencilPass, gfx::kStencilOpDecr);
    d.SetRenderState(RenderState::AlphaBlendEnable, 1);
    d.SetRenderState(RenderState::SrcBlend, gfx::kBlendZero);
    d.SetRenderState(RenderState::DestBlend, gfx::kBlendOne);
    d.SetTexture(0, nullptr);
    if (!m_shadowLights.empty()) {
        // The wrapping operations: a pixel in shadow ends at 1 or 255, by
        // the winding of the quads before it, and the overlay darkens both.
        if ((caps.stencilCaps & gfx::kStencilCapsTwoSided) != 0) {
            d.SetRenderState(RenderState::TwoSidedStencilMode, 1);
            d.SetRenderState(RenderState::CcwStencilFunc, gfx::kCmpAlways);
            d.SetRenderState(RenderState::CcwStencilZFail, gfx::kStencilOpKeep);
            d.SetRenderState(RenderState::CcwStencilFail, gfx::kStencilOpKeep);
            d.SetRenderState(RenderState::CcwStencilPass, gfx::kStencilOpIncr);
            d.SetRenderState(RenderState::CullMode, gfx::kCullNone);
            d.SetTransform(gfx::TransformType::World, m_world);
            m_shadowVolume.Render(d);
            d.SetRenderState(RenderState::TwoSidedStencilMode, 0);
        } else {
            d.SetTransform(gfx::TransformType::World, m_world);
            m_shadowVolume.Render(d);
            d.SetRenderState(RenderState::CullMode, gfx::kCullCw);
            d.SetRenderState(RenderState::StencilPass, gfx::kStencilOpIncr);
            d.SetTransform(gfx::TransformType::World, m_world);
            m_shadowVolume.Render(d);
        }
    }
    d.SetRenderState(RenderState::ShadeMode, gfx::kShadeGouraud);
    d.SetRenderState(RenderState::CullMode, gfx::kCullCcw);
    d.SetRenderState(RenderState::ZWriteEnable, 1);
    d.SetRenderState(RenderState::StencilEnable, 0);
    d.SetRenderState(RenderState::AlphaBlendEnable, 0);
}
