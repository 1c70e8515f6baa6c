#include <utility>

#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "objects/3DObject.h"
#include "platform/gfx/Device.h"

using gfx::RenderState;

namespace {

// The overlay quad: four pre-transformed vertices with a colour each.
constexpr uint32_t kOverlayStride = 20;

}  // namespace

void CDesignScene::SetScreenOverlay(const gfx::Caps& caps,
                                    gfx::ResourceRef<gfx::VertexBuffer> quad) {
    m_deviceCaps = caps;
    m_screenOverlay = std::move(quad);
}

bool CDesignScene::AreShadowsDrawn() const {
    gfx::Device* device = TargetDevice();
    if (device == nullptr || m_renderTarget->IsOrthographic()) {
        return false;
    }
    if (m_pDoc != nullptr && m_pDoc->Settings().showShadow == 0) {
        return false;
    }
    // A depth buffer without stencil bits counts nothing, and the overlay
    // would then darken the whole window.
    return device->GetStencilBits() > 0;
}

void CDesignScene::RenderShadowsOfType(int type, int level) {
    gfx::Device* device = TargetDevice();
    if (device == nullptr) {
        return;
    }
    const bool currentStoreyOnly = m_pDoc != nullptr && m_pDoc->Settings().showLevelShadow != 0;
    for (CDesignObject* item : m_objects[type]) {
        auto* object = static_cast<C3DObject*>(item);
        if (object->IsHidden() != 0 || object->GetMesh() == nullptr || object->GetShadow() == 0 ||
            object->GetFloorIndex() != level ||
            GetFloorLevelOfHeight(object->GetPosition().y, type) != level) {
            continue;
        }
        if (currentStoreyOnly && !IsOnCurrentFloor(*object)) {
            continue;
        }
        object->RenderShadowVolume(device, m_deviceCaps);
    }
}

void CDesignScene::DrawShadowOverlay(gfx::Device& device) {
    device.SetRenderState(RenderState::ZEnable, 0);
    device.SetRenderState(RenderState::StencilEnable, 1);
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::SrcBlend, gfx::kBlendSrcAlpha);
    device.SetRenderState(RenderState::DestBlend, gfx::kBlendInvSrcAlpha);
    device.SetTextureStageState(0, gfx::TextureStageState::ColorOp, gfx::kTopModulate);
    device.SetTextureStageState(0, gfx::TextureStageState::ColorArg1, gfx::kTaTexture);
    device.SetTextureStageState(0, gfx::TextureStageState::ColorArg2, gfx::kTaDiffuse);
    device.SetTextureStageState(0, gfx::TextureStageState::AlphaOp, gfx::kTopModulate);
    device.SetTextureStageState(0, gfx::TextureStageState::AlphaArg1, gfx::kTaTexture);
    device.SetTextureStageState(0, gfx::TextureStageState::AlphaArg2, gfx::kTaDiffuse);
    // Reference 1 at most the stencil value: every pixel a volume left at a
    // value other than 0, whether 1 or the wrapped 255.
    device.SetRenderState(RenderState::StencilRef, 1);
    device.SetRenderState(RenderState::StencilFunc, gfx::kCmpLessEqual);
    device.SetRenderState(RenderState::StencilPass, gfx::kStencilOpKeep);
    device.SetFVF(gfx::kFvfXyzRhw | gfx::kFvfDiffuse);
    if (m_screenOverlay) {
        device.SetStreamSource(0, m_screenOverlay.Get(), 0, kOverlayStride);
        device.DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 2);
    }
    device.SetRenderState(RenderState::ZEnable, 1);
    device.SetRenderState(RenderState::StencilEnable, 0);
    device.SetRenderState(RenderState::AlphaBlendEnable, 0);
}
