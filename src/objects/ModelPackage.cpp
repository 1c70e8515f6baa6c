#include "objects/ModelPackage.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <new>
#include <optional>
#include <unordered_map>

#include "foundation/ApplicationValues.h"
#include "foundation/BinaryReader.h"
#include "platform/fs/PathLookup.h"
#include "platform/fs/RegularFile.h"

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
// The smallest texture entry in a file: a reference, its name and length.
constexpr std::int64_t kReferenceEntrySize = kTextureNameLength + 4;
// What reading a file may allocate, counted as it is read: its own bytes
// (mesh, preview, images, symbol, outline records, texts) once, and the list
// of texture entries, whose records take two to three times the 24 bytes of
// a reference in the file. A model, whose images are far larger than their
// bookkeeping, comes nowhere near this bound; the fixed allowance keeps small
// files clear of it whatever they hold.
constexpr std::uint64_t kMemoryPerFileByte = 4;
constexpr std::uint64_t kMemorySlack = 1u << 20;
// The shared block of an image and its entry in the lookup by name, about.
constexpr std::uint64_t kImageBookkeeping = 128;

constexpr const char* kMissingMessage = "找不到模型檔。";
constexpr const char* kDamagedMessage = "模型檔已損壞，無法讀取。";
constexpr const char* kScrambledMessage = "模型檔的內容經過編碼，無法讀取。";
constexpr const char* kTooLargeMessage = "模型檔要求的記憶體遠超過檔案本身的大小，已拒絕讀取。";
constexpr const char* kOutOfMemoryMessage = "記憶體不足，無法讀取模型檔。";
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

// A reference finds the earliest entry of its name and byte count.
struct TextureKey {
    std::string name;
    std::size_t size = 0;

    bool operator==(const TextureKey&) const = default;
};

struct TextureKeyHash {
    std::size_t operator()(const TextureKey& key) const {
        return std::hash<std::string>()(key.name) ^ (std::hash<std::size_t>()(key.size) << 1);
    }
};

// Counts what a file makes the reader allocate against what its size allows.
class MemoryBudget {
public:
    explicit MemoryBudget(std::int64_t fileSize)
        : m_left(kMemoryPerFileByte *
                     static_cast<std::uint64_t>(std::max<std::int64_t>(fileSize, 0)) +
                 kMemorySlack) {}

    // False once the total passes the allowance.
    bool Take(std::uint64_t bytes) {
        if (bytes > m_left) {
            m_left = 0;
            return false;
        }
        m_left -= bytes;
        return true;
    }

private:
    std::uint64_t m_left;
};

}  // namespace

const std::vector<std::uint8_t>& PackagedTexture::Data() const {
    static const std::vector<std::uint8_t> kNoBytes;
    return bytes ? *bytes : kNoBytes;
}

CModelPackage::CModelPackage(const std::string& path, int mode) {
    Load(path, mode);
}

void CModelPackage::Clear() {
    *this = CModelPackage();
}

int CModelPackage::Load(const std::string& path, int mode) {
    Clear();
    try {
        return Read(path, mode) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        Refuse(kOutOfMemoryMessage);
        return 0;
    }
}

bool CModelPackage::Refuse(const char* message) {
    Clear();
    m_lastError = message;
    return false;
}

bool CModelPackage::Read(const std::string& path, int mode) {
    if (!std::filesystem::path(path).is_absolute()) {
        return Refuse(kMissingMessage);
    }
    std::optional<CBinaryReader> opened(std::in_place, path);
    if (opened->GetFile() == nullptr) {
        // Only a path that does not open as it is spelt is looked up in other
        // letter case: a scan opens thousands of files that all exist.
        const std::optional<std::filesystem::path> resolved = pfs::ResolvePathCaseInsensitive(path);
        if (!resolved || resolved->string() == path) {
            return Refuse(kMissingMessage);
        }
        opened.emplace(resolved->string());
        if (opened->GetFile() == nullptr) {
            return Refuse(kMissingMessage);
        }
    }
    CBinaryReader& reader = *opened;
    MemoryBudget budget(reader.BytesLeft());
    // Reads a block of the file and counts it; the refusal's message, or
    // null when the block was read.
    const auto readBlock = [&reader, &budget](auto& out, std::int32_t length) -> const char* {
        if (FAILED(reader.ReadBlock(out, length))) {
            return kDamagedMessage;
        }
        return budget.Take(out.size()) ? nullptr : kTooLargeMessage;
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
        if (!budget.Take(m_webLink.size())) {
            return Refuse(kTooLargeMessage);
        }
        std::array<char, kReservedLength> reserved{};
        reader.ReadBytes(reserved.data(), kReservedLength);
    }
    if (m_version >= 2) {
        reader.ReadByte();  // the preview's key
        const std::int32_t previewLength = reader.ReadInt();
        if (previewLength > 0) {
            std::vector<std::uint8_t> preview;
            if (const char* refusal = readBlock(preview, previewLength)) {
                return Refuse(refusal);
            }
            // The previews of versions 2 and 3 are always scrambled.
            if (mode != kPackageReadMesh && m_version >= 4) {
                m_preview = std::move(preview);
            }
        }
    }
    if (reader.HasError()) {
        return Refuse(kDamagedMessage);
    }
    if (mode == kPackageReadHeader) {
        return true;
    }

    if (!plain) {
        return Refuse(kScrambledMessage);
    }
    reader.ReadByte();  // the mesh's key
    if (const char* refusal = readBlock(m_mesh, meshLength)) {
        return Refuse(refusal);
    }

    const std::int32_t textureCount = reader.ReadInt();
    // No more entries fit in what is left of the file, whatever the count says.
    const std::size_t textureCapacity = static_cast<std::size_t>(std::clamp<std::int64_t>(
        reader.BytesLeft() / kReferenceEntrySize, 0, std::max(textureCount, 0)));
    if (!budget.Take(textureCapacity * sizeof(PackagedTexture))) {
        return Refuse(kTooLargeMessage);
    }
    m_textures.reserve(textureCapacity);
    std::unordered_map<TextureKey, std::shared_ptr<const std::vector<std::uint8_t>>, TextureKeyHash>
        earlier;
    for (std::int32_t i = 0; i < textureCount && !reader.HasError(); ++i) {
        PackagedTexture texture;
        reader.ReadChars(texture.name, kTextureNameLength);
        const std::int32_t length = reader.ReadInt();
        if (m_version >= 8 && texture.name.starts_with(kReferencePrefix)) {
            texture.name.erase(0, kReferencePrefix.size());
            // A reference to no earlier entry (its name was cut) carries no
            // image.
            if (length >= 0) {
                const auto found =
                    earlier.find(TextureKey{texture.name, static_cast<std::size_t>(length)});
                if (found != earlier.end()) {
                    texture.bytes = found->second;
                }
            }
        } else {
            reader.ReadByte();  // the texture's key
            std::vector<std::uint8_t> data;
            if (const char* refusal = readBlock(data, length)) {
                return Refuse(refusal);
            }
            if (!data.empty()) {
                if (!budget.Take(kImageBookkeeping)) {
                    return Refuse(kTooLargeMessage);
                }
                texture.bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(data));
                earlier.try_emplace(TextureKey{texture.name, texture.bytes->size()}, texture.bytes);
            }
        }
        if (!budget.Take(texture.name.size())) {
            return Refuse(kTooLargeMessage);
        }
        m_textures.push_back(std::move(texture));
    }
    if (reader.HasError()) {
        return Refuse(kDamagedMessage);
    }
    if (mode == kPackageReadMesh) {
        return true;
    }

    if (m_version >= 3) {
        reader.ReadChars(m_symbolName, kSymbolNameLength);
        reader.ReadByte();  // the symbol's key
        const std::int32_t symbolLength = reader.ReadInt();
        if (const char* refusal = readBlock(m_symbol, symbolLength)) {
            return Refuse(refusal);
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
            return Refuse(kDamagedMessage);
        }
        if (!budget.Take(static_cast<std::uint64_t>(edgeCount) * sizeof(OutlineRecord))) {
            return Refuse(kTooLargeMessage);
        }
        m_edges.reserve(static_cast<std::size_t>(edgeCount));
        for (std::int32_t i = 0; i < edgeCount; ++i) {
            m_edges.push_back(ReadEdgeRecord(reader));
        }
    }
    if (reader.HasError()) {
        return Refuse(kDamagedMessage);
    }
    return true;
}
