#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "FrameFixture.h"
#include "objects/LightObject.h"
#include "platform/gfx/DeviceCallLog.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/VertexBuffer.h"

namespace {

constexpr int kBufferWidth = 1024;
constexpr int kBufferHeight = 768;
constexpr Rgb kWhite = {255, 255, 255};
// White under the view's shadow colour, black at 0.4.
constexpr Rgb kShadowed = {153, 153, 153};

struct Box {
    gfx::Vector3 min;
    gfx::Vector3 max;
};

// The distance along the ray to the box, when it meets it ahead.
std::optional<float> RayHitsBox(const gfx::Vector3& o, const gfx::Vector3& d, const Box& box) {
    float nearest = 0.0f;
    float farthest = 1e30f;
    const float origin[3] = {o.x, o.y, o.z};
    const float direction[3] = {d.x, d.y, d.z};
    const float lo[3] = {box.min.x, box.min.y, box.min.z};
    const float hi[3] = {box.max.x, box.max.y, box.max.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (direction[axis] == 0.0f) {
            if (origin[axis] < lo[axis] || origin[axis] > hi[axis]) {
                return std::nullopt;
            }
            continue;
        }
        float t0 = (lo[axis] - origin[axis]) / direction[axis];
        float t1 = (hi[axis] - origin[axis]) / direction[axis];
        if (t0 > t1) {
            std::swap(t0, t1);
        }
        nearest = std::max(nearest, t0);
        farthest = std::min(farthest, t1);
    }
    if (nearest > farthest) {
        return std::nullopt;
    }
    return nearest;
}

// A room lit by a lamp and the sun: white floor and walls that receive
// shadows, and two white boxes that cast them, one for both lights and one
// for the sun only.
class ShadowFrameTest : public SceneFrameTest {
protected:
    void SetUp() override {
        SceneFrameTest::SetUp();
        BuildRoom();
    }

    void BuildRoom() {
        renderer->OnSize(kWindowWidth, kWindowHeight);
        lamp.SetLightType(static_cast<int>(gfx::LightType::Point));
        lamp.SetPosition(60, 100, -50);
        sun.SetLightType(static_cast<int>(gfx::LightType::Directional));
        sun.LightSettings().direction = gfx::Vec3Normalize({-0.5f, -1.0f, 0.6f});

        receivers = {{{-200, -10, -200}, {200, 1, 200}},
                     {{-200, 1, 150}, {200, 60, 160}},
                     {{-160, 1, -200}, {-150, 60, 200}},
                     {{150, 1, -200}, {160, 60, 200}}};
        for (const Box& box : receivers) {
            AddWhiteBox(box);
        }
        casters = {{{-20, 1, -20}, {20, 41, 20}}, {{-110, 1, 60}, {-80, 71, 90}}};
        AddWhiteBox(casters[0], {&lamp, &sun});
        AddWhiteBox(casters[1], {&sun});

        CHousViewCamera& camera = renderer->GetCamera();
        camera.SetCameraAngles(0.0, 1.1);
        camera.SetCameraPosition({0, 300, -170});
        camera.UpdateCamera();
    }

    void AddWhiteBox(const Box& box, std::vector<C3DObject*> lights = {}) {
        auto* object = new CTest3DObject(kModelObjectType);
        const gfx::Vector3 centre = (box.min + box.max) * 0.5f;
        object->MakeBox(box.min - centre, box.max - centre, 1, renderer->GetEngine().GetDevice());
        gfx::Material material;
        material.emissive = {1, 1, 1, 1};
        material.diffuse.a = 1.0f;
        object->SetMaterial(0, material);
        object->UpdateTranslucency();
        object->SetPosition(centre.x, centre.y, centre.z);
        object->SetShadow(lights.empty() ? 0 : 1);
        object->ShadowLights() = std::move(lights);
        object->BuildShadowVolume();
        renderer->GetScene().AddObjectIfAbsent(kModelObjectType, object);
    }

    // The screen overlay as the view makes it: the window's quad twice over
    // (the back buffer is twice the window) in the view's shadow colour.
    void SetOverlay(bool twoSided) {
        gfx::Device& device = *renderer->GetEngine().GetDevice();
        gfx::VertexBuffer* quad = nullptr;
        ASSERT_EQ(
            device.CreateVertexBuffer(80, gfx::kUsageWriteOnly, gfx::kFvfXyzRhw | gfx::kFvfDiffuse,
                                      gfx::Pool::Managed, &quad),
            gfx::kOk);
        struct Corner {
            float x, y, z, rhw;
            uint32_t colour;
        };
        const float w = 2.0f * kWindowWidth;
        const float h = 2.0f * kWindowHeight;
        const Corner corners[4] = {{0, h, 0, 1, 0x66000000u},
                                   {0, 0, 0, 1, 0x66000000u},
                                   {w, h, 0, 1, 0x66000000u},
                                   {w, 0, 0, 1, 0x66000000u}};
        void* data = nullptr;
        quad->Lock(0, 80, &data, 0);
        std::memcpy(data, corners, sizeof(corners));
        quad->Unlock();
        gfx::Caps caps;
        device.GetDeviceCaps(&caps);
        if (!twoSided) {
            caps.stencilCaps &= ~gfx::kStencilCapsTwoSided;
        }
        renderer->GetScene().SetScreenOverlay(caps,
                                              gfx::ResourceRef<gfx::VertexBuffer>::Adopt(quad));
    }

    // Whether the point where the pixel's ray first meets the room is hidden
    // from a light by a caster of that light: the mask the stencil buffer
    // must hold. Pixels on the casters themselves are left out (-1).
    int ExpectedShadow(int x, int y) const {
        const C3DCamera& camera = renderer->GetEngine().GetCamera();
        gfx::Vector3 origin;
        gfx::Vector3 direction;
        ComputeWorldPickRay(camera.GetProjection(), camera.GetView(), x, y, kBufferWidth,
                            kBufferHeight, &origin, &direction);
        float nearest = 1e30f;
        bool onCaster = false;
        for (const auto* list : {&receivers, &casters}) {
            for (const Box& box : *list) {
                const std::optional<float> t = RayHitsBox(origin, direction, box);
                if (t && *t < nearest) {
                    nearest = *t;
                    onCaster = list == &casters;
                }
            }
        }
        if (onCaster || nearest == 1e30f) {
            return -1;
        }
        const gfx::Vector3 point = origin + direction * nearest;
        const gfx::Vector3 toLamp = lamp.GetPosition() - point;
        const gfx::Vector3 toSun = -sun.GetLight().direction;
        for (size_t i = 0; i < casters.size(); ++i) {
            if (i == 0) {
                const std::optional<float> t =
                    RayHitsBox(point, gfx::Vec3Normalize(toLamp), casters[i]);
                if (t && *t < gfx::Vec3Length(toLamp)) {
                    return 1;
                }
            }
            if (RayHitsBox(point, toSun, casters[i])) {
                return 1;
            }
        }
        return 0;
    }

    struct MaskComparison {
        int compared = 0;
        int shadowed = 0;
        int differing = 0;
        int neither = 0;
    };

    // The frame's darkened pixels against the expected mask.
    MaskComparison CompareWithExpectedMask() {
        ReadBackBuffer();
        MaskComparison result;
        for (int y = 0; y < kBufferHeight; y += 2) {
            for (int x = 0; x < kBufferWidth; x += 2) {
                const int expected = ExpectedShadow(x, y);
                if (expected < 0) {
                    continue;
                }
                const Rgb pixel = BackBufferAt(x, y);
                const bool dark = Distance(pixel, kShadowed) <= 3;
                if (!dark && Distance(pixel, kWhite) > 3) {
                    ++result.neither;
                }
                ++result.compared;
                result.shadowed += expected;
                result.differing += (dark != (expected == 1)) ? 1 : 0;
            }
        }
        return result;
    }

    CLightObject lamp;
    CLightObject sun;
    std::vector<Box> receivers;
    std::vector<Box> casters;
};

TEST_F(ShadowFrameTest, BothStencilModesDarkenWhatTheLightsCannotSee) {
    for (const bool twoSided : {true, false}) {
        SCOPED_TRACE(twoSided ? "two-sided stencil" : "two passes");
        SetOverlay(twoSided);
        ASSERT_TRUE(renderer->RenderFrameNoPresent(1.0f, 0.0f, 0.0f));
        const MaskComparison mask = CompareWithExpectedMask();
        // The room fills the frame, and the shadows are a good part of it.
        EXPECT_GT(mask.compared, kBufferWidth * kBufferHeight / 4 * 8 / 10);
        EXPECT_GT(mask.shadowed, mask.compared / 50);
        // Only pixels along a shadow's edge may fall the other way.
        EXPECT_LT(mask.differing, mask.compared / 100);
        EXPECT_LT(mask.neither, mask.compared / 1000);
    }
}

TEST_F(ShadowFrameTest, VolumesAreCountedOnceEachThenTheOverlayDarkensAndRestores) {
    using gfx::DeviceCall;
    using gfx::RenderState;
    using gfx::TextureStageState;
    const std::vector<DeviceCall> overlay = {
        DeviceCall::State(RenderState::ZEnable, 0),
        DeviceCall::State(RenderState::StencilEnable, 1),
        DeviceCall::State(RenderState::AlphaBlendEnable, 1),
        DeviceCall::State(RenderState::SrcBlend, gfx::kBlendSrcAlpha),
        DeviceCall::State(RenderState::DestBlend, gfx::kBlendInvSrcAlpha),
        DeviceCall::StageState(0, TextureStageState::ColorOp, gfx::kTopModulate),
        DeviceCall::StageState(0, TextureStageState::ColorArg1, gfx::kTaTexture),
        DeviceCall::StageState(0, TextureStageState::ColorArg2, gfx::kTaDiffuse),
        DeviceCall::StageState(0, TextureStageState::AlphaOp, gfx::kTopModulate),
        DeviceCall::StageState(0, TextureStageState::AlphaArg1, gfx::kTaTexture),
        DeviceCall::StageState(0, TextureStageState::AlphaArg2, gfx::kTaDiffuse),
        DeviceCall::State(RenderState::StencilRef, 1),
        DeviceCall::State(RenderState::StencilFunc, gfx::kCmpLessEqual),
        DeviceCall::State(RenderState::StencilPass, gfx::kStencilOpKeep),
        DeviceCall::Fvf(gfx::kFvfXyzRhw | gfx::kFvfDiffuse),
        DeviceCall::StreamSource(20),
        DeviceCall::Draw(gfx::PrimitiveType::TriangleStrip, 2),
        DeviceCall::State(RenderState::ZEnable, 1),
        DeviceCall::State(RenderState::StencilEnable, 0),
        DeviceCall::State(RenderState::AlphaBlendEnable, 0),
    };
    for (const bool twoSided : {true, false}) {
        SCOPED_TRACE(twoSided ? "two-sided stencil" : "two passes");
        SetOverlay(twoSided);
        gfx::DeviceCallLog log;
        renderer->GetEngine().GetDevice()->SetCallLog(&log);
        ASSERT_TRUE(renderer->RenderFrameNoPresent(1.0f, 0.0f, 0.0f));
        renderer->GetEngine().GetDevice()->SetCallLog(nullptr);

        const auto start = std::search(log.begin(), log.end(), overlay.begin(), overlay.end());
        ASSERT_NE(start, log.end()) << "the overlay's calls in order";
        // The two casters' volumes, once each or twice each, before it.
        const auto volumeDraws = std::count_if(log.begin(), start, [](const DeviceCall& c) {
            return c.kind == DeviceCall::Kind::DrawUP;
        });
        EXPECT_EQ(volumeDraws, twoSided ? 2 : 4);
        EXPECT_EQ(std::count(start + 1, log.end(), overlay.front()), 0);
    }
}

TEST_F(ShadowFrameTest, NoShadowsWithoutTheSettingOrAStencilBuffer) {
    SetOverlay(true);
    doc->Settings().showShadow = 0;
    ASSERT_TRUE(renderer->RenderFrameNoPresent(1.0f, 0.0f, 0.0f));
    MaskComparison mask = CompareWithExpectedMask();
    EXPECT_EQ(mask.differing, mask.shadowed);

    // A depth buffer without stencil bits: the passes are left out, and the
    // overlay does not darken the whole window.
    doc->Settings().showShadow = 1;
    renderer.reset();
    script.depthFormats = std::vector<gfx::Format>{gfx::Format::D16};
    renderer = MakeRenderer();
    BuildRoom();
    ASSERT_EQ(renderer->GetEngine().GetDevice()->GetStencilBits(), 0);
    SetOverlay(true);
    ASSERT_TRUE(renderer->RenderFrameNoPresent(1.0f, 0.0f, 0.0f));
    mask = CompareWithExpectedMask();
    EXPECT_GT(mask.shadowed, 0);
    EXPECT_EQ(mask.differing, mask.shadowed);
}

}  // namespace
