#include "foundation/DefaultLightPreset.h"

#include "foundation/ApplicationValues.h"

namespace {

DefaultLightPreset MakeDirectionalLight(float x, float y, float z, float heading) {
    DefaultLightPreset preset;
    InitDefaultLight(preset, gfx::LightType::Directional);
    preset.x = x;
    preset.y = y;
    preset.z = z;
    preset.heading = heading;
    preset.elevation = GetPi() * 1.8888888f;  // 340 degrees
    preset.roll = 0.0f;
    preset.light.diffuse = {0.085f, 0.085f, 0.085f, 1.0f};
    preset.light.specular = {0.0f, 0.0f, 0.0f, 0.0f};
    preset.light.ambient = {0.0f, 0.0f, 0.0f, 0.0f};
    return preset;
}

}  // namespace

void InitDefaultLight(DefaultLightPreset& preset, gfx::LightType type) {
    preset = DefaultLightPreset{};
    preset.x = 100.0f;
    preset.y = 5.0f;
    preset.z = -100.0f;
    preset.elevation = GetPi() * 1.5f;
    gfx::Light& light = preset.light;
    light.type = type;
    if (type == gfx::LightType::Directional) {
        light.diffuse = {0.085f, 0.085f, 0.085f, 1.0f};
        light.specular = {0.0f, 0.0f, 0.0f, 1.0f};
        light.ambient = {0.0f, 0.0f, 0.0f, 1.0f};
    } else {
        light.diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
        light.specular = {0.5f, 0.5f, 0.5f, 1.0f};
        light.ambient = {0.5f, 0.5f, 0.5f, 1.0f};
    }
    light.direction = {0.0f, -1.0f, 0.0f};
    light.range = 700.0f;
    light.falloff = 1.0f;
    light.attenuation0 = 1.0f;
    light.attenuation1 = 0.0f;
    light.attenuation2 = 0.00003f;
    light.theta = GetPi() * 0.16666667f;
    light.phi = GetPi() * 0.33333334f;
}

const DefaultLightPreset& GetDefaultPointLight() {
    static const DefaultLightPreset preset = [] {
        DefaultLightPreset point;
        InitDefaultLight(point, gfx::LightType::Point);
        point.x = 400.0f;
        point.y = 310.0f;
        point.z = -400.0f;
        return point;
    }();
    return preset;
}

const DefaultLightPreset& GetDefaultDirectionalLight1() {
    static const DefaultLightPreset preset =
        MakeDirectionalLight(500.0f, 400.0f, -300.0f, GetPi() * 0.8611111f);  // 155 degrees
    return preset;
}

const DefaultLightPreset& GetDefaultDirectionalLight2() {
    static const DefaultLightPreset preset =
        MakeDirectionalLight(400.0f, 500.0f, -300.0f, GetPi() * 1.1111112f);  // 200 degrees
    return preset;
}
