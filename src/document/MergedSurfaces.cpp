#include "document/MergedSurfaces.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "objects/3DObject.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/gfx/Mesh.h"
#include "platform/gfx/VectorMath.h"

namespace {

using gfx::RenderState;
using gfx::TextureStageState;

// Position, normal and one texture coordinate set, placed in the world.
struct PlacedVertex {
    gfx::Vector3 position;
    gfx::Vector3 normal;
    float u = 0.0f;
    float v = 0.0f;
};

constexpr uint32_t kPlacedFvf = gfx::kFvfXyz | gfx::kFvfNormal | gfx::kFvfTex1;
static_assert(sizeof(PlacedVertex) == 32);

template <typename T>
void Append(std::vector<uint8_t>* bytes, const T& value) {
    const auto* first = reinterpret_cast<const uint8_t*>(&value);
    bytes->insert(bytes->end(), first, first + sizeof(T));
}

gfx::Texture* SubsetTexture(const C3DObject& object, int index, bool showTexture) {
    return showTexture ? object.GetTexture(index) : nullptr;
}

// Everything the merged picture of the object depends on.
void AppendSource(const C3DObject& object, bool showTexture, std::vector<uint8_t>* source) {
    Append(source, &object);
    Append(source, object.GetMesh());
    Append(source, object.GetMesh()->GetRevision());
    Append(source, object.GetWorldMatrix());
    Append(source, object.GetMaterialCount());
    for (int i = 0; i < object.GetMaterialCount(); ++i) {
        Append(source, object.GetMaterial(i));
        Append(source, SubsetTexture(object, i, showTexture));
    }
}

// Normals go through the inverse transpose of the placement, as the
// fixed-function pipeline turns them.
gfx::Matrix NormalMatrix(const gfx::Matrix& world) {
    const std::optional<gfx::Matrix> inverse = gfx::MatrixInverse(world);
    if (!inverse) {
        return world;
    }
    gfx::Matrix transposed;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            transposed.m[r][c] = inverse->m[c][r];
        }
    }
    return transposed;
}

bool SameLook(const gfx::Material& a, gfx::Texture* texA, const gfx::Material& b,
              gfx::Texture* texB) {
    return texA == texB && std::memcmp(&a, &b, sizeof(gfx::Material)) == 0;
}

}  // namespace

bool CMergedSurfaces::CanMerge(const C3DObject& object, bool showTexture) {
    const gfx::Mesh* mesh = object.GetMesh();
    if (mesh == nullptr || object.IsSelected() != 0 || object.IsTranslucent() != 0 ||
        object.GetBlend() != 0 || object.GetMapKind() != 0 || object.IsMirror() != 0 ||
        object.IsCameraAttached() != 0 || object.GetMaterialCount() <= 0) {
        return false;
    }
    const gfx::VertexLayout& layout = mesh->GetLayout();
    if (layout.normalOffset < 0 || layout.diffuseOffset >= 0 || layout.texCoordSets < 1 ||
        !mesh->IndicesInRange()) {
        return false;
    }
    for (int i = 0; i < object.GetMaterialCount(); ++i) {
        const bool bump = object.GetMappingRecord(i).bumpFlag != 0 &&
                          object.GetBumpTexture(i) != nullptr && showTexture;
        if (object.GetMaterial(i).diffuse.a < 1.0f || bump) {
            return false;
        }
    }
    return true;
}

void CMergedSurfaces::Draw(gfx::Device& device, int type, int level,
                           const std::vector<CDesignObject*>& objects, bool showTexture) {
    std::vector<const C3DObject*> parts;
    std::vector<uint8_t> source;
    Append(&source, &device);
    Append(&source, showTexture);
    for (CDesignObject* item : objects) {
        const auto* object = static_cast<const C3DObject*>(item);
        if (object->IsHidden() == 0 && object->GetFloorIndex() == level &&
            CanMerge(*object, showTexture)) {
            parts.push_back(object);
            AppendSource(*object, showTexture, &source);
        }
    }
    Group& group = m_groups[{type, level}];
    // A device made again may take the address of the one the buffers were
    // made on; buffers left without their device are made afresh.
    const bool orphaned = std::any_of(
        group.batches.begin(), group.batches.end(),
        [&device](const Batch& batch) { return batch.buffer.Get()->GetDevice() != &device; });
    if (orphaned || group.source != source) {
        group.source = std::move(source);
        Rebuild(device, parts, showTexture, &group);
    }
    if (group.batches.empty()) {
        return;
    }
    // The states an opaque subset of an ordinary object is drawn with.
    device.SetTransform(gfx::TransformType::World, gfx::MatrixIdentity());
    device.SetTextureStageState(0, TextureStageState::TexCoordIndex, 0);
    device.SetTextureStageState(0, TextureStageState::ColorArg1, gfx::kTaTexture);
    device.SetTextureStageState(0, TextureStageState::ColorOp, gfx::kTopModulate);
    device.SetTextureStageState(0, TextureStageState::AlphaArg1, gfx::kTaTexture);
    device.SetTextureStageState(0, TextureStageState::AlphaOp, gfx::kTopModulate);
    device.SetTextureStageState(1, TextureStageState::ColorOp, gfx::kTopDisable);
    device.SetTextureStageState(1, TextureStageState::AlphaOp, gfx::kTopDisable);
    device.SetFVF(kPlacedFvf);
    for (const Batch& batch : group.batches) {
        device.SetMaterial(batch.material);
        device.SetTexture(0, batch.texture);
        device.SetStreamSource(0, batch.buffer.Get(), 0, sizeof(PlacedVertex));
        device.DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, batch.triangles);
    }
    device.SetStreamSource(0, nullptr, 0, 0);
    device.SetRenderState(RenderState::SrcBlend, gfx::kBlendSrcAlpha);
    device.SetRenderState(RenderState::DestBlend, gfx::kBlendInvSrcAlpha);
    device.SetTextureStageState(0, TextureStageState::ColorOp, gfx::kTopDisable);
    device.SetTextureStageState(0, TextureStageState::AlphaOp, gfx::kTopDisable);
}

void CMergedSurfaces::Rebuild(gfx::Device& device, const std::vector<const C3DObject*>& parts,
                              bool showTexture, Group* group) {
    group->batches.clear();
    std::vector<std::vector<PlacedVertex>> vertices;
    for (const C3DObject* object : parts) {
        const gfx::Mesh& mesh = *object->GetMesh();
        const gfx::VertexLayout& layout = mesh.GetLayout();
        const gfx::Matrix& world = object->GetWorldMatrix();
        const gfx::Matrix normalMatrix = NormalMatrix(world);
        const uint8_t* bytes = mesh.Vertices().data();
        const std::span<const uint32_t> attributes = mesh.Attributes();
        std::vector<size_t> batchOfSubset(static_cast<size_t>(object->GetMaterialCount()));
        for (int i = 0; i < object->GetMaterialCount(); ++i) {
            const gfx::Material& material = object->GetMaterial(i);
            gfx::Texture* texture = SubsetTexture(*object, i, showTexture);
            auto found =
                std::find_if(group->batches.begin(), group->batches.end(), [&](const Batch& batch) {
                    return SameLook(batch.material, batch.texture, material, texture);
                });
            if (found == group->batches.end()) {
                group->batches.push_back({material, texture, {}, 0});
                vertices.emplace_back();
                found = group->batches.end() - 1;
            }
            batchOfSubset[static_cast<size_t>(i)] =
                static_cast<size_t>(found - group->batches.begin());
        }
        // Subset by subset, faces in their order, as the object draws them.
        for (size_t subset = 0; subset < batchOfSubset.size(); ++subset) {
            std::vector<PlacedVertex>& out = vertices[batchOfSubset[subset]];
            for (uint32_t face = 0; face < mesh.GetNumFaces(); ++face) {
                if (attributes[face] != subset) {
                    continue;
                }
                for (const uint32_t index : mesh.GetFace(face)) {
                    const uint8_t* vertex = bytes + size_t{index} * layout.size;
                    PlacedVertex placed;
                    std::memcpy(&placed.position, vertex, sizeof(gfx::Vector3));
                    std::memcpy(&placed.normal, vertex + layout.normalOffset, sizeof(gfx::Vector3));
                    std::memcpy(&placed.u, vertex + layout.texCoordOffsets[0], 2 * sizeof(float));
                    placed.position = gfx::Vec3TransformCoord(placed.position, world);
                    placed.normal = gfx::Vec3TransformNormal(placed.normal, normalMatrix);
                    out.push_back(placed);
                }
            }
        }
    }
    for (size_t i = 0; i < group->batches.size(); ++i) {
        Batch& batch = group->batches[i];
        batch.triangles = static_cast<uint32_t>(vertices[i].size() / 3);
        if (batch.triangles == 0) {
            continue;
        }
        const auto length = static_cast<uint32_t>(vertices[i].size() * sizeof(PlacedVertex));
        gfx::VertexBuffer* buffer = nullptr;
        if (gfx::Failed(
                device.CreateVertexBuffer(length, 0, kPlacedFvf, gfx::Pool::Managed, &buffer))) {
            batch.triangles = 0;
            continue;
        }
        batch.buffer = gfx::ResourceRef<gfx::VertexBuffer>::Adopt(buffer);
        void* data = nullptr;
        buffer->Lock(0, 0, &data, 0);
        std::memcpy(data, vertices[i].data(), length);
        buffer->Unlock();
    }
    std::erase_if(group->batches, [](const Batch& batch) { return batch.triangles == 0; });
    // Texture changes cost the driver most: the buffers of one texture
    // follow each other, textures in the order the objects first use them.
    std::vector<gfx::Texture*> textureOrder;
    for (const Batch& batch : group->batches) {
        if (std::find(textureOrder.begin(), textureOrder.end(), batch.texture) ==
            textureOrder.end()) {
            textureOrder.push_back(batch.texture);
        }
    }
    auto rank = [&textureOrder](const Batch& batch) {
        return std::find(textureOrder.begin(), textureOrder.end(), batch.texture) -
               textureOrder.begin();
    };
    std::stable_sort(group->batches.begin(), group->batches.end(),
                     [&rank](const Batch& a, const Batch& b) { return rank(a) < rank(b); });
}
