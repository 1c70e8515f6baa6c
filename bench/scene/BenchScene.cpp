#include "BenchScene.h"

#include <cmath>

#include "BenchDesign.h"
#include "BenchObject.h"
#include "SceneLook.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/Mesh.h"

namespace {

constexpr int kColumns = 40;
constexpr int kRows = 25;
constexpr float kSpacing = 100.0f;
// 12 x 9^2 = 972 triangles a box, 2 x 25 x 20 = 1000 a sphere.
constexpr int kBoxDivisions = 9;
constexpr int kSphereStacks = 21;
constexpr int kSphereSlices = 25;
constexpr int kTextureSize = 256;

const gfx::ColorValue kPalette[] = {
    {0.8f, 0.3f, 0.2f, 1.0f}, {0.3f, 0.7f, 0.3f, 1.0f}, {0.2f, 0.4f, 0.8f, 1.0f},
    {0.8f, 0.7f, 0.2f, 1.0f}, {0.6f, 0.3f, 0.7f, 1.0f}, {0.3f, 0.7f, 0.7f, 1.0f},
};

gfx::ResourceRef<gfx::Texture> MakeCheckerTexture(gfx::Device& device, int kind) {
    const uint32_t light = gfx::ColorArgb(255, 240, 230 - kind * 30, 200 + kind * 15);
    const uint32_t dark = gfx::ColorArgb(255, 60 + kind * 40, 50, 90);
    const int cell = 16 << (kind % 3);
    std::vector<uint32_t> pixels(kTextureSize * kTextureSize);
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kTextureSize; ++x) {
            pixels[y * kTextureSize + x] = ((x / cell + y / cell) % 2 == 0) ? light : dark;
        }
    }
    gfx::Texture* texture = nullptr;
    device.CreateTextureFromPixels(kTextureSize, kTextureSize, pixels.data(), 0,
                                   gfx::Format::A8R8G8B8, &texture);
    return gfx::ResourceRef<gfx::Texture>::Adopt(texture);
}

// Object k of the grid: boxes and spheres alternate like a chequerboard,
// every other one is textured, one in ten is translucent.
std::unique_ptr<CBenchObject> MakeGridObject(BenchScene& s, int k) {
    const int column = k % kColumns;
    const int row = k / kColumns;
    auto object = std::make_unique<CBenchObject>();
    if ((column + row) % 2 == 0) {
        object->MakeBox(60.0f, kBoxDivisions, s.device.get());
    } else {
        object->MakeSphere(35.0f, kSphereStacks, kSphereSlices, s.device.get());
    }
    const bool textured = k % 2 == 0;
    const bool translucent = k % 10 == 5;
    for (int i = 0; i < object->GetMaterialCount(); ++i) {
        gfx::Material material;
        material.diffuse = textured ? gfx::ColorValue{0.9f, 0.9f, 0.9f, 1.0f}
                                    : kPalette[(k + i) % std::size(kPalette)];
        material.diffuse.a = translucent ? 0.5f : 1.0f;
        material.ambient = material.diffuse;
        material.specular = {0.3f, 0.3f, 0.3f, 1.0f};
        material.power = 20.0f;
        object->SetMaterial(i, material);
        if (textured) {
            object->SetTexturePointer(i, s.textures[(k / 2 + i) % s.textures.size()].Get());
        }
    }
    object->UpdateTranslucency();
    object->SetRotation(0.3f * static_cast<float>(k), 0.0f, 0.0f);
    object->SetPosition(static_cast<float>(column) * kSpacing, 35.0f,
                        static_cast<float>(row) * kSpacing);
    s.triangles += object->GetMesh()->GetNumFaces();
    return object;
}

void SetLights(BenchScene& s) {
    gfx::Light& key = s.lights[0];
    key.type = gfx::LightType::Directional;
    key.diffuse = {0.8f, 0.8f, 0.75f, 1.0f};
    key.specular = {0.6f, 0.6f, 0.6f, 1.0f};
    key.direction = {0.36f, -0.8f, 0.48f};
    gfx::Light& fill = s.lights[1];
    fill.type = gfx::LightType::Directional;
    fill.diffuse = {0.25f, 0.25f, 0.35f, 1.0f};
    fill.direction = {-0.6f, -0.2f, -0.77f};
    gfx::Light& lamp = s.lights[2];
    lamp.type = gfx::LightType::Point;
    lamp.diffuse = {0.6f, 0.5f, 0.3f, 1.0f};
    lamp.specular = {0.4f, 0.4f, 0.3f, 1.0f};
    lamp.position = {1950.0f, 600.0f, 1200.0f};
    lamp.attenuation0 = 1.0f;
    lamp.attenuation1 = 0.0005f;
    for (uint32_t i = 0; i < s.lights.size(); ++i) {
        s.device->SetLight(i, s.lights[i]);
        s.device->LightEnable(i, true);
    }
}

bool CreateDevice(BenchScene& s, std::string* error) {
    s.context = gfx::EglOffscreenContext::Create(scene_look::kWidth, scene_look::kHeight, error);
    if (!s.context) {
        return false;
    }
    s.adapter = gfx::Adapter::Create(*s.context);
    s.params.backBufferWidth = scene_look::kWidth;
    s.params.backBufferHeight = scene_look::kHeight;
    s.params.backBufferFormat = gfx::Format::A8R8G8B8;
    s.params.enableAutoDepthStencil = true;
    s.params.autoDepthStencilFormat = gfx::Format::D24S8;
    // Multisampled like the 3D view wherever the driver can.
    for (gfx::MultisampleType samples = 16; samples >= 2; --samples) {
        if (gfx::Succeeded(s.adapter->CheckDeviceMultiSampleType(
                gfx::DeviceType::Hal, gfx::Format::A8R8G8B8, true, samples, nullptr))) {
            s.params.multiSampleType = samples;
            break;
        }
    }
    if (gfx::Failed(s.adapter->CreateDevice(gfx::DeviceType::Hal, s.context.get(),
                                            gfx::kCreateHardwareVertexProcessing, &s.params,
                                            &s.device))) {
        *error = "the device cannot be created";
        return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<BenchScene> CreateBenchScene(std::string* error) {
    auto s = std::make_unique<BenchScene>();
    if (!CreateDevice(*s, error)) {
        return nullptr;
    }
    for (int kind = 0; kind < 4; ++kind) {
        s->textures.push_back(MakeCheckerTexture(*s->device, kind));
    }
    SetLights(*s);
    const gfx::Vector3 eye = {1950.0f, 2500.0f, -2200.0f};
    s->view = gfx::MatrixLookAtLH(eye, {1950.0f, 0.0f, 1000.0f}, {0.0f, 1.0f, 0.0f});
    s->projection = gfx::MatrixPerspectiveFovLH(0.9f, 4.0f / 3.0f, 10.0f, 10000.0f);
    s->scene = std::make_unique<CDesignScene>();
    for (int k = 0; k < kColumns * kRows; ++k) {
        s->scene->AddObjectIfAbsent(kModelObjectType, MakeGridObject(*s, k).release());
    }
    s->scene->RebuildFloorLevels();
    s->target = std::make_unique<CBenchRenderTarget>(s->device.get(), eye.y);
    s->scene->SetRenderTarget(s->target.get());
    return s;
}

std::unique_ptr<BenchScene> CreateBenchWallsScene(std::string* error) {
    auto s = std::make_unique<BenchScene>();
    if (!CreateDevice(*s, error)) {
        return nullptr;
    }
    for (int kind = 0; kind < 2; ++kind) {
        s->textures.push_back(MakeCheckerTexture(*s->device, kind));
    }
    SetLights(*s);
    const gfx::Vector3 eye = {4000.0f, 6000.0f, 2500.0f};
    s->view = gfx::MatrixLookAtLH(eye, {4000.0f, 0.0f, -4000.0f}, {0.0f, 1.0f, 0.0f});
    s->projection = gfx::MatrixPerspectiveFovLH(0.9f, 4.0f / 3.0f, 10.0f, 30000.0f);
    s->scene = std::make_unique<CDesignScene>();
    int number = 1;
    for (const SurfacePlan& plan : GridOfRooms(20)) {
        std::unique_ptr<CWallObject> surface = BuildSurface(plan, number, s->device.get());
        for (int i = 0; i < surface->GetMaterialCount(); ++i) {
            gfx::Material material;
            material.diffuse = plan.type == kWallObjectType
                                   ? kPalette[static_cast<size_t>(number) % 3]
                                   : gfx::ColorValue{0.9f, 0.9f, 0.9f, 1.0f};
            material.ambient = material.diffuse;
            surface->SetMaterial(i, material);
            surface->SetTexturePointer(
                i, plan.type == kFloorObjectType
                       ? s->textures[static_cast<size_t>(number) % s->textures.size()].Get()
                       : nullptr);
        }
        surface->UpdateTranslucency();
        s->triangles += surface->GetMesh()->GetNumFaces();
        s->scene->AddObjectIfAbsent(plan.type, surface.release());
        ++number;
    }
    s->scene->RebuildFloorLevels();
    s->target = std::make_unique<CBenchRenderTarget>(s->device.get(), eye.y);
    s->scene->SetRenderTarget(s->target.get());
    return s;
}
