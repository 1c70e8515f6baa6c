#include "objects/ModelPackageWriter.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>
#include <unordered_map>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/text/Cp950.h"

namespace {

// The fifth byte 'k' marks the mesh, texture and symbol bytes as plain.
constexpr std::string_view kMagic = "Orvik";
constexpr std::size_t kNameLength = 51;
constexpr std::size_t kModelNumberLength = 30;
constexpr std::size_t kVendorLength = 50;
constexpr std::size_t kDescriptionLength = 196;
constexpr std::size_t kReservedLength = 100;
constexpr std::size_t kTextureNameLength = 20;
constexpr std::size_t kSymbolNameLength = 20;
constexpr std::string_view kReferencePrefix = "@@";
// A reference keeps what of the name fits after its prefix.
constexpr std::size_t kReferenceNameLength = kTextureNameLength - kReferencePrefix.size();
// This writer never scrambles a block.
constexpr std::uint8_t kPlainKey = 0;
constexpr std::size_t kLastCharactersOfExtension = 4;

constexpr const char* kNoCp950Message = "文字無法以繁體中文(Big5)編碼儲存：";
constexpr const char* kTooLargeMessage = "模型太大，無法寫入模型檔。";

// Little-endian fields appended in file order.
class PackageBytes {
public:
    void Byte(std::uint8_t value) { m_bytes.push_back(static_cast<char>(value)); }
    void Int(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            Byte(static_cast<std::uint8_t>(bits >> shift));
        }
    }
    void Float(float value) { Int(std::bit_cast<std::int32_t>(value)); }
    void Raw(std::string_view bytes) { m_bytes.append(bytes); }
    void Raw(const std::vector<std::uint8_t>& bytes) { m_bytes.append(bytes.begin(), bytes.end()); }
    void Zeros(std::size_t count) { m_bytes.append(count, '\0'); }
    // A text field of width bytes: the text, then zero bytes.
    void Field(std::string_view cp950, std::size_t width) {
        Raw(cp950.substr(0, width));
        Zeros(width - std::min(cp950.size(), width));
    }

    std::string& Bytes() { return m_bytes; }

private:
    std::string m_bytes;
};

bool FitsInt32(std::size_t size) {
    return size <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
}

// The CP950 form of the longest start of text that fits maxBytes, never
// ending inside a character.
std::optional<std::string> Cp950Prefix(std::string_view text, std::size_t maxBytes) {
    const std::optional<std::string> kept = text::TruncateToCp950Bytes(text, maxBytes);
    return kept ? text::Utf8ToCp950(*kept) : std::nullopt;
}

class PackageEncoder {
public:
    explicit PackageEncoder(std::string* error) : m_error(error) {}

    bool Encode(const PackagedModelContents& contents) {
        if (!FitsInt32(contents.mesh.size())) {
            return Fail(kTooLargeMessage);
        }
        m_out.Raw(kMagic);
        m_out.Byte(static_cast<std::uint8_t>(kCurrentPackageVersion));
        m_out.Int(static_cast<std::int32_t>(contents.mesh.size()));
        const std::optional<std::string> name = Cp950Prefix(contents.name, kNameLength);
        if (!name) {
            return FailOnText(contents.name);
        }
        m_out.Field(*name, kNameLength);
        if (!TextField(contents.modelNumber, kModelNumberLength) ||
            !TextField(contents.vendor, kVendorLength) ||
            !TextField(contents.description, kDescriptionLength)) {
            return false;
        }
        m_out.Float(contents.price);
        const std::optional<std::string> link = text::Utf8ToCp950(contents.webLink);
        if (!link) {
            return FailOnText(contents.webLink);
        }
        if (!FitsInt32(link->size())) {
            return Fail(kTooLargeMessage);
        }
        m_out.Int(static_cast<std::int32_t>(link->size()));
        m_out.Raw(*link);
        m_out.Zeros(kReservedLength);
        if (!FitsInt32(contents.preview.size()) || !FitsInt32(contents.symbol.size())) {
            return Fail(kTooLargeMessage);
        }
        m_out.Byte(kPlainKey);  // the preview's key
        m_out.Int(static_cast<std::int32_t>(contents.preview.size()));
        m_out.Raw(contents.preview);
        m_out.Byte(kPlainKey);
        m_out.Raw(contents.mesh);
        if (!EncodeTextures(contents.textures)) {
            return false;
        }
        if (!TextField(contents.symbolName, kSymbolNameLength)) {
            return false;
        }
        m_out.Byte(kPlainKey);
        m_out.Int(static_cast<std::int32_t>(contents.symbol.size()));
        m_out.Raw(contents.symbol);
        if (!FitsInt32(contents.edges.size())) {
            return Fail(kTooLargeMessage);
        }
        m_out.Int(static_cast<std::int32_t>(contents.edges.size()));
        for (const OutlineRecord& edge : contents.edges) {
            for (const gfx::Vector3* v : {&edge.pointA, &edge.pointB, &edge.facing}) {
                m_out.Float(v->x);
                m_out.Float(v->y);
                m_out.Float(v->z);
            }
        }
        return true;
    }

    std::string& Bytes() { return m_out.Bytes(); }

private:
    // The count comes first but only textures with image bytes get an
    // entry, so the entries are laid out before the count is known.
    bool EncodeTextures(const std::vector<PackagedTexture>& textures) {
        PackageBytes entries;
        std::int32_t count = 0;
        // The first image stored under each key "name_length": a reader
        // resolves a reference to that one, so only an equal image may
        // refer to it.
        std::unordered_map<std::string, const std::vector<std::uint8_t>*> stored;
        for (const PackagedTexture& texture : textures) {
            const std::vector<std::uint8_t>& image = texture.Data();
            if (image.empty()) {
                continue;
            }
            if (!FitsInt32(image.size())) {
                return Fail(kTooLargeMessage);
            }
            const std::optional<std::string> name = text::Utf8ToCp950(texture.name);
            if (!name) {
                return FailOnText(texture.name);
            }
            const auto length = static_cast<std::int32_t>(image.size());
            std::string key = *name + "_" + std::to_string(length);
            // A reference only finds its image by the whole name, so a name
            // too long for its field is stored again instead.
            const auto earlier = stored.find(key);
            if (name->size() <= kReferenceNameLength && earlier != stored.end() &&
                *earlier->second == image) {
                entries.Field(std::string(kReferencePrefix) + *name, kTextureNameLength);
                entries.Int(length);
            } else {
                const std::optional<std::string> kept =
                    Cp950Prefix(texture.name, kTextureNameLength);
                entries.Field(kept.value_or(std::string()), kTextureNameLength);
                entries.Int(length);
                entries.Byte(kPlainKey);
                entries.Raw(image);
                stored.try_emplace(std::move(key), &image);
            }
            ++count;
        }
        m_out.Int(count);
        m_out.Raw(entries.Bytes());
        return true;
    }

    // What of the text fits the field, on a character boundary.
    bool TextField(std::string_view text, std::size_t width) {
        const std::optional<std::string> kept = Cp950Prefix(text, width);
        if (!kept) {
            return FailOnText(text);
        }
        m_out.Field(*kept, width);
        return true;
    }

    bool FailOnText(std::string_view text) { return Fail(kNoCp950Message + std::string(text)); }

    bool Fail(std::string message) {
        if (m_error != nullptr) {
            *m_error = std::move(message);
        }
        return false;
    }

    PackageBytes m_out;
    std::string* m_error;
};

}  // namespace

std::string PackageNameOfPath(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    // Characters, not bytes: a UTF-8 character is one lead byte and its
    // continuation bytes.
    for (std::size_t dropped = 0; dropped < kLastCharactersOfExtension && !name.empty();) {
        const auto last = static_cast<unsigned char>(name.back());
        name.remove_suffix(1);
        if ((last & 0xC0) != 0x80) {
            ++dropped;
        }
    }
    return std::string(name);
}

bool EncodeModelPackage(const PackagedModelContents& contents, std::string* file,
                        std::string* error) {
    PackageEncoder encoder(error);
    if (!encoder.Encode(contents)) {
        return false;
    }
    *file = std::move(encoder.Bytes());
    return true;
}

bool WriteModelPackage(const std::filesystem::path& path, const PackagedModelContents& contents,
                       std::string* error) {
    std::string file;
    if (!EncodeModelPackage(contents, &file, error)) {
        return false;
    }
    const pfs::Result<void> written = pfs::WriteFileAtomically(path, file);
    if (!written && error != nullptr) {
        *error = written.Error();
    }
    return written.Ok();
}
