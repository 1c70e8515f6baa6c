#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ShadowMeshes.h"
#include "Test3DObject.h"
#include "objects/LightObject.h"
#include "objects/ShadowVolume.h"
#include "platform/gfx/LightMaterial.h"

namespace {

constexpr float kE = CShadowVolume::kExtrusionLength;

class ShadowCasterTest : public ::testing::Test {
protected:
    void SetUp() override {
        caster.SetMesh(MakeGroundSquare());
        caster.SetUniformScale(1.0f);
        caster.SetShadow(1);
    }

    CLightObject& AddLight(gfx::LightType type, const gfx::Vector3& position,
                           const gfx::Vector3& direction) {
        auto& light = *lights.emplace_back(std::make_unique<CLightObject>());
        light.SetLightType(static_cast<int>(type));
        light.SetPosition(position.x, position.y, position.z);
        light.LightSettings().direction = direction;
        caster.ShadowLights().push_back(&light);
        return light;
    }

    const std::vector<gfx::Vector3>& Volume() const {
        return caster.GetShadowVolume().GetVertices();
    }

    CTest3DObject caster;
    std::vector<std::unique_ptr<CLightObject>> lights;
};

TEST_F(ShadowCasterTest, PointLightIsTakenAtItsPositionInObjectSpace) {
    caster.SetPosition(100, 0, 50);
    AddLight(gfx::LightType::Point, {100, 10, 50}, {0, -1, 0});
    caster.BuildShadowVolume();
    ASSERT_EQ(Volume().size(), 24u);
    EXPECT_EQ(caster.GetShadowVolume().GetCapacity(), 2u);
    // Corner (0, 0, 0) lies right under the light: pushed straight down.
    EXPECT_FLOAT_EQ(Volume()[0].x, 0.0f);
    EXPECT_FLOAT_EQ(Volume()[2].x, 0.0f);
    EXPECT_FLOAT_EQ(Volume()[2].y, -kE);
}

TEST_F(ShadowCasterTest, DirectionalLightTurnsWithTheObjectButDoesNotMoveWithIt) {
    caster.SetPosition(100, 0, 50);
    caster.SetScale(2, 2, 2);
    // The inverse's rotation and scale carry the direction, normalised;
    // the translation does not.
    AddLight(gfx::LightType::Directional, {0, 0, 0}, {0, 3, 0});
    caster.BuildShadowVolume();
    ASSERT_EQ(Volume().size(), 24u);
    for (size_t quad = 0; quad < 24; quad += 6) {
        const gfx::Vector3 p = Volume()[quad];
        const gfx::Vector3 q = Volume()[quad + 2];
        EXPECT_FLOAT_EQ(q.x, p.x);
        EXPECT_FLOAT_EQ(q.y, p.y + kE);
        EXPECT_FLOAT_EQ(q.z, p.z);
    }
}

TEST_F(ShadowCasterTest, EachLightAddsItsQuadsInListOrder) {
    AddLight(gfx::LightType::Directional, {}, {0, 1, 0});
    AddLight(gfx::LightType::Point, {0, -5, 0}, {});
    AddLight(gfx::LightType::Point, {0, 5, 0}, {});
    caster.BuildShadowVolume();
    EXPECT_EQ(caster.GetShadowVolume().GetCapacity(), 6u);
    // The light below sees no face of the square: the others' quads only.
    ASSERT_EQ(Volume().size(), 48u);
    EXPECT_FLOAT_EQ(Volume()[2].y, kE);
    EXPECT_FLOAT_EQ(Volume()[26].y, -kE);
}

TEST_F(ShadowCasterTest, VolumeStaysWhenShadowsGoOffAndGoesWithASingularMatrix) {
    AddLight(gfx::LightType::Point, {0, 5, 0}, {});
    caster.BuildShadowVolume();
    ASSERT_EQ(Volume().size(), 24u);
    const std::vector<gfx::Vector3> built = Volume();

    caster.SetShadow(0);
    caster.BuildShadowVolume();
    EXPECT_EQ(Volume().size(), built.size());
    caster.SetShadow(1);
    caster.ShadowLights().clear();
    caster.BuildShadowVolume();
    EXPECT_EQ(Volume().size(), built.size());

    // A zero scale has no object space to carry the light into.
    caster.ShadowLights().push_back(lights[0].get());
    caster.SetScale(0, 1, 1);
    caster.BuildShadowVolume();
    EXPECT_TRUE(Volume().empty());

    // A copy starts without a volume of its own.
    caster.SetScale(1, 1, 1);
    caster.BuildShadowVolume();
    ASSERT_FALSE(Volume().empty());
    CTest3DObject copy(caster);
    EXPECT_TRUE(copy.GetShadowVolume().GetVertices().empty());
}

}  // namespace
