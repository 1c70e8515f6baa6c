#include <optional>

#include "document/DesignScene.h"
#include "document/DocumentFileSearch.h"
#include "foundation/FileOperations.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/3DObject.h"
#include "objects/MaterialFileReader.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/PlaneMath.h"
#include "platform/gfx/VectorMath.h"

HRESULT CDesignScene::GetTexture(const std::string& path, int colorKey, gfx::Texture** texture,
                                 const TextureMappingRecord* tile) {
    if (!FileExists(path)) {
        return E_FAIL;
    }
    const std::optional<int> kind = MaterialFileKindOf(path);
    if (!kind) {
        return E_FAIL;
    }
    MaterialFileRecord record;
    if (!LoadMaterialFile(path, record, *kind, false) || record.data.empty()) {
        return E_FAIL;
    }
    const std::string name = GetPathFileName(path);
    const TextureSeamBlock* seam = tile != nullptr ? &tile->seam : nullptr;
    if (gfx::Texture* cached = m_textureCache.Find(name, colorKey, 0, seam)) {
        *texture = cached;
        return S_OK;
    }
    return CreateTileTexture(record.data, name, colorKey, texture, tile);
}

gfx::Texture* CDesignScene::GetTextureOrWarn(const std::string& path, int colorKey,
                                             const TextureMappingRecord* tile) {
    gfx::Texture* texture = nullptr;
    const HRESULT result = GetTexture(path, colorKey, &texture, tile);
    if (result == kTileSizeRefused) {
        return nullptr;
    }
    if (FAILED(result)) {
        ShowMessage(FormatString("找不到材質檔：%s", path.c_str()), PromptButtons::Ok,
                    PromptIcon::Warning);
        return nullptr;
    }
    return texture;
}

std::string CDesignScene::ResolveTexturePath(const gfx::Texture* texture,
                                             std::string_view folder) const {
    std::string path = m_textureCache.GetName(texture);
    LocateFileInTree(path, folder);
    return path;
}

bool CDesignScene::IsBoxOutsidePlaneAndSphere(const C3DObject& object, const gfx::Plane& plane,
                                              const gfx::Matrix& reflection,
                                              const gfx::Vector3& eye) const {
    if (plane.a == 0.0f && plane.b == 0.0f && plane.c == 0.0f && plane.d == 0.0f) {
        return true;
    }
    std::array<gfx::Vector3, 8> corners = gfx::BoxCorners(object.GetBoxMin(), object.GetBoxMax());
    for (gfx::Vector3& corner : corners) {
        corner = gfx::Vec3TransformCoord(corner, object.GetWorldMatrix());
    }
    const float eyeSide = gfx::PlaneDotCoord(plane, eye);
    bool allBehind = true;
    for (const gfx::Vector3& corner : corners) {
        allBehind = allBehind && gfx::PlaneDotCoord(plane, corner) * eyeSide < 0.0f;
    }
    if (allBehind) {
        return true;
    }
    for (const gfx::Vector3& corner : corners) {
        const gfx::Vector3 image = gfx::Vec3TransformCoord(corner, reflection);
        if (gfx::Vec3Length(corner - eye) - gfx::Vec3Length(image - eye) >
            static_cast<float>(m_mirrorTolerance)) {
            return true;
        }
    }
    return false;
}
