#include "objects/MaterialFileWriter.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/text/Cp950.h"

namespace {

// The readers look only at the fifth byte: 'e' marks the image as plain.
constexpr std::string_view kTag = "VMATe";
// This writer never scrambles the image.
constexpr std::uint8_t kPlainKey = 0;
// The widths of the fixed text fields; the readers keep the last byte for
// the NUL.
constexpr std::size_t kSerialNumberLength = 30;
constexpr std::size_t kNameLength = 50;
constexpr std::size_t kVendorLength = 50;
constexpr std::size_t kDescriptionLength = 200;

constexpr std::size_t kTgaHeaderLength = 18;
constexpr std::uint8_t kTgaUncompressedTrueColour = 2;
constexpr std::uint8_t kTgaBitsPerPixel = 24;
constexpr int kTgaMaxSide = std::numeric_limits<std::uint16_t>::max();

constexpr const char* kNoCp950Message = "文字無法以繁體中文(Big5)編碼儲存：";
constexpr const char* kNoImageMessage = "材質檔沒有影像。";
constexpr const char* kTooLargeMessage = "影像太大，無法寫入材質檔。";

void PutInt(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>(bits >> shift));
    }
}

void PutFloat(std::string& out, float value) {
    PutInt(out, std::bit_cast<std::int32_t>(value));
}

void PutShort(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

// An uncompressed 24-bit TGA, rows bottom-up as the format's default origin.
std::string EncodeTga(const image::Raster& raster) {
    std::string tga;
    tga.reserve(kTgaHeaderLength + static_cast<std::size_t>(raster.width) * raster.height * 3);
    // No image id, no colour map, origin (0, 0).
    tga.append(2, '\0');
    tga.push_back(static_cast<char>(kTgaUncompressedTrueColour));
    tga.append(9, '\0');
    PutShort(tga, raster.width);
    PutShort(tga, raster.height);
    tga.push_back(static_cast<char>(kTgaBitsPerPixel));
    tga.push_back('\0');  // bottom-up rows, no alpha bits
    for (int y = raster.height - 1; y >= 0; --y) {
        const std::uint8_t* row = raster.bgra.data() + raster.Stride() * y;
        for (int x = 0; x < raster.width; ++x) {
            tga.append(reinterpret_cast<const char*>(row + 4 * x), 3);
        }
    }
    return tga;
}

class MaterialEncoder {
public:
    explicit MaterialEncoder(std::string* error) : m_error(error) {}

    bool Encode(const MaterialFileContents& contents) {
        const image::Raster& image = contents.image;
        if (image.width <= 0 || image.height <= 0 ||
            image.bgra.size() != image.Stride() * image.height) {
            return Fail(kNoImageMessage);
        }
        if (image.width > kTgaMaxSide || image.height > kTgaMaxSide) {
            return Fail(kTooLargeMessage);
        }
        const std::string payload = EncodeTga(image);
        if (payload.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            return Fail(kTooLargeMessage);
        }
        m_out.append(kTag);
        m_out.push_back(static_cast<char>(kCurrentMaterialFileVersion));
        PutInt(m_out, static_cast<std::int32_t>(payload.size()));
        m_out.push_back(static_cast<char>(kPlainKey));
        m_out.append(payload);
        PutFloat(m_out, contents.width);
        PutFloat(m_out, contents.height);
        if (!Field(contents.serialNumber, kSerialNumberLength)) {
            return false;
        }
        PutFloat(m_out, contents.price);
        if (!Field(contents.name, kNameLength) || !Field(contents.vendor, kVendorLength) ||
            !Field(contents.description, kDescriptionLength)) {
            return false;
        }
        const std::optional<std::string> link = text::Utf8ToCp950(contents.webLink);
        if (!link) {
            return Fail(kNoCp950Message + contents.webLink);
        }
        if (link->size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            return Fail(kTooLargeMessage);
        }
        PutInt(m_out, static_cast<std::int32_t>(link->size()));
        m_out.append(*link);
        return true;
    }

    std::string& Bytes() { return m_out; }

private:
    // The text's CP950 form cut to width - 1 bytes, then zero bytes.
    bool Field(const std::string& utf8, std::size_t width) {
        const std::optional<std::string> kept = text::TruncateToCp950Bytes(utf8, width - 1);
        const std::optional<std::string> bytes = kept ? text::Utf8ToCp950(*kept) : std::nullopt;
        if (!bytes) {
            return Fail(kNoCp950Message + utf8);
        }
        m_out.append(*bytes);
        m_out.append(width - bytes->size(), '\0');
        return true;
    }

    bool Fail(std::string message) {
        if (m_error != nullptr) {
            *m_error = std::move(message);
        }
        return false;
    }

    std::string m_out;
    std::string* m_error;
};

}  // namespace

bool EncodeMaterialFile(const MaterialFileContents& contents, std::string* file,
                        std::string* error) {
    MaterialEncoder encoder(error);
    if (!encoder.Encode(contents)) {
        return false;
    }
    *file = std::move(encoder.Bytes());
    return true;
}

bool WriteMaterialFile(const std::filesystem::path& path, const MaterialFileContents& contents,
                       std::string* error) {
    std::string file;
    if (!EncodeMaterialFile(contents, &file, error)) {
        return false;
    }
    const pfs::Result<void> written = pfs::WriteFileAtomically(path, file);
    if (!written && error != nullptr) {
        *error = written.Error();
    }
    return written.Ok();
}
