#include <span>

#include "objects/2DModelIconShape.h"
#include "objects/ModelObject.h"
#include "objects/ModelPackage.h"
#include "objects/SceneServices.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/TextureLoader.h"
#include "platform/gfx/XFileReader.h"
#include "platform/text/Cp950.h"

namespace {

// Packages up to this version keep their mesh where it was modelled; the
// program stands it on the floor around its centre.
constexpr int kLastUncentredPackageVersion = 5;
// Design files before this version have no plan-outline choice.
constexpr float kPlanOutlineFromVersion = 6.01f;
// A package's texture names are cut to fit their field: a material's
// longer name still finds its image by the bytes that were kept.
constexpr std::size_t kMatchedNameBytes = 18;

constexpr uint32_t kModelFvf = gfx::kFvfXyz | gfx::kFvfNormal | gfx::kFvfTex1;

// The name as the file stores it, where it has a CP950 form.
std::string StoredBytes(const std::string& name) {
    return text::Utf8ToCp950(name).value_or(name);
}

}  // namespace

const PackagedTexture* CModelObject::FindPackagedTexture(
    const std::vector<PackagedTexture>& textures, const std::string& textureName) {
    const std::string wanted = StoredBytes(textureName).substr(0, kMatchedNameBytes);
    for (const PackagedTexture& texture : textures) {
        if (texture.name == textureName ||
            StoredBytes(texture.name).substr(0, kMatchedNameBytes) == wanted) {
            return &texture;
        }
    }
    return nullptr;
}

int CModelObject::LoadFromPackage(const CModelPackage& package) {
    const std::vector<uint8_t>& data = package.GetMeshData();
    if (data.empty()) {
        return 0;
    }
    gfx::LoadedMesh loaded;
    if (gfx::Failed(gfx::LoadMeshFromXInMemory(data.data(), data.size(), gfx::kMeshManaged,
                                               m_device, &loaded))) {
        return 0;
    }
    std::unique_ptr<gfx::Mesh> mesh;
    if (gfx::Failed(loaded.mesh->Clone(loaded.mesh->GetOptions(), kModelFvf, m_device, &mesh)) ||
        gfx::Failed(mesh->Optimize(gfx::kMeshOptCompact | gfx::kMeshOptAttrSort |
                                   gfx::kMeshOptVertexCache))) {
        return 0;
    }
    SetMesh(std::move(mesh));
    if (package.GetVersion() <= kLastUncentredPackageVersion) {
        CentreMeshOnFloor();
        ComputeExtents();
    }

    const auto count = static_cast<int>(loaded.materials.size());
    ResizeMaterials(count);
    for (int i = 0; i < count; ++i) {
        gfx::Material material = loaded.materials[i].material;
        material.ambient = material.diffuse;
        m_materials[i] = material;
        m_sourceMaterials[i] = material;

        const std::string& textureName = loaded.materials[i].textureFile;
        const PackagedTexture* image =
            textureName.empty() ? nullptr : FindPackagedTexture(package.GetTextures(), textureName);
        gfx::Texture* texture = nullptr;
        if (image != nullptr && !image->Data().empty()) {
            const std::vector<uint8_t>& bytes = image->Data();
            const auto length = static_cast<int32_t>(bytes.size());
            texture = m_textureCache.Find(textureName, length, 0, nullptr);
            if (texture == nullptr && m_device != nullptr &&
                gfx::Succeeded(gfx::CreateTextureFromFileInMemory(m_device, bytes.data(),
                                                                  bytes.size(), {}, &texture))) {
                m_textureCache.Add(textureName, length, 0, texture, nullptr);
            }
        }
        m_textures[i] = texture;
        m_sourceTextures[i] = texture;
        const std::string kept = texture != nullptr ? textureName : kNoTextureName;
        m_textureNames[i] = kept;
        m_sourceTextureNames[i] = kept;
    }
    m_basePartCount = count;
    return 1;
}

HRESULT CModelObject::LoadModelFile(const std::string& path) {
    const CModelPackage package(path, kPackageReadAll);
    LoadFromPackage(package);
    if (!m_mesh) {
        return E_FAIL;
    }
    m_filePath = path;
    auto icon = std::make_unique<C2DModelIconShape>();
    icon->LoadSymbolFromMemory(std::span<const uint8_t>(package.GetSymbolData()));
    SetPlanIcon(std::move(icon));
    SetPointRecords(package.GetEdgeRecords());
    if (g_pCurrentScene != nullptr && g_pCurrentScene->GetFileVersion() < kPlanOutlineFromVersion) {
        m_planOutlineShown = 0;
        m_planSymbolShown = package.GetSymbolName().empty() ? 0 : 1;
    }
    return S_OK;
}
