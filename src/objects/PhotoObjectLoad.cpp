#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/FileTypes.h"
#include "foundation/GeometryMath.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "objects/MaterialFileReader.h"
#include "objects/PhotoObject.h"
#include "platform/fs/RegularFile.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/TextureLoader.h"
#include "platform/image/Image.h"
#include "platform/image/ImageFormat.h"
#include "platform/image/MagickCodec.h"

namespace {

// Exactly opaque black is the see-through colour of blended pictures.
constexpr gfx::Color kBlendColourKey = 0xFF000000;

// The bytes of a picture and its size in pixels; empty when the file cannot
// be read or its bytes do not decode.
struct PictureBytes {
    std::string data;
    int width = 0;
    int height = 0;
};

// The size a picture declares, without decoding it where the format allows.
bool ReadPictureSize(const uint8_t* data, std::size_t length, image::ImageFormat format, int& width,
                     int& height) {
    switch (format) {
        case image::ImageFormat::Unknown:
            return false;
        case image::ImageFormat::J2k:
        case image::ImageFormat::Jp2:
        case image::ImageFormat::Jpc: {
            image::CImage decoded;
            if (!decoded.Decode(data, length, format)) {
                return false;
            }
            width = decoded.GetWidth();
            height = decoded.GetHeight();
            return true;
        }
        default: {
            std::string error;
            return image::PingWithMagick(data, length, format, width, height, error);
        }
    }
}

PictureBytes ReadPicture(const std::string& path) {
    PictureBytes picture;
    if (GetFileTypeByExtension(path) == kFileTypeMaterial) {
        MaterialFileRecord record;
        if (LoadMaterialFile(path, record, kMaterialFileQvp, false) && !record.data.empty()) {
            picture.data.assign(record.data.begin(), record.data.end());
            // The sizes come from the file: NaN and huge values must not
            // reach a plain conversion.
            picture.width = TruncateToInt(record.width);
            picture.height = TruncateToInt(record.height);
        }
        return picture;
    }
    auto content = pfs::ReadWholeFile(path, pfs::kImageFileLimit);
    if (!content) {
        return picture;
    }
    const std::string& bytes = content.Value();
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    // Pictures without a signature (TGA) are known by their extension.
    image::ImageFormat format = image::SniffImageFormat(data, bytes.size());
    if (format == image::ImageFormat::Unknown) {
        format = image::GetImageFormatByExtension(path);
    }
    if (!ReadPictureSize(data, bytes.size(), format, picture.width, picture.height)) {
        picture.width = 0;
        picture.height = 0;
        return picture;
    }
    picture.data = bytes;
    return picture;
}

}  // namespace

LoadedPicture CPhotoObject::LoadTexture(gfx::Device* device, int part, const std::string& path) {
    LoadedPicture loaded;
    gfx::Texture* texture = nullptr;
    const PictureBytes picture = ReadPicture(path);
    if (!picture.data.empty()) {
        loaded.width = picture.width;
        loaded.height = picture.height;
        const std::string key = GetTextureKey(path);
        const auto length = static_cast<int32_t>(picture.data.size());
        texture = m_textureCache.Find(key, length, m_blend, nullptr);
        if (texture == nullptr) {
            gfx::TextureLoadOptions options;
            if (m_blend != 0) {
                options.mipLevels = 1;
                options.colorKey = kBlendColourKey;
            }
            if (device != nullptr &&
                gfx::Succeeded(gfx::CreateTextureFromFileInMemory(
                    device, reinterpret_cast<const uint8_t*>(picture.data.data()),
                    picture.data.size(), options, &texture))) {
                m_textureCache.Add(key, length, m_blend, texture, nullptr);
            } else {
                texture = nullptr;
            }
        }
    }
    if (texture == nullptr) {
        ShowMessage(FormatString("找不到材質檔：%s", path.c_str()), PromptButtons::Ok,
                    PromptIcon::Warning);
    }
    if (part >= 0 && part < m_materialCount) {
        m_textures[part] = texture;
    }
    m_sourceTextures = m_textures;
    m_sourceTextureNames = m_textureNames;
    loaded.textured = texture != nullptr;
    return loaded;
}
