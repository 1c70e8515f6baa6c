#include <array>
#include <span>

#include "document/DesignScene.h"
#include "document/SelectionMeshExport.h"
#include "foundation/PathUtils.h"
#include "objects/3DObject.h"
#include "objects/ObjectTypeCodes.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/MeshMerge.h"
#include "platform/gfx/TextureBmp.h"
#include "platform/text/Cp950.h"

namespace {

// The types whose selected meshes an export merges, in merge order.
constexpr std::array<int, 6> kMergedTypes = {kModelObjectType,  kWallObjectType,
                                             kFloorObjectType,  kCeilingObjectType,
                                             kText3DObjectType, kPhotoObjectType};

// The room a material of the exported mesh has for its texture's name, in
// CP950 bytes without the closing zero. The texture record could hold more,
// but takes the same name: a reader finds the picture by the material's.
constexpr std::size_t kTextureNameBytes = 49;

// Position, normal and one texture coordinate pair.
constexpr uint32_t kExportFvf = gfx::kFvfXyz | gfx::kFvfNormal | gfx::kFvfTex1;

// The start of name that fits bytes in CP950; a name with no CP950 form
// keeps none of it.
std::string FitName(const std::string& name, std::size_t bytes) {
    return text::TruncateToCp950Bytes(name, bytes).value_or(std::string());
}

}  // namespace

void CDesignScene::CountSelectedMeshTotals(int* faces, int* vertices, int* materials) const {
    for (const int type : kMergedTypes) {
        CountSelectedMeshTotalsOfType(type, faces, vertices, materials);
    }
}

void CDesignScene::CountSelectedMeshTotalsOfType(int type, int* faces, int* vertices,
                                                 int* materials) const {
    for (const CDesignObject* item : m_selected[type]) {
        const auto* object = static_cast<const C3DObject*>(item);
        if (const gfx::Mesh* mesh = object->GetMesh()) {
            *faces += static_cast<int>(mesh->GetNumFaces());
            *vertices += static_cast<int>(mesh->GetNumVertices());
            *materials += object->GetMaterialCount();
        }
    }
}

bool CDesignScene::MergeSelectedMeshes(std::unique_ptr<gfx::Mesh>* merged, SelectionMeshExport* out,
                                       std::string* error) {
    std::vector<gfx::MeshMergeSource> sources;
    ExportedTextures saved;
    SelectionMeshExport exported;
    for (const int type : kMergedTypes) {
        MergeSelectedMeshesOfType(type, sources, exported, saved);
    }
    if (gfx::Failed(gfx::MergeMeshes(sources, gfx::kMeshManaged, kExportFvf, TargetDevice(), merged,
                                     error))) {
        return false;
    }
    *out = std::move(exported);
    return true;
}

void CDesignScene::MergeSelectedMeshesOfType(int type, std::vector<gfx::MeshMergeSource>& sources,
                                             SelectionMeshExport& out,
                                             ExportedTextures& saved) const {
    for (const CDesignObject* item : m_selected[type]) {
        const auto* object = static_cast<const C3DObject*>(item);
        if (object->GetMesh() == nullptr) {
            continue;
        }
        gfx::MeshMergeSource source;
        source.mesh = object->GetMesh();
        source.world = object->BuildWorldMatrixDirect();
        source.attributeOffset = static_cast<uint32_t>(out.materials.size());
        sources.push_back(source);

        for (int i = 0; i < object->GetMaterialCount(); ++i) {
            gfx::MeshMaterial material{object->GetMaterial(i), {}};
            PackagedTexture record;
            std::string path;
            object->GetTextureName(i, path);
            if (!path.empty()) {
                material.textureFile = FitName(GetPathFileName(path), kTextureNameBytes);
                record.name = material.textureFile;
                gfx::Texture* texture = object->GetTexture(i);
                auto& picture = saved.pictures[texture];
                if (!picture && texture != nullptr) {
                    std::vector<uint8_t> bytes;
                    if (gfx::Succeeded(gfx::SaveTextureToBmp(texture, &bytes))) {
                        picture = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
                    }
                }
                record.bytes = picture;
                if (picture) {
                    ++out.textureCount;
                }
            }
            out.materials.push_back(std::move(material));
            out.textures.push_back(std::move(record));
        }
    }
}
