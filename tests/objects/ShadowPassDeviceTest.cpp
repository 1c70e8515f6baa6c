#include <gtest/gtest.h>

#include <vector>

#include "OffscreenDevice.h"
#include "ShadowMeshes.h"
#include "Test3DObject.h"
#include "objects/LightObject.h"
#include "platform/gfx/DeviceCallLog.h"

namespace {

using gfx::DeviceCall;
using gfx::RenderState;

class ShadowPassDeviceTest : public OffscreenDeviceTest {};

std::vector<DeviceCall> ExpectedCalls(bool twoSided, bool lights, bool drawn) {
    std::vector<DeviceCall> calls = {
        DeviceCall::State(RenderState::ZWriteEnable, 0),
        DeviceCall::State(RenderState::StencilEnable, 1),
        DeviceCall::State(RenderState::ShadeMode, gfx::kShadeFlat),
        DeviceCall::State(RenderState::StencilFunc, gfx::kCmpAlways),
        DeviceCall::State(RenderState::StencilZFail, gfx::kStencilOpKeep),
        DeviceCall::State(RenderState::StencilFail, gfx::kStencilOpKeep),
        DeviceCall::State(RenderState::StencilRef, 1),
        DeviceCall::State(RenderState::StencilMask, 0xFFFFFFFFu),
        DeviceCall::State(RenderState::StencilWriteMask, 0xFFFFFFFFu),
        DeviceCall::State(RenderState::StencilPass, gfx::kStencilOpDecr),
        DeviceCall::State(RenderState::AlphaBlendEnable, 1),
        DeviceCall::State(RenderState::SrcBlend, gfx::kBlendZero),
        DeviceCall::State(RenderState::DestBlend, gfx::kBlendOne),
        DeviceCall::Texture(0, false),
    };
    auto draw = [&] {
        calls.push_back(DeviceCall::Transform(gfx::TransformType::World));
        if (drawn) {
            calls.push_back(DeviceCall::Fvf(gfx::kFvfXyz));
            calls.push_back(DeviceCall::DrawUP(gfx::PrimitiveType::TriangleList, 8));
        }
    };
    if (lights && twoSided) {
        calls.insert(calls.end(),
                     {DeviceCall::State(RenderState::TwoSidedStencilMode, 1),
                      DeviceCall::State(RenderState::CcwStencilFunc, gfx::kCmpAlways),
                      DeviceCall::State(RenderState::CcwStencilZFail, gfx::kStencilOpKeep),
                      DeviceCall::State(RenderState::CcwStencilFail, gfx::kStencilOpKeep),
                      DeviceCall::State(RenderState::CcwStencilPass, gfx::kStencilOpIncr),
                      DeviceCall::State(RenderState::CullMode, gfx::kCullNone)});
        draw();
        calls.push_back(DeviceCall::State(RenderState::TwoSidedStencilMode, 0));
    } else if (lights) {
        // Front faces decrement under the renderer's own culling, then back
        // faces increment.
        draw();
        calls.push_back(DeviceCall::State(RenderState::CullMode, gfx::kCullCw));
        calls.push_back(DeviceCall::State(RenderState::StencilPass, gfx::kStencilOpIncr));
        draw();
    }
    calls.insert(calls.end(), {DeviceCall::State(RenderState::ShadeMode, gfx::kShadeGouraud),
                               DeviceCall::State(RenderState::CullMode, gfx::kCullCcw),
                               DeviceCall::State(RenderState::ZWriteEnable, 1),
                               DeviceCall::State(RenderState::StencilEnable, 0),
                               DeviceCall::State(RenderState::AlphaBlendEnable, 0)});
    return calls;
}

TEST_F(ShadowPassDeviceTest, PassesSetTheirStatesInOrderAndAlwaysRestore) {
    const struct {
        const char* name;
        bool twoSided;
        bool lights;
        bool built;
    } cases[] = {
        {"two-sided stencil", true, true, true},
        {"two passes", false, true, true},
        {"two-sided, volume never built", true, true, false},
        {"no shadow lights", true, false, true},
        {"no shadow lights, two-pass device", false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CLightObject light;
        light.SetPosition(0, 5, 0);
        CTest3DObject caster;
        caster.SetMesh(MakeGroundSquare());
        caster.SetUniformScale(1.0f);
        caster.SetShadow(1);
        caster.ShadowLights().push_back(&light);
        if (c.built) {
            caster.BuildShadowVolume();
            ASSERT_EQ(caster.GetShadowVolume().GetVertexCount(), 24u);
        }
        if (!c.lights) {
            caster.ShadowLights().clear();
        }
        gfx::Caps caps;
        caps.stencilCaps = c.twoSided ? gfx::kStencilCapsTwoSided : 0;
        // What a pass leaves does not depend on what it found.
        m_device->SetRenderState(RenderState::ZWriteEnable, 0);
        m_device->SetRenderState(RenderState::StencilEnable, 1);
        m_device->SetRenderState(RenderState::AlphaBlendEnable, 1);
        m_device->SetRenderState(RenderState::CullMode, gfx::kCullNone);
        m_device->SetRenderState(RenderState::ShadeMode, gfx::kShadeFlat);

        gfx::DeviceCallLog log;
        m_device->SetCallLog(&log);
        caster.RenderShadowVolume(m_device.get(), caps);
        m_device->SetCallLog(nullptr);
        EXPECT_EQ(log, ExpectedCalls(c.twoSided, c.lights, c.built));

        auto state = [this](RenderState s) {
            uint32_t value = 0;
            m_device->GetRenderState(s, &value);
            return value;
        };
        EXPECT_EQ(state(RenderState::ZWriteEnable), 1u);
        EXPECT_EQ(state(RenderState::StencilEnable), 0u);
        EXPECT_EQ(state(RenderState::AlphaBlendEnable), 0u);
        EXPECT_EQ(state(RenderState::CullMode), gfx::kCullCcw);
        EXPECT_EQ(state(RenderState::ShadeMode), gfx::kShadeGouraud);
        EXPECT_EQ(state(RenderState::TwoSidedStencilMode), 0u);
    }
}

}  // namespace
