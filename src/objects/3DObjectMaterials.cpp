#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <span>

#include "foundation/GeometryMath.h"
#include "foundation/MeshVertex.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "objects/3DObject.h"
#include "objects/DocumentServices.h"
#include "objects/GreyBitmap.h"
#include "objects/HistoryRecord.h"
#include "objects/MaterialRecordName.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/SceneServices.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/NormalMap.h"
#include "platform/gfx/TextureBmp.h"
#include "platform/gfx/TextureClone.h"
#include "platform/gfx/TextureLoader.h"

namespace {

// A tile side of 0 would divide by zero: that side is laid untiled.
float TileSide(float side) {
    return side != 0.0f ? side : 1.0f;
}

void Rotate(float& u, float& v, double degrees) {
    const double a = degrees * kPi / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double ru = u * c + v * s;
    const double rv = v * c - u * s;
    u = static_cast<float>(ru);
    v = static_cast<float>(rv);
}

// Takes (u, v) from the state of mapping `from` back to the untouched
// coordinates and on into the state of mapping `to`.
void Remap(float& u, float& v, const TextureMappingRecord& from, const TextureMappingRecord& to) {
    if (from.flipU != 0) {
        u = 1.0f - u;
    }
    if (from.flipV != 0) {
        v = 1.0f - v;
    }
    Rotate(u, v, -from.rotation);
    u -= from.offsetU;
    v -= from.offsetV;
    if (from.tileFlag != 0) {
        u *= TileSide(from.tileWidth);
        v *= TileSide(from.tileHeight);
    }
    if (to.tileFlag != 0) {
        u /= TileSide(to.tileWidth);
        v /= TileSide(to.tileHeight);
    }
    u += to.offsetU;
    v += to.offsetV;
    Rotate(u, v, to.rotation);
    if (to.flipU != 0) {
        u = 1.0f - u;
    }
    if (to.flipV != 0) {
        v = 1.0f - v;
    }
}

// A stored texture name that names a file to load: a local absolute path
// or a path on another drive, which is looked for by its file name.
bool NamesTextureFile(const std::string& name) {
    return PathHasDrive(name) || (!name.empty() && name.front() == '/');
}

}  // namespace

MaterialRecord C3DObject::GetMaterialRecord(int index) const {
    MaterialRecord record;
    record.name = EncodeMaterialName(m_textureNames[index]);
    const gfx::Material& material = m_materials[index];
    record.ambient = material.ambient;
    record.diffuse = material.diffuse;
    record.specular = material.specular;
    record.emissive = material.emissive;
    record.mapping = m_mappingRecords[index];
    return record;
}

void C3DObject::ApplyMaterialRecord(int index, const MaterialRecord& record, bool loadTexture) {
    SetFaceRefineFlag(index, record.refineFlag, record.refineValue);
    gfx::Material& material = m_materials[index];
    material.ambient = record.ambient;
    material.diffuse = record.diffuse;
    material.specular = record.specular;
    material.emissive = record.emissive;

    std::string name = DecodeMaterialName(record.name);
    if (!name.empty() && name != kNoTextureName) {
        if (loadTexture && NamesTextureFile(name)) {
            const std::optional<std::string> found =
                GetDocumentServices().LocateFile(name, GetTextureFolder());
            if (found) {
                name = *found;
                if (g_pCurrentScene != nullptr) {
                    m_textures[index] =
                        g_pCurrentScene->GetTextureOrWarn(name, m_blend, &record.mapping);
                }
            } else if (g_pCurrentScene != nullptr) {
                g_pCurrentScene->ReportMissingFile("找不到貼圖檔案 - %s", name);
            }
        }
        m_textureNames.push_back(name);
    } else {
        m_textureNames.emplace_back(kNoTextureName);
        if (loadTexture) {
            m_textures[index] = nullptr;
        }
    }
    ApplyTextureMapping(index, record.mapping, false);

    if (record.mapping.bumpFlag != 0) {
        gfx::ResourceRef<gfx::Texture> grey;
        CreateBumpTexture(m_textures[index], &m_bumpTextures[index], &grey);
        if (grey && m_bumpTextures[index]) {
            gfx::ComputeNormalMap(m_bumpTextures[index].Get(), grey.Get(),
                                  record.mapping.bumpAmplitude);
        }
    }
}

void C3DObject::GetTextureName(int index, std::string& out) const {
    if (index < 0 || index >= static_cast<int>(m_textureNames.size()) ||
        m_textureNames[index] == kNoTextureName) {
        return;
    }
    out = m_textureNames[index];
}

uint32_t C3DObject::GetFaceMaterial(uint32_t face) const {
    if (!m_mesh || face >= m_mesh->GetNumFaces()) {
        return 0;
    }
    return m_mesh->Attributes()[face];
}

TextureMappingRecord C3DObject::GetMappingRecord(int index) const {
    return m_mappingRecords[index];
}

MaterialSnapshot C3DObject::TakeMaterialSnapshot(int index) const {
    return {gfx::ResourceRef<gfx::Texture>::Share(m_textures[index]), m_materials[index],
            m_textureNames[index], m_mappingRecords[index]};
}

void C3DObject::PushMaterialUndo(int type, int index, MaterialSnapshot before) {
    auto record = std::make_unique<HistoryRecord>();
    record->count = 1;
    record->objectType = type;
    record->operation = kHistoryMaterial;
    record->value = index;
    record->before = std::move(before);
    record->after = TakeMaterialSnapshot(index);
    record->object = this;
    GetDocumentServices().PushUndoRecord(std::move(record));
}

void C3DObject::SetMaterialTexture(int type, int index, const std::string& name,
                                   gfx::Texture* texture) {
    MaterialSnapshot before = TakeMaterialSnapshot(index);
    m_textures[index] = texture;
    gfx::Material& material = m_materials[index];
    for (gfx::ColorValue* colour : {&material.diffuse, &material.ambient, &material.specular}) {
        colour->r = colour->g = colour->b = 1.0f;
    }
    material.emissive.r = material.emissive.g = material.emissive.b = 0.0f;
    m_textureNames[index] = name;
    PushMaterialUndo(type, index, std::move(before));
}

void C3DObject::ApplyTextureFile(int type, int index, const std::string& path, const uint8_t* data,
                                 uint32_t length, const std::array<int32_t, 4>* parameters) {
    if (g_pCurrentScene == nullptr) {
        return;
    }
    std::optional<TextureSeamBlock> seam;
    if (parameters != nullptr) {
        static_assert(sizeof(TextureSeamBlock) == sizeof(*parameters));
        std::memcpy(static_cast<void*>(&seam.emplace()), parameters->data(),
                    sizeof(TextureSeamBlock));
    }
    const TextureSeamBlock* seamKey = seam ? &*seam : nullptr;
    CTextureCache& cache = g_pCurrentScene->GetTextureCache();
    const std::string key = GetPathFileName(path);
    gfx::Texture* texture = cache.Find(key, static_cast<int32_t>(length), 0, seamKey);
    if (texture == nullptr) {
        if (parameters != nullptr && (*parameters)[0] != 0) {
            TextureMappingRecord block = GetDocumentServices().GetCurrentMapping();
            block.seam = *seam;
            if (FAILED(g_pCurrentScene->GetTexture(path, 0, &texture, &block))) {
                texture = nullptr;
            }
        } else if (data != nullptr && gfx::Succeeded(gfx::CreateTextureFromFileInMemory(
                                          m_device, data, length, {}, &texture))) {
            cache.Add(key, static_cast<int32_t>(length), 0, texture, seamKey);
        }
    }
    if (texture != nullptr) {
        SetMaterialTexture(type, index, path, texture);
    }
}

std::vector<uint32_t> C3DObject::GetMappedVertices(int index) const {
    std::vector<uint32_t> vertices;
    const uint32_t vertexCount = m_mesh->GetNumVertices();
    if (GetType() == kText3DObjectType) {
        vertices.resize(vertexCount);
        for (uint32_t i = 0; i < vertexCount; ++i) {
            vertices[i] = i;
        }
        return vertices;
    }
    // The vertices the material's own faces use, each once, so that a
    // vertex of another material's range is never moved with this one.
    if (!m_mesh->IndicesInRange()) {
        return vertices;
    }
    std::vector<bool> used(vertexCount, false);
    const std::span<const uint32_t> attributes = m_mesh->Attributes();
    for (uint32_t face = 0; face < attributes.size(); ++face) {
        if (attributes[face] != static_cast<uint32_t>(index)) {
            continue;
        }
        for (uint32_t vertex : m_mesh->GetFace(face)) {
            if (!used[vertex]) {
                used[vertex] = true;
                vertices.push_back(vertex);
            }
        }
    }
    return vertices;
}

void C3DObject::ApplyTextureMapping(int index, const TextureMappingRecord& mapping,
                                    bool recordUndo) {
    if (!m_mesh || m_mesh->GetVertexSize() != sizeof(MeshVertex)) {
        return;
    }
    std::optional<MaterialSnapshot> before;
    if (recordUndo) {
        before = TakeMaterialSnapshot(index);
    }
    const std::vector<uint32_t> run = GetMappedVertices(index);
    const TextureMappingRecord& current = m_mappingRecords[index];
    const std::span<MeshVertex> vertices = m_mesh->EditVerticesAs<MeshVertex>();
    for (uint32_t i : run) {
        Remap(vertices[i].u, vertices[i].v, current, mapping);
    }
    m_mappingRecords[index] = mapping;
    if (before) {
        PushMaterialUndo(GetType(), index, std::move(*before));
    }
}

gfx::ResourceRef<gfx::Texture> C3DObject::MakeGreyTexture(
    const std::vector<uint8_t>& bitmap) const {
    const std::vector<uint8_t> grey = MakeGreyBitmap(bitmap);
    gfx::Texture* texture = nullptr;
    if (grey.empty() || gfx::Failed(gfx::CreateTextureFromFileInMemory(
                            m_device, grey.data(), grey.size(), {}, &texture))) {
        return {};
    }
    return gfx::ResourceRef<gfx::Texture>::Adopt(texture);
}

void C3DObject::CreateBumpTexture(gfx::Texture* source, gfx::ResourceRef<gfx::Texture>* normalMap,
                                  gfx::ResourceRef<gfx::Texture>* grey) const {
    std::vector<uint8_t> bitmap;
    if (source == nullptr || gfx::Failed(gfx::SaveTextureToBmp(source, &bitmap))) {
        return;
    }
    *grey = MakeGreyTexture(bitmap);
    if (!*grey) {
        return;
    }
    normalMap->Reset();
    gfx::Texture* created = nullptr;
    gfx::Device* device = grey->Get()->GetDevice();
    if (device != nullptr && gfx::Succeeded(device->CreateTexture(
                                 grey->Get()->GetWidth(0), grey->Get()->GetHeight(0), 0, 0,
                                 gfx::Format::A8R8G8B8, gfx::Pool::Managed, &created))) {
        *normalMap = gfx::ResourceRef<gfx::Texture>::Adopt(created);
    }
}

bool C3DObject::CloneMeshToDevice(gfx::Device* device, std::unique_ptr<gfx::Mesh>* mesh) {
    std::unique_ptr<gfx::Mesh> clone;
    if (gfx::Failed((*mesh)->Clone((*mesh)->GetOptions(), (*mesh)->GetFvf(), device, &clone))) {
        ShowMessage("Create Mesh Error!", PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    *mesh = std::move(clone);
    return true;
}

std::array<gfx::ColorValue, 4> C3DObject::GetColourBlocks() const {
    return {m_objectMaterial.ambient, m_objectMaterial.diffuse, m_objectMaterial.specular,
            m_objectMaterial.emissive};
}

void C3DObject::SetColourBlocks(const std::array<gfx::ColorValue, 4>& blocks) {
    m_objectMaterial.ambient = blocks[0];
    m_objectMaterial.diffuse = blocks[1];
    m_objectMaterial.specular = blocks[2];
    m_objectMaterial.emissive = blocks[3];
}

void C3DObject::CopyMaterialsFrom(const C3DObject& source) {
    if (source.m_materialCount == 0) {
        return;
    }
    m_materials = source.m_materials;
    m_sourceMaterials = source.m_sourceMaterials;
    m_mappingRecords = source.m_mappingRecords;
    m_textures = source.m_textures;
    m_sourceTextures = source.m_sourceTextures;
    m_bumpTextures.clear();
    for (const gfx::ResourceRef<gfx::Texture>& bump : source.m_bumpTextures) {
        gfx::Texture* copy =
            bump ? gfx::CloneTexture(bump.Get()->GetDevice(), bump.Get()) : nullptr;
        m_bumpTextures.push_back(gfx::ResourceRef<gfx::Texture>::Adopt(copy));
    }
    // The source's own textures are duplicated; the scene's stay shared.
    for (const std::unique_ptr<TextureCacheEntry>& entry : source.m_textureCache.GetEntries()) {
        auto copy = std::make_unique<TextureCacheEntry>(*entry);
        gfx::Texture* duplicate = copy->GetTexture();
        for (auto* slots : {&m_textures, &m_sourceTextures}) {
            std::replace(slots->begin(), slots->end(), entry->GetTexture(), duplicate);
        }
        m_textureCache.AppendEntry(std::move(copy));
    }
}

void C3DObject::ResetDevice(gfx::Device* device, std::vector<TextureMove>& moves) {
    for (std::unique_ptr<gfx::Mesh>* mesh : {&m_mesh, &m_secondMesh}) {
        if (*mesh) {
            CloneMeshToDevice(device, mesh);
        }
    }
    for (int i = 0; i < m_materialCount; ++i) {
        MoveTextureToDevice(device, m_textures[i], moves);
        MoveTextureToDevice(device, m_sourceTextures[i], moves);
        if (m_bumpTextures[i]) {
            m_bumpTextures[i] = gfx::ResourceRef<gfx::Texture>::Share(
                FindOrCloneTexture(device, m_bumpTextures[i].Get(), moves));
        }
    }
    m_device = device;
}

void C3DObject::MoveTextureToDevice(gfx::Device* device, gfx::Texture*& slot,
                                    std::vector<TextureMove>& moves) {
    if (slot != nullptr) {
        slot = FindOrCloneTexture(device, slot, moves);
    }
}

gfx::Texture* C3DObject::FindOrCloneTexture(gfx::Device* device, gfx::Texture* old,
                                            std::vector<TextureMove>& moves) {
    const auto moved = std::find_if(moves.begin(), moves.end(),
                                    [old](const TextureMove& m) { return m.oldTexture == old; });
    if (moved != moves.end()) {
        return moved->newTexture.Get();
    }
    TextureMove move;
    move.oldTexture = old;
    move.newTexture = gfx::ResourceRef<gfx::Texture>::Adopt(gfx::CloneTexture(device, old));
    move.oldReference = ReplaceSceneTexture(old, move.newTexture.Get());
    gfx::Texture* replacement = move.newTexture.Get();
    moves.push_back(std::move(move));
    return replacement;
}

gfx::ResourceRef<gfx::Texture> C3DObject::ReplaceSceneTexture(gfx::Texture* old,
                                                              gfx::Texture* replacement) {
    CTextureCache* caches[2] = {
        g_pCurrentScene != nullptr ? &g_pCurrentScene->GetTextureCache() : nullptr,
        &m_textureCache};
    for (CTextureCache* cache : caches) {
        if (cache == nullptr || cache->FindEntry(old) == nullptr) {
            continue;
        }
        if (replacement != nullptr) {
            replacement->AddRef();
        }
        cache->ReplaceTexture(old, replacement);
        return gfx::ResourceRef<gfx::Texture>::Adopt(old);
    }
    return {};
}

std::string C3DObject::GetTextureFolder() const {
    return GetDocumentServices().GetTextureFolder();
}
