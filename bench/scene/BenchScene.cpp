#include "BenchScene.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "BenchDesign.h"
#include "BenchObject.h"
#include "SceneLook.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VertexBuffer.h"

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

namespace {

constexpr float kShadowRoomSize = 2000.0f;
constexpr int kShadowRoomColumns = 20;
constexpr int kShadowRoomRows = 10;

// A surface of the shadow room from its plan rectangle (x right, y down).
void AddRoomSurface(BenchScene& s, int type, double x0, double y0, double x1, double y1,
                    int number) {
    SurfacePlan plan;
    plan.type = type;
    plan.outline = {{x1, -y0}, {x1, -y1}, {x0, -y1}, {x0, -y0}};
    if (type == kFloorObjectType) {
        plan.top = 0.0f;
    }
    std::unique_ptr<CWallObject> surface = BuildSurface(plan, number, s.device.get());
    for (int i = 0; i < surface->GetMaterialCount(); ++i) {
        gfx::Material material;
        material.diffuse = type == kFloorObjectType ? gfx::ColorValue{0.9f, 0.9f, 0.85f, 1.0f}
                                                    : kPalette[static_cast<size_t>(number) % 3];
        material.ambient = material.diffuse;
        surface->SetMaterial(i, material);
    }
    surface->UpdateTranslucency();
    s.triangles += surface->GetMesh()->GetNumFaces();
    s.scene->AddObjectIfAbsent(type, surface.release());
}

void AddShadowLights(BenchScene& s) {
    s.lights[2].position = {kShadowRoomSize / 2, 700.0f, -kShadowRoomSize / 2};
    s.device->SetLight(2, s.lights[2]);
    for (const gfx::Light& light : s.lights) {
        auto& object = *s.shadowLights.emplace_back(std::make_unique<CLightObject>());
        object.SetLightType(static_cast<int>(light.type));
        object.SetPosition(light.position.x, light.position.y, light.position.z);
        object.LightSettings().direction = light.direction;
    }
}

gfx::ResourceRef<gfx::VertexBuffer> MakeShadowQuad(gfx::Device& device) {
    struct Corner {
        float x, y, z, rhw;
        uint32_t colour;
    };
    const auto w = static_cast<float>(scene_look::kWidth);
    const auto h = static_cast<float>(scene_look::kHeight);
    const Corner corners[4] = {{0, h, 0, 1, scene_look::kShadowColour},
                               {0, 0, 0, 1, scene_look::kShadowColour},
                               {w, h, 0, 1, scene_look::kShadowColour},
                               {w, 0, 0, 1, scene_look::kShadowColour}};
    gfx::VertexBuffer* quad = nullptr;
    device.CreateVertexBuffer(sizeof(corners), gfx::kUsageWriteOnly,
                              gfx::kFvfXyzRhw | gfx::kFvfDiffuse, gfx::Pool::Managed, &quad);
    void* data = nullptr;
    quad->Lock(0, sizeof(corners), &data, 0);
    std::memcpy(data, corners, sizeof(corners));
    quad->Unlock();
    return gfx::ResourceRef<gfx::VertexBuffer>::Adopt(quad);
}

}  // namespace

std::unique_ptr<BenchScene> CreateBenchShadowRoom(std::string* error) {
    auto s = std::make_unique<BenchScene>();
    if (!CreateDevice(*s, error)) {
        return nullptr;
    }
    SetLights(*s);
    AddShadowLights(*s);
    const float half = kShadowRoomSize / 2;
    const gfx::Vector3 eye = {half, 1700.0f, 700.0f};
    s->view = gfx::MatrixLookAtLH(eye, {half, 0.0f, -half * 1.1f}, {0.0f, 1.0f, 0.0f});
    s->projection = gfx::MatrixPerspectiveFovLH(0.9f, 4.0f / 3.0f, 10.0f, 10000.0f);
    s->scene = std::make_unique<CDesignScene>();
    s->scene->SetMergeSurfaces(false);

    const double size = kShadowRoomSize;
    const double t = kBenchWallThickness;
    int number = 1;
    AddRoomSurface(*s, kWallObjectType, 0, 0, size, t, number++);
    AddRoomSurface(*s, kWallObjectType, 0, size - t, size, size, number++);
    AddRoomSurface(*s, kWallObjectType, 0, t, t, size - t, number++);
    AddRoomSurface(*s, kWallObjectType, size - t, t, size, size - t, number++);
    AddRoomSurface(*s, kFloorObjectType, 0, 0, size, size, number++);

    const float spacing = 90.0f;
    for (int k = 0; k < kShadowRoomColumns * kShadowRoomRows; ++k) {
        const int column = k % kShadowRoomColumns;
        const int row = k / kShadowRoomColumns;
        auto object = std::make_unique<CBenchObject>();
        if ((column + row) % 2 == 0) {
            object->MakeBox(60.0f, kBoxDivisions, s->device.get());
        } else {
            object->MakeSphere(35.0f, kSphereStacks, kSphereSlices, s->device.get());
        }
        for (int i = 0; i < object->GetMaterialCount(); ++i) {
            gfx::Material material;
            material.diffuse = kPalette[static_cast<size_t>(k + i) % std::size(kPalette)];
            material.ambient = material.diffuse;
            material.specular = {0.3f, 0.3f, 0.3f, 1.0f};
            material.power = 20.0f;
            object->SetMaterial(i, material);
        }
        object->UpdateTranslucency();
        object->SetRotation(0.3f * static_cast<float>(k), 0.0f, 0.0f);
        object->SetPosition(150.0f + static_cast<float>(column) * spacing, 35.0f,
                            -150.0f - static_cast<float>(row) * spacing * 1.8f);
        s->triangles += object->GetMesh()->GetNumFaces();
        s->scene->AddObjectIfAbsent(kModelObjectType, object.release());
    }
    for (const int type : {kWallObjectType, kModelObjectType}) {
        for (CDesignObject* item : s->scene->Objects(type)) {
            auto* caster = static_cast<C3DObject*>(item);
            caster->SetShadow(1);
            for (const auto& light : s->shadowLights) {
                caster->ShadowLights().push_back(light.get());
            }
            caster->BuildShadowVolume();
        }
    }
    s->scene->RebuildFloorLevels();
    gfx::Caps caps;
    s->device->GetDeviceCaps(&caps);
    s->scene->SetScreenOverlay(caps, MakeShadowQuad(*s->device));
    s->target = std::make_unique<CBenchRenderTarget>(s->device.get(), eye.y);
    s->scene->SetRenderTarget(s->target.get());
    return s;
}

int CountDifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int differing = 0;
    for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (std::abs(int{a[i + c]} - int{b[i + c]}) > 2) {
                ++differing;
                break;
            }
        }
    }
    return differing;
}
