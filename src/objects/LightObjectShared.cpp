#include "objects/LightObjectShared.h"

#include <cmath>
#include <cstring>
#include <string>

#include "foundation/ApplicationValues.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/LightObject.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/MeshTypes.h"
#include "platform/gfx/XFileReader.h"

namespace {

constexpr const char* kIconFiles[3] = {"2dicon\\L1.dxf", "2dicon\\L2.dxf", "2dicon\\L3.dxf"};
constexpr const char* kGlyphFiles[3] = {"point.x", "sptlight.x", "DIRLIGHT.x"};
constexpr uint32_t kGizmoBufferBytes = kLightGizmoVertexCount * sizeof(gfx::Vector3);
static_assert(kGizmoBufferBytes == 444);

float Radians(int degrees) {
    return static_cast<float>(degrees) * GetPi() / 180.0f;
}

gfx::Material MakeGizmoMaterial() {
    gfx::Material material;
    material.emissive = {1.0f, 1.0f, 0.0f, 1.0f};
    material.diffuse.a = 1.0f;
    material.ambient.a = 1.0f;
    material.specular.a = 1.0f;
    return material;
}

void LoadGlyph(LightGlyph& glyph, const std::string& path, gfx::Device* device) {
    gfx::LoadedMesh loaded;
    if (gfx::LoadMeshFromX(path, gfx::kMeshManaged, device, &loaded) < 0 || !loaded.mesh) {
        ShowMessage(FormatString("找不到模型檔：%s", path.c_str()), PromptButtons::Ok,
                    PromptIcon::Warning);
        return;
    }
    glyph.mesh = std::move(loaded.mesh);
    glyph.materials.clear();
    for (const gfx::MeshMaterial& source : loaded.materials) {
        gfx::Material material = source.material;
        material.ambient = material.diffuse;
        glyph.materials.push_back(material);
    }
}

}  // namespace

LightSharedResources& GetLightSharedResources() {
    static LightSharedResources resources;
    return resources;
}

std::array<LightGizmoTable, kLightGizmoTableCount> BuildLightGizmoTables() {
    std::array<LightGizmoTable, kLightGizmoTableCount> tables{};
    for (int i = 0; i < kLightGizmoVertexCount; ++i) {
        const float a = Radians(i * 10);
        const float c = std::cos(a);
        const float s = std::sin(a);
        tables[0][i] = {c, 0.0f, s};
        tables[1][i] = {0.0f, c, s};
        tables[2][i] = {c, s, 0.0f};
        tables[3][i] = {c, s, 5.0f};
    }
    for (int line = 0; line < 12; ++line) {
        const float a = Radians(line * 30);
        const float c = std::cos(a);
        const float s = std::sin(a);
        tables[4][line * 2] = {c, s, 0.0f};
        tables[4][line * 2 + 1] = {c, s, 5.0f};
        tables[5][line * 2] = {0.0f, 0.0f, 0.0f};
        tables[5][line * 2 + 1] = {c, s, 5.0f};
    }
    return tables;
}

void CLightObject::InitSharedResources(gfx::Device* device) {
    LightSharedResources& shared = GetLightSharedResources();
    if (shared.initialised) {
        return;
    }
    shared.initialised = true;
    for (int i = 0; i < 3; ++i) {
        shared.iconPaths[i] = GetProgramFilePath(kIconFiles[i]);
        LoadGlyph(shared.glyphs[i], GetProgramFilePath(kGlyphFiles[i]), device);
    }
    shared.gizmoMaterial = MakeGizmoMaterial();
    shared.gizmoTables = BuildLightGizmoTables();
    RebuildRingBuffers(device);
}

void CLightObject::RebuildRingBuffers(gfx::Device* device) {
    LightSharedResources& shared = GetLightSharedResources();
    for (int i = 0; i < kLightGizmoTableCount; ++i) {
        shared.gizmoBuffers[i].Reset();
        if (device == nullptr) {
            continue;
        }
        gfx::VertexBuffer* buffer = nullptr;
        if (device->CreateVertexBuffer(kGizmoBufferBytes, 0, gfx::kFvfXyz, gfx::Pool::Managed,
                                       &buffer) < 0) {
            continue;
        }
        shared.gizmoBuffers[i] = gfx::ResourceRef<gfx::VertexBuffer>::Adopt(buffer);
        void* data = nullptr;
        if (buffer->Lock(0, kGizmoBufferBytes, &data, 0) >= 0) {
            std::memcpy(data, shared.gizmoTables[i].data(), kGizmoBufferBytes);
            buffer->Unlock();
        }
    }
}

void CLightObject::ResetDeviceResources(gfx::Device* device) {
    LightSharedResources& shared = GetLightSharedResources();
    for (LightGlyph& glyph : shared.glyphs) {
        if (!glyph.mesh) {
            continue;
        }
        std::unique_ptr<gfx::Mesh> clone;
        if (glyph.mesh->Clone(glyph.mesh->GetOptions(), glyph.mesh->GetFvf(), device, &clone) < 0) {
            ShowMessage("切換 3D 顯示裝置時發生錯誤！", PromptButtons::Ok, PromptIcon::Error);
            continue;
        }
        glyph.mesh = std::move(clone);
    }
    RebuildRingBuffers(device);
}

void CLightObject::ReleaseSharedResources() {
    GetLightSharedResources() = LightSharedResources{};
}

gfx::Mesh* CLightObject::GetGlyph(int type) {
    if (type < 1 || type > 3) {
        return nullptr;
    }
    return GetLightSharedResources().glyphs[type - 1].mesh.get();
}
