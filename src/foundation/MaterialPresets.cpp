#include "foundation/MaterialPresets.h"

namespace {

gfx::Material* Refill(gfx::Material& shared, gfx::ColorValue diffuse, gfx::ColorValue ambient,
                      gfx::ColorValue specular, gfx::ColorValue emissive, float power) {
    shared.diffuse = diffuse;
    shared.ambient = ambient;
    shared.specular = specular;
    shared.emissive = emissive;
    shared.power = power;
    return &shared;
}

}  // namespace

const gfx::Material* GetDefaultMaterial() {
    static gfx::Material shared;
    return Refill(shared, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 1}, 0.5f);
}

const gfx::Material* GetMatteWhiteMaterial() {
    static gfx::Material shared;
    return Refill(shared, {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, 50.0f);
}

const gfx::Material* GetLightMapMaterial() {
    static gfx::Material shared;
    return Refill(shared, {0, 0, 0, 0.5f}, {0, 0, 0, 0.5f}, {0, 0, 0, 0.5f}, {1, 1, 1, 0.5f}, 0.5f);
}

const gfx::Material* GetShadowMapMaterial() {
    static gfx::Material shared;
    return Refill(shared, {0, 0, 0, 0.3f}, {0, 0, 0, 0.3f}, {0, 0, 0, 0.3f}, {0, 0, 0, 0.3f}, 0.4f);
}
