#include "objects/ModelPackage.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>

#include "foundation/ApplicationValues.h"
#include "foundation/BinaryReader.h"
#include "platform/fs/RegularFile.h"
#include "platform/fs/PathLookup.h"

namespace {

constexpr int kMagicLength = 5;
// The fifth magic byte of files whose mesh, texture and symbol bytes are
// stored plain.
constexpr char kPlainMark = 'k';
constexpr std::uint32_t kNameLength = 51;
constexpr std::uint32_t kModelNumberLength = 30;
constexpr std::uint32_t kVendorLength = 50;
constexpr std::uint32_t kDescriptionLength = 196;
constexpr int kReservedLength = 100;
constexpr std::uint32_t kTextureNameLength = 20;
constexpr std::uint32_t kSymbolNameLength = 20;
constexpr std::int64_t kEdgeRecordSize = 36;
// A texture entry of this name prefix refers to an earlier entry's bytes.
constexpr std::string_view kReferencePrefix = "@@";
constexpr const char* kDefaultSymbol = "2Dicon\\squrt.dxf";
constexpr const char* kDefaultSymbolName = "squrt.dxf";

OutlineRecord ReadEdgeRecord(CBinaryReader& reader) {
    OutlineRecord record;
    for (gfx::Vector3* v : {&record.pointA, &record.pointB, &record.facing}) {
        v->x = reader.ReadFloat();
        v->y = reader.ReadFloat();
        v->z = reader.ReadFloat();
    }
    return record;
}

}  // namespace

CModelPackage::CModelPackage(const std::string& path, int mode) {
    Load(path, mode);
}

void CModelPackage::Clear() {
    *this = CModelPackage();
}

int CModelPackage::Load(const std::string& path, int mode) {
    Clear();
    if (!std::filesystem::path(path).is_absolute()) {
        return 0;
    }
    const std::optional<std::filesystem::path> resolved = pfs::ResolvePathCaseInsensitive(path);
    if (!resolved || !std::filesystem::is_regular_file(*resolved)) {
        return 0;
    }
    CBinaryReader reader(resolved->string());
    if (reader.GetFile() == nullptr) {
        return 0;
    }
    const auto refuse = [this] {
        Clear();
        return 0;
    };

    std::array<char, kMagicLength> magic{};
    reader.ReadBytes(magic.data(), kMagicLength);
    const bool plain = magic[kMagicLength - 1] == kPlainMark;
    m_version = reader.ReadByte();
    const std::int32_t meshLength = reader.ReadInt();
    if (m_version >= 4) {
        reader.ReadChars(m_name, kNameLength);
    }
    if (m_version >= 7) {
        reader.ReadChars(m_modelNumber, kModelNumberLength);
        reader.ReadChars(m_vendor, kVendorLength);
        reader.ReadChars(m_description, kDescriptionLength);
        m_price = reader.ReadFloat();
    }
    if (m_version >= 9) {
        reader.ReadString(m_webLink);
        std::array<char, kReservedLength> reserved{};
        reader.ReadBytes(reserved.data(), kReservedLength);
    }
    if (m_version >= 2) {
        reader.ReadByte();  // the preview's key
        const std::int32_t previewLength = reader.ReadInt();
        if (previewLength > 0) {
            std::vector<std::uint8_t> preview;
            if (FAILED(reader.ReadBlock(preview, previewLength))) {
                return refuse();
            }
            // The previews of versions 2 and 3 are always scrambled.
            if (mode != kPackageReadMesh && m_version >= 4) {
                m_preview = std::move(preview);
            }
        }
    }
    if (reader.HasError()) {
        return refuse();
    }
    if (mode == kPackageReadHeader) {
        return 1;
    }

    if (!plain) {
        return refuse();
    }
    reader.ReadByte();  // the mesh's key
    if (FAILED(reader.ReadBlock(m_mesh, meshLength))) {
        return refuse();
    }

    const std::int32_t textureCount = reader.ReadInt();
    for (std::int32_t i = 0; i < textureCount && !reader.HasError(); ++i) {
        PackagedTexture texture;
        reader.ReadChars(texture.name, kTextureNameLength);
        const std::int32_t length = reader.ReadInt();
        if (m_version >= 8 && texture.name.starts_with(kReferencePrefix)) {
            texture.name.erase(0, kReferencePrefix.size());
            const auto earlier =
                std::find_if(m_textures.begin(), m_textures.end(), [&](const PackagedTexture& t) {
                    return t.name == texture.name &&
                           t.data.size() == static_cast<std::size_t>(length);
                });
            // A reference to no earlier entry (its name was cut) carries no
            // image.
            if (earlier != m_textures.end()) {
                texture.data = earlier->data;
            }
        } else {
            reader.ReadByte();  // the texture's key
            if (FAILED(reader.ReadBlock(texture.data, length))) {
                return refuse();
            }
        }
        m_textures.push_back(std::move(texture));
    }
    if (reader.HasError()) {
        return refuse();
    }
    if (mode == kPackageReadMesh) {
        return 1;
    }

    if (m_version >= 3) {
        reader.ReadChars(m_symbolName, kSymbolNameLength);
        reader.ReadByte();  // the symbol's key
        const std::int32_t symbolLength = reader.ReadInt();
        if (FAILED(reader.ReadBlock(m_symbol, symbolLength))) {
            return refuse();
        }
        if (symbolLength == 0 && !GetProgramFolder().empty()) {
            pfs::Result<std::string> content =
                pfs::ReadWholeFile(GetProgramFilePath(kDefaultSymbol), pfs::kSymbolFileLimit);
            if (content) {
                m_symbolName = kDefaultSymbolName;
                m_symbol.assign(content.Value().begin(), content.Value().end());
            }
        }
    }
    if (m_version >= 5) {
        const std::int32_t edgeCount = reader.ReadInt();
        if (edgeCount < 0 || edgeCount * kEdgeRecordSize > reader.BytesLeft()) {
            return refuse();
        }
        m_edges.reserve(static_cast<std::size_t>(edgeCount));
        for (std::int32_t i = 0; i < edgeCount; ++i) {
            m_edges.push_back(ReadEdgeRecord(reader));
        }
    }
    if (reader.HasError()) {
        return refuse();
    }
    return 1;
}
