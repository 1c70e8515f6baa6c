#pragma once

// The design the render benchmark draws: 1,000 boxes and spheres of about
// 1,000 triangles each in a grid before a perspective camera, half of them
// textured (four shared textures), a tenth translucent, lit by three lights,
// on a device of an offscreen context.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BenchDocumentServices.h"
#include "BenchRenderTarget.h"
#include "document/DesignScene.h"
#include "objects/LightObject.h"
#include "platform/gfx/Adapter.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/EglOffscreenContext.h"
#include "platform/gfx/LightMaterial.h"
#include "platform/gfx/ResourceRef.h"
#include "platform/gfx/Texture.h"

struct BenchScene {
    std::unique_ptr<gfx::EglOffscreenContext> context;
    std::unique_ptr<gfx::Adapter> adapter;
    std::unique_ptr<gfx::Device> device;
    gfx::PresentParameters params;
    // The objects only point at their textures: these keep them alive.
    std::vector<gfx::ResourceRef<gfx::Texture>> textures;
    CBenchDocumentServices services;
    std::unique_ptr<CDesignScene> scene;
    std::unique_ptr<CBenchRenderTarget> target;
    gfx::Matrix view;
    gfx::Matrix projection;
    std::array<gfx::Light, 3> lights;
    uint64_t triangles = 0;
    // The shadow room's lights as design objects, which the casters name.
    std::vector<std::unique_ptr<CLightObject>> shadowLights;
};

// The scene with its lights set on the device; null with the reason in
// *error when there is no context or device.
std::unique_ptr<BenchScene> CreateBenchScene(std::string* error);
// A 20 x 20 grid of rooms built as the plan tools build them: 840 walls in
// three colours, 400 floors in two textures and 400 ceilings, seen from
// above at a slant, with the same lights.
std::unique_ptr<BenchScene> CreateBenchWallsScene(std::string* error);
// A room of four walls and a floor holding 200 plain boxes and spheres in
// rows, every wall and model casting shadows from the same three lights;
// surfaces are drawn object by object. The scene's screen overlay is set.
std::unique_ptr<BenchScene> CreateBenchShadowRoom(std::string* error);

// The pixels of two RGBA frames more than a rounding step apart.
int CountDifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
