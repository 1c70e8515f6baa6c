#include "platform/gfx/XFileReader.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string_view>

#include "platform/fs/RegularFile.h"
#include "platform/text/Cp950.h"

namespace gfx {
namespace {

// The reader turns .x data into a right-handed scene; converting it back
// leaves positions, winding and texture coordinates as the file has them.
constexpr unsigned kImportSteps = aiProcess_ConvertToLeftHanded | aiProcess_Triangulate |
                                  aiProcess_JoinIdenticalVertices | aiProcess_ValidateDataStructure;

constexpr char kDamaged[] = "模型檔已損壞或不是 .x 格式，無法讀取。";

struct Geometry {
    std::vector<Vector3> positions;
    std::vector<Vector3> normals;
    std::vector<std::array<float, 2>> texCoords;
    std::vector<uint32_t> indices;
    std::vector<uint32_t> attributes;
    bool hasNormals = false;
    bool hasTexCoords = false;
};

Result Refuse(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
    return kErrFail;
}

Vector3 ToVector(const aiVector3D& v) {
    return {v.x, v.y, v.z};
}

// Appends the meshes of node and its children, each placed by the product
// of the frame transforms above it. False for a face that is not a triangle
// after triangulation: a face naming vertices the file lacks comes out with
// fewer corners.
bool GatherNode(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent,
                Geometry& geometry) {
    const aiMatrix4x4 placement = parent * node.mTransformation;
    aiMatrix3x3 normalPlacement(placement);
    if (normalPlacement.Determinant() != 0.0f) {
        normalPlacement.Inverse().Transpose();
    }
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
        const auto first = static_cast<uint32_t>(geometry.positions.size());
        geometry.hasNormals = geometry.hasNormals || mesh.HasNormals();
        geometry.hasTexCoords = geometry.hasTexCoords || mesh.HasTextureCoords(0);
        for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
            geometry.positions.push_back(ToVector(placement * mesh.mVertices[v]));
            geometry.normals.push_back(
                mesh.HasNormals() ? ToVector((normalPlacement * mesh.mNormals[v]).NormalizeSafe())
                                  : Vector3{});
            geometry.texCoords.push_back(
                mesh.HasTextureCoords(0)
                    ? std::array<float, 2>{mesh.mTextureCoords[0][v].x, mesh.mTextureCoords[0][v].y}
                    : std::array<float, 2>{});
        }
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3) {
                return false;
            }
            for (unsigned k = 0; k < 3; ++k) {
                geometry.indices.push_back(first + face.mIndices[k]);
            }
            geometry.attributes.push_back(mesh.mMaterialIndex);
        }
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c) {
        if (!GatherNode(scene, *node.mChildren[c], placement, geometry)) {
            return false;
        }
    }
    return true;
}

ColorValue MaterialColor(const aiMaterial& material, const char* key, unsigned type,
                         unsigned index) {
    aiColor4D color(0, 0, 0, 0);
    material.Get(key, type, index, color);
    return {color.r, color.g, color.b, color.a};
}

MeshMaterial ConvertMaterial(const aiMaterial& source) {
    MeshMaterial converted;
    Material& material = converted.material;
    material.diffuse = MaterialColor(source, AI_MATKEY_COLOR_DIFFUSE);
    material.ambient = MaterialColor(source, AI_MATKEY_COLOR_AMBIENT);
    material.specular = MaterialColor(source, AI_MATKEY_COLOR_SPECULAR);
    material.emissive = MaterialColor(source, AI_MATKEY_COLOR_EMISSIVE);
    source.Get(AI_MATKEY_SHININESS, material.power);
    aiString texture;
    if (source.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS) {
        // Names are stored as the CP950 bytes of the file.
        converted.textureFile =
            text::Cp950ToUtf8Lenient(std::string_view(texture.data, texture.length));
    }
    return converted;
}

Result BuildMesh(const Geometry& geometry, uint32_t options, Device* device,
                 std::unique_ptr<Mesh>* mesh, std::string* error) {
    const uint32_t fvf =
        kFvfXyz | (geometry.hasNormals ? kFvfNormal : 0u) | (geometry.hasTexCoords ? kFvfTex1 : 0u);
    if (geometry.positions.size() > UINT32_MAX || geometry.attributes.size() > UINT32_MAX / 3) {
        return Refuse(error, "模型檔的網格太大，無法讀取。");
    }
    const Result result = Mesh::Create(static_cast<uint32_t>(geometry.attributes.size()),
                                       static_cast<uint32_t>(geometry.positions.size()), options,
                                       fvf, device, mesh, error);
    if (Failed(result)) {
        return result;
    }
    Mesh& built = **mesh;
    const VertexLayout& layout = built.GetLayout();
    uint8_t* vertex = built.EditVertices().data();
    for (size_t v = 0; v < geometry.positions.size(); ++v, vertex += layout.size) {
        std::memcpy(vertex, &geometry.positions[v], sizeof(Vector3));
        if (layout.normalOffset >= 0) {
            std::memcpy(vertex + layout.normalOffset, &geometry.normals[v], sizeof(Vector3));
        }
        if (layout.texCoordSets > 0) {
            std::memcpy(vertex + layout.texCoordOffsets[0], geometry.texCoords[v].data(), 8);
        }
    }
    if (built.Has32BitIndices()) {
        std::ranges::copy(geometry.indices, built.EditIndices32().begin());
    } else {
        std::ranges::transform(geometry.indices, built.EditIndices16().begin(),
                               [](uint32_t index) { return static_cast<uint16_t>(index); });
    }
    std::ranges::copy(geometry.attributes, built.EditAttributes().begin());
    return built.Optimize(kMeshOptAttrSort);
}

}  // namespace

Result LoadMeshFromXInMemory(const void* data, size_t length, uint32_t options, Device* device,
                             LoadedMesh* loaded, std::string* error) {
    if (loaded == nullptr) {
        return kErrInvalidCall;
    }
    // The signature first, so that no other format is ever taken for a model.
    if (data == nullptr || length < 16 || std::memcmp(data, "xof ", 4) != 0) {
        return Refuse(error, kDamaged);
    }
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(data, length, kImportSteps, "x");
    if (scene == nullptr || scene->mRootNode == nullptr ||
        (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
        return Refuse(error, kDamaged);
    }
    Geometry geometry;
    if (!GatherNode(*scene, *scene->mRootNode, aiMatrix4x4(), geometry)) {
        return Refuse(error, kDamaged);
    }
    if (geometry.attributes.empty()) {
        return Refuse(error, "模型檔中沒有可顯示的面。");
    }
    LoadedMesh result;
    const Result built = BuildMesh(geometry, options, device, &result.mesh, error);
    if (Failed(built)) {
        return built;
    }
    for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
        result.materials.push_back(ConvertMaterial(*scene->mMaterials[i]));
    }
    *loaded = std::move(result);
    return kOk;
}

Result LoadMeshFromX(const std::string& path, uint32_t options, Device* device, LoadedMesh* loaded,
                     std::string* error) {
    const pfs::Result<std::string> file = pfs::ReadWholeFile(path, pfs::kBinaryFileLimit);
    if (!file) {
        return Refuse(error, file.Error());
    }
    return LoadMeshFromXInMemory(file.Value().data(), file.Value().size(), options, device, loaded,
                                 error);
}

}  // namespace gfx
