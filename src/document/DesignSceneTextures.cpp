#include <cmath>
#include <optional>

#include "document/DesignScene.h"
#include "foundation/FileOperations.h"
#include "foundation/PathUtils.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/3DObject.h"
#include "objects/MaterialFileReader.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/PlaneMath.h"
#include "platform/gfx/TextureLoader.h"
#include "platform/gfx/VectorMath.h"
#include "platform/image/Image.h"

namespace {

// Tiles are laid at ten pixels a centimetre.
constexpr float kPixelsPerCentimetre = 10.0f;

// The image drawn at its tile size with the seam's grout along its right
// and bottom edges, as a BMP file image; empty when it cannot be made.
std::vector<uint8_t> DrawTileWithSeam(const std::vector<uint8_t>& fileImage,
                                      const TextureMappingRecord& tile) {
    const float seamWidth = tile.seam.seamFlag != 0 ? tile.seam.seamWidth : 0.0f;
    const float seamHeight = tile.seam.seamFlag != 0 ? tile.seam.seamHeight : 0.0f;
    image::CImage picture;
    const auto colour = static_cast<uint32_t>(tile.seam.seamColor);
    const image::Color grout{static_cast<uint8_t>(colour & 0xFF),
                             static_cast<uint8_t>((colour >> 8) & 0xFF),
                             static_cast<uint8_t>((colour >> 16) & 0xFF), 255};
    const int width = static_cast<int>(std::lround(kPixelsPerCentimetre * tile.tileWidth));
    const int height = static_cast<int>(std::lround(kPixelsPerCentimetre * tile.tileHeight));
    if (!picture.Decode(fileImage.data(), fileImage.size(),
                        image::SniffStoredImageFormat(fileImage.data(), fileImage.size())) ||
        width <= 0 || height <= 0 ||
        !picture.Resample(width, height, image::Interpolation::NearestPixel) ||
        !picture.Expand(0, 0, static_cast<int>(std::lround(kPixelsPerCentimetre * seamWidth)),
                        static_cast<int>(std::lround(kPixelsPerCentimetre * seamHeight)), grout)) {
        return {};
    }
    return picture.Encode(image::ImageFormat::Bmp).value_or(std::vector<uint8_t>{});
}

}  // namespace

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

HRESULT CDesignScene::CreateTileTexture(const std::vector<uint8_t>& fileImage,
                                        const std::string& name, int colorKey,
                                        gfx::Texture** texture, const TextureMappingRecord* tile) {
    std::vector<uint8_t> tiled;
    if (tile != nullptr && tile->seam.seamFlag != 0 &&
        (tile->seam.seamWidth > 0.0f || tile->seam.seamHeight > 0.0f)) {
        tiled = DrawTileWithSeam(fileImage, *tile);
        if (tiled.empty()) {
            return E_FAIL;
        }
    }
    const std::vector<uint8_t>& bytes = tiled.empty() ? fileImage : tiled;
    gfx::TextureLoadOptions options;
    if (colorKey != 0) {
        // Opaque black becomes transparent, and one level is made.
        options.mipLevels = 1;
        options.colorKey = 0xFF000000;
    }
    gfx::Device* device = TargetDevice();
    gfx::Texture* created = nullptr;
    if (device == nullptr || gfx::Failed(gfx::CreateTextureFromFileInMemory(
                                 device, bytes.data(), bytes.size(), options, &created))) {
        return E_FAIL;
    }
    m_textureCache.Add(name, colorKey, 0, created, tile != nullptr ? &tile->seam : nullptr);
    *texture = created;
    return S_OK;
}

gfx::Texture* CDesignScene::GetTextureOrWarn(const std::string& path, int colorKey,
                                             const TextureMappingRecord* tile) {
    gfx::Texture* texture = nullptr;
    if (FAILED(GetTexture(path, colorKey, &texture, tile))) {
        ShowMessage(FormatString("找不到材質檔：%s", path.c_str()), PromptButtons::Ok,
                    PromptIcon::Warning);
        return nullptr;
    }
    return texture;
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
