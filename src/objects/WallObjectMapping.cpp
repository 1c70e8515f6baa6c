#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "foundation/GeometryMath.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "objects/MaterialFileReader.h"
#include "objects/SceneServices.h"
#include "objects/TextureCache.h"
#include "objects/WallObject.h"
#include "platform/gfx/TextureBmp.h"

namespace {

// A mapping's tile as laid on the face: the tile with its seam, and the
// aspect that keeps a rotated texture's tiles square to the face.
struct TileLayout {
    float width = 0.0f;
    float height = 0.0f;
    float aspect = 1.0f;
    bool tiled = false;  // tile flag set and both sides nonzero
};

TileLayout GetTileLayout(const TextureMappingRecord& record) {
    TileLayout tile;
    const bool seamed = record.seam.seamFlag != 0 && record.tileFlag != 0;
    tile.width = record.tileWidth + (seamed ? record.seam.seamWidth : 0.0f);
    tile.height = record.tileHeight + (seamed ? record.seam.seamHeight : 0.0f);
    tile.tiled = record.tileFlag != 0 && tile.width != 0.0f && tile.height != 0.0f;
    if (tile.tiled) {
        tile.aspect = tile.width / tile.height;
    }
    return tile;
}

float Radians(float degrees) {
    return degrees * 0.0055555557f * static_cast<float>(kPi);
}

void Rotate(float& u, float& v, float angle, float aspect) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float ru = u * c + v * s / aspect;
    const float rv = v * c - aspect * u * s;
    u = ru;
    v = rv;
}

// How far along a part's size a length of the tile reaches; 0 on a part of
// no size, which has no tiles to count.
float Across(float tile, float value, float size) {
    return size != 0.0f ? tile * value / size : 0.0f;
}

// Takes (u, v) from the state of mapping `from` (laid out as `was`) back to
// the built coordinates and on into the state of mapping `to` (laid out as
// `will`), on a part of size width by height.
void Remap(float& u, float& v, const TextureMappingRecord& from, const TileLayout& was,
           const TextureMappingRecord& to, const TileLayout& will, float width, float height) {
    if (from.flipU != 0) {
        u = 1.0f - u;
    }
    if (from.flipV != 0) {
        v = 1.0f - v;
    }
    if (from.rotation != 0.0f) {
        Rotate(u, v, -Radians(from.rotation), was.aspect);
    }
    u -= from.offsetU;
    v -= from.offsetV;
    if (from.tileFlag != 0) {
        u = Across(was.width, u, width);
        v = Across(was.height, v, height);
    }
    if (will.tiled) {
        u = width * u / will.width;
        v = height * v / will.height;
    }
    u += to.offsetU;
    v += to.offsetV;
    if (to.rotation != 0.0f) {
        Rotate(u, v, Radians(to.rotation), will.aspect);
    }
    if (to.flipU != 0) {
        u = 1.0f - u;
    }
    if (to.flipV != 0) {
        v = 1.0f - v;
    }
}

// The seam as it changes the picture: its sizes count only while it is on.
bool SameTileTexture(const TextureMappingRecord& a, const TextureMappingRecord& b) {
    auto seamWidth = [](const TextureMappingRecord& r) {
        return r.seam.seamFlag != 0 ? r.seam.seamWidth : 0.0f;
    };
    auto seamHeight = [](const TextureMappingRecord& r) {
        return r.seam.seamFlag != 0 ? r.seam.seamHeight : 0.0f;
    };
    return seamWidth(a) == seamWidth(b) && seamHeight(a) == seamHeight(b) &&
           a.seam.seamColor == b.seam.seamColor && a.tileWidth == b.tileWidth &&
           a.tileHeight == b.tileHeight && a.tileFlag == b.tileFlag;
}

// A mapping that neither flips, turns, shifts nor tiles leaves the built
// coordinates as they are.
bool LeavesCoordinates(const TextureMappingRecord& record) {
    return record.flipU == 0 && record.flipV == 0 && record.rotation == 0.0f &&
           record.offsetU == 0.0f && record.offsetV == 0.0f && record.tileFlag == 0;
}

}  // namespace

void CWallObject::ApplyTextureMapping(int part, const TextureMappingRecord& mapping,
                                      bool recordUndo) {
    if (!m_mesh || part < 0 || part >= m_materialCount) {
        return;
    }
    float width = 0.0f;
    float height = 0.0f;
    GetPartTextureSize(part, &width, &height);
    std::optional<MaterialSnapshot> before;
    if (recordUndo) {
        before = TakeMaterialSnapshot(part);
    }
    const TextureMappingRecord current = m_mappingRecords[static_cast<std::size_t>(part)];
    // Reading a design applies a plain mapping over a plain one to every
    // part: nothing moves then.
    if (!LeavesCoordinates(current) || !LeavesCoordinates(mapping)) {
        const TileLayout was = GetTileLayout(current);
        const TileLayout will = GetTileLayout(mapping);
        const std::span<MeshVertex> vertices = m_mesh->EditVerticesAs<MeshVertex>();
        const std::size_t count = std::min(vertices.size(), m_vertexTextureRecords.size());
        for (std::size_t i = 0; i < count; ++i) {
            VertexTextureRecord& record = m_vertexTextureRecords[i];
            if (record.part != part) {
                continue;
            }
            float u = vertices[i].u;
            float v = vertices[i].v;
            Remap(u, v, current, was, mapping, will, width, height);
            vertices[i].u = record.u = u;
            vertices[i].v = record.v = v;
        }
    }

    if ((!SameTileTexture(mapping, current) || mapping.tileFlag == 0) &&
        (mapping.seam.seamFlag != 0 || current.seam.seamFlag != 0)) {
        RefreshTileTexture(part, mapping);
    }

    TextureMappingRecord stored = mapping;
    stored.tileFlag = GetTileLayout(mapping).tiled ? 1 : 0;
    m_mappingRecords[static_cast<std::size_t>(part)] = stored;
    if (before) {
        PushMaterialUndo(GetType(), part, std::move(*before));
    }
}

void CWallObject::RefreshTileTexture(int part, const TextureMappingRecord& mapping) {
    std::string name;
    GetTextureName(part, name);
    if (name.empty() || g_pCurrentScene == nullptr) {
        return;
    }
    gfx::Texture*& slot = m_textures[static_cast<std::size_t>(part)];
    const std::string key = GetPathFileName(name);
    gfx::Texture* cached = g_pCurrentScene->GetTextureCache().Find(
        key, GetMaterialFileDataSize(name), m_blend, nullptr);
    if (cached != nullptr && mapping.tileFlag != 0) {
        std::vector<uint8_t> image;
        gfx::Texture* tiled = nullptr;
        const HRESULT made =
            gfx::Failed(gfx::SaveTextureToBmp(cached, &image))
                ? E_FAIL
                : g_pCurrentScene->CreateTileTexture(image, key, m_blend, &tiled, &mapping);
        if (made == kTileSizeRefused) {
            return;
        }
        if (FAILED(made)) {
            ShowMessage("因記憶體不足, 無法執行此功能, 請立即存檔後重新開啟本軟體!",
                        PromptButtons::Ok, PromptIcon::Warning);
            return;
        }
        slot = tiled;
        return;
    }
    if (cached != nullptr) {
        slot = cached;
        return;
    }
    gfx::Texture* loaded = nullptr;
    if (SUCCEEDED(g_pCurrentScene->GetTexture(name, m_blend, &loaded,
                                              mapping.tileFlag != 0 ? &mapping : nullptr))) {
        slot = loaded;
    }
}
