#include "BenchRenderTarget.h"

#include "SceneLook.h"
#include "platform/gfx/Device.h"

void CBenchRenderTarget::SetDefaultRenderStates() {
    using gfx::RenderState;
    using gfx::SamplerState;
    gfx::Device& device = *m_device;
    device.SetRenderState(RenderState::ZEnable, 1);
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::SrcBlend, gfx::kBlendSrcAlpha);
    device.SetRenderState(RenderState::DestBlend, gfx::kBlendInvSrcAlpha);
    device.SetRenderState(RenderState::ShadeMode, gfx::kShadeGouraud);
    device.SetRenderState(RenderState::SpecularEnable, 1);
    device.SetRenderState(RenderState::Ambient, scene_look::kAmbient);
    device.SetSamplerState(0, SamplerState::AddressU, gfx::kAddressWrap);
    device.SetSamplerState(0, SamplerState::AddressV, gfx::kAddressWrap);
    device.SetSamplerState(0, SamplerState::MagFilter, gfx::kFilterLinear);
    device.SetSamplerState(0, SamplerState::MinFilter, gfx::kFilterLinear);
    device.SetSamplerState(0, SamplerState::MipFilter, gfx::kFilterLinear);
}
