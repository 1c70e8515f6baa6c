#include <memory>

#include "document/DesignScene.h"
#include "document/TileTexturePlan.h"
#include "foundation/OperationProgress.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/TextureLoader.h"
#include "platform/image/Image.h"

namespace {

// Reading, resampling with the grout, and writing the picture.
constexpr int kTileSteps = 3;

// The picture drawn at its tile size with the grout along its right and
// bottom edges, as a BMP file image; empty when it cannot be made.
std::vector<uint8_t> DrawTileWithSeam(const std::vector<uint8_t>& fileImage,
                                      const TextureMappingRecord& tile, const TileTexturePlan& plan,
                                      IOperationProgress* progress) {
    const auto step = [progress] {
        if (progress != nullptr) {
            progress->StepIt();
        }
    };
    image::CImage picture;
    const image::ImageFormat format = IsBitmapHeader(fileImage.data(), fileImage.size())
                                          ? image::ImageFormat::Bmp
                                          : image::ImageFormat::Tga;
    if (!picture.Decode(fileImage.data(), fileImage.size(), format)) {
        return {};
    }
    step();
    const auto colour = static_cast<uint32_t>(tile.seam.seamColor);
    const image::Color grout{static_cast<uint8_t>(colour & 0xFF),
                             static_cast<uint8_t>((colour >> 8) & 0xFF),
                             static_cast<uint8_t>((colour >> 16) & 0xFF), 255};
    if (!picture.Resample(plan.tileWidth, plan.tileHeight, image::Interpolation::NearestPixel) ||
        !picture.Expand(0, 0, plan.seamRight, plan.seamBottom, grout)) {
        return {};
    }
    step();
    std::vector<uint8_t> encoded =
        picture.Encode(image::ImageFormat::Bmp).value_or(std::vector<uint8_t>{});
    step();
    return encoded;
}

}  // namespace

HRESULT CDesignScene::CreateTileTexture(const std::vector<uint8_t>& fileImage,
                                        const std::string& name, int colorKey,
                                        gfx::Texture** texture, const TextureMappingRecord* tile) {
    gfx::Device* device = TargetDevice();
    if (device == nullptr) {
        return E_FAIL;
    }
    gfx::Caps caps;
    device->GetDeviceCaps(&caps);
    const TileTexturePlan plan = PlanTileTexture(tile, caps.maxTextureWidth, caps.maxTextureHeight);
    std::vector<uint8_t> seamed;
    switch (plan.kind) {
        case TileTexturePlan::Kind::AsStored:
            break;
        case TileTexturePlan::Kind::InvalidSize:
            ShowMessage(FormatString("拼貼尺寸無效, 無法製作材質：%s", name.c_str()),
                        PromptButtons::Ok, PromptIcon::Warning);
            return kTileSizeRefused;
        case TileTexturePlan::Kind::TooLarge:
            ShowMessage("拼貼尺寸過大, 改以原圖作為材質.", PromptButtons::Ok, PromptIcon::Warning);
            break;
        case TileTexturePlan::Kind::Seamed: {
            std::unique_ptr<IOperationProgress> progress;
            if (plan.showProgress) {
                progress = OpenProgressWindow({"計算中, 請稍候 ...", kTileSteps, 1, false});
            }
            seamed = DrawTileWithSeam(fileImage, *tile, plan, progress.get());
            if (seamed.empty()) {
                return E_FAIL;
            }
            break;
        }
    }
    const std::vector<uint8_t>& bytes = seamed.empty() ? fileImage : seamed;
    gfx::TextureLoadOptions options;
    if (colorKey != 0) {
        // Opaque black becomes transparent, and one level is made.
        options.mipLevels = 1;
        options.colorKey = 0xFF000000;
    }
    gfx::Texture* created = nullptr;
    if (gfx::Failed(gfx::CreateTextureFromFileInMemory(device, bytes.data(), bytes.size(), options,
                                                       &created))) {
        return E_FAIL;
    }
    m_textureCache.Add(name, colorKey, 0, created, tile != nullptr ? &tile->seam : nullptr);
    *texture = created;
    return S_OK;
}
