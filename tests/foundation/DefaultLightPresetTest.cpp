#include "foundation/ApplicationValues.h"
#include "foundation/DefaultLightPreset.h"

#include <gtest/gtest.h>

namespace {

void ExpectColor(const gfx::ColorValue& c, float r, float g, float b, float a) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.a, a);
}

void ExpectCommonLight(const gfx::Light& light) {
    EXPECT_EQ(light.direction.x, 0.0f);
    EXPECT_EQ(light.direction.y, -1.0f);
    EXPECT_EQ(light.direction.z, 0.0f);
    EXPECT_EQ(light.range, 700.0f);
    EXPECT_EQ(light.falloff, 1.0f);
    EXPECT_EQ(light.attenuation0, 1.0f);
    EXPECT_EQ(light.attenuation1, 0.0f);
    EXPECT_EQ(light.attenuation2, 0.00003f);
    EXPECT_EQ(light.theta, GetPi() * 0.16666667f);
    EXPECT_EQ(light.phi, GetPi() * 0.33333334f);
    EXPECT_EQ(light.position.x, 0.0f);  // follows the object when a light is made
}

TEST(InitDefaultLight, ColoursFollowTheType) {
    DefaultLightPreset spot;
    spot.heading = 9.0f;
    InitDefaultLight(spot, gfx::LightType::Spot);
    EXPECT_EQ(spot.x, 100.0f);
    EXPECT_EQ(spot.y, 5.0f);
    EXPECT_EQ(spot.z, -100.0f);
    EXPECT_EQ(spot.heading, 0.0f);
    EXPECT_EQ(spot.elevation, GetPi() * 1.5f);
    EXPECT_EQ(spot.light.type, gfx::LightType::Spot);
    ExpectColor(spot.light.diffuse, 0.5f, 0.5f, 0.5f, 1.0f);
    ExpectColor(spot.light.specular, 0.5f, 0.5f, 0.5f, 1.0f);
    ExpectColor(spot.light.ambient, 0.5f, 0.5f, 0.5f, 1.0f);
    ExpectCommonLight(spot.light);

    DefaultLightPreset directional;
    InitDefaultLight(directional, gfx::LightType::Directional);
    ExpectColor(directional.light.diffuse, 0.085f, 0.085f, 0.085f, 1.0f);
    ExpectColor(directional.light.specular, 0.0f, 0.0f, 0.0f, 1.0f);
    ExpectColor(directional.light.ambient, 0.0f, 0.0f, 0.0f, 1.0f);
}

TEST(DefaultLights, ThePresetsOfANewDesign) {
    const DefaultLightPreset& point = GetDefaultPointLight();
    EXPECT_EQ(point.light.type, gfx::LightType::Point);
    EXPECT_EQ(point.x, 400.0f);
    EXPECT_EQ(point.y, 310.0f);
    EXPECT_EQ(point.z, -400.0f);
    EXPECT_EQ(point.elevation, GetPi() * 1.5f);
    ExpectColor(point.light.diffuse, 0.5f, 0.5f, 0.5f, 1.0f);
    ExpectCommonLight(point.light);

    struct Expected {
        const DefaultLightPreset& preset;
        float x, y, heading;
    };
    const Expected directionals[] = {
        {GetDefaultDirectionalLight1(), 500.0f, 400.0f, GetPi() * 0.8611111f},
        {GetDefaultDirectionalLight2(), 400.0f, 500.0f, GetPi() * 1.1111112f},
    };
    for (const Expected& e : directionals) {
        EXPECT_EQ(e.preset.light.type, gfx::LightType::Directional);
        EXPECT_EQ(e.preset.x, e.x);
        EXPECT_EQ(e.preset.y, e.y);
        EXPECT_EQ(e.preset.z, -300.0f);
        EXPECT_EQ(e.preset.heading, e.heading);
        EXPECT_EQ(e.preset.elevation, GetPi() * 1.8888888f);
        EXPECT_EQ(e.preset.roll, 0.0f);
        ExpectColor(e.preset.light.diffuse, 0.085f, 0.085f, 0.085f, 1.0f);
        ExpectColor(e.preset.light.specular, 0.0f, 0.0f, 0.0f, 0.0f);
        ExpectColor(e.preset.light.ambient, 0.0f, 0.0f, 0.0f, 0.0f);
        ExpectCommonLight(e.preset.light);
    }
    EXPECT_NEAR(GetDefaultDirectionalLight1().heading * 180.0f / GetPi(), 155.0f, 1e-3f);
    EXPECT_NEAR(GetDefaultDirectionalLight2().elevation * 180.0f / GetPi(), 340.0f, 1e-3f);
    EXPECT_EQ(&GetDefaultPointLight(), &point);  // built once
}

}  // namespace
