#include "objects/MaterialFileReader.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <optional>
#include <span>
#include <utility>

#include "foundation/BinaryReader.h"
#include "foundation/FileOperations.h"
#include "foundation/FileTypes.h"
#include "foundation/PathUtils.h"
#include "platform/fs/RegularFile.h"
#include "platform/image/Image.h"
#include "platform/text/Cp950.h"

namespace {

// The fifth tag byte of a material file whose image is stored plain.
constexpr char kPlainPayloadMark = 'e';
constexpr std::size_t kTagLength = 5;
// biWidth and biHeight follow the 14-byte file header of a .bmp.
constexpr std::size_t kBmpWidthOffset = 18;
constexpr std::size_t kBmpHeightOffset = 22;
constexpr std::size_t kBmpSizeEnd = 26;

std::int32_t LoadInt32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::uint32_t{bytes[offset + i]} << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

void ReadPixelSize(MaterialFileRecord& record) {
    if (record.data.size() >= kBmpSizeEnd) {
        record.pixelWidth = static_cast<float>(LoadInt32(record.data, kBmpWidthOffset));
        record.pixelHeight = static_cast<float>(LoadInt32(record.data, kBmpHeightOffset));
    }
}

// Replaces the image by its .bmp encoding, or by nothing when it cannot be
// decoded.
void ConvertToBmp(std::vector<std::uint8_t>& data, image::ImageFormat format) {
    image::CImage picture;
    std::optional<std::vector<std::uint8_t>> bmp;
    if (picture.Decode(data.data(), data.size(), format)) {
        bmp = picture.Encode(image::ImageFormat::Bmp);
    }
    data = bmp ? std::move(*bmp) : std::vector<std::uint8_t>();
}

// The file name without folder and extension, cut to what the name field
// holds before its NUL, on a character boundary. A name with no CP950 form
// stays empty.
void SetNameFromPath(MaterialFileRecord& record, const std::string& path) {
    std::string name = GetPathFileName(path);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) {
        name.resize(dot);
    }
    const std::optional<std::string> cut = text::TruncateToCp950Bytes(name, record.name.size() - 1);
    const std::optional<std::string> bytes = cut ? text::Utf8ToCp950(*cut) : std::nullopt;
    if (bytes) {
        std::copy(bytes->begin(), bytes->end(), record.name.begin());
    }
}

// A fixed text field; a field that fills its width still ends in a NUL.
void ReadTextField(CBinaryReader& reader, std::span<char> field) {
    reader.ReadBytes(field.data(), static_cast<int>(field.size()));
    field.back() = '\0';
}

bool ReadImageFile(const std::string& path, MaterialFileRecord& record, int kind) {
    pfs::Result<std::string> file = pfs::ReadWholeFile(path, pfs::kImageFileLimit);
    if (!file || file.Value().size() > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    record.data.assign(file.Value().begin(), file.Value().end());
    if (kind == kMaterialFileJpg) {
        ConvertToBmp(record.data, image::ImageFormat::Jpg);
    } else if (kind == kMaterialFileTga) {
        ConvertToBmp(record.data, image::ImageFormat::Tga);
    }
    ReadPixelSize(record);
    record.width = record.pixelWidth;
    record.height = record.pixelHeight;
    return true;
}

bool ReadMaterial(const std::string& path, MaterialFileRecord& record, bool convertTga) {
    CBinaryReader reader(path);
    if (reader.GetFile() == nullptr) {
        return false;
    }
    char tag[kTagLength];
    reader.ReadBytes(tag, kTagLength);
    // Stored as a signed byte: 128 and above are old files with no optional
    // fields.
    const auto version = static_cast<std::int8_t>(reader.ReadByte());
    const std::int32_t payloadLength = reader.ReadInt();
    reader.ReadByte();  // the key of a scrambled image
    if (reader.HasError() || tag[kTagLength - 1] != kPlainPayloadMark) {
        return false;
    }
    if (FAILED(reader.ReadBlock(record.data, payloadLength))) {
        return false;
    }

    if (version >= 2) {
        record.width = reader.ReadFloat();
        record.height = reader.ReadFloat();
    }
    if (version >= 3) {
        ReadTextField(reader, record.serialNumber);
        record.price = reader.ReadFloat();
        ReadTextField(reader, record.name);
        ReadTextField(reader, record.vendor);
        ReadTextField(reader, record.description);
    }
    if (version >= 5) {
        const std::int32_t extraLength = reader.ReadInt();
        if (extraLength != 0 && FAILED(reader.ReadBlock(record.extra, extraLength))) {
            return false;
        }
    }
    if (version >= 4 && convertTga) {
        ConvertToBmp(record.data, image::ImageFormat::Tga);
    }
    ReadPixelSize(record);
    return true;
}

}  // namespace

bool LoadMaterialFile(const std::string& path, MaterialFileRecord& record, int kind,
                      bool convertTga) {
    record = MaterialFileRecord();
    bool read = false;
    try {
        SetNameFromPath(record, path);
        if (kind == kMaterialFileQvp) {
            read = ReadMaterial(path, record, convertTga);
        } else if (kind == kMaterialFileBmp || kind == kMaterialFileJpg ||
                   kind == kMaterialFileTga) {
            read = ReadImageFile(path, record, kind);
        }
    } catch (const std::exception&) {
        // Out of memory for a huge image: the file counts as unreadable.
        read = false;
    }
    if (!read) {
        record = MaterialFileRecord();
    }
    return read;
}

std::int32_t GetMaterialFileDataSize(const std::string& path) {
    if (!FolderExists(path)) {
        return 0;
    }
    switch (GetFileTypeByExtension(path)) {
        case kFileTypeJpg:
        case kFileTypeBmp:
        case kFileTypeTga: {
            const std::uint64_t length = GetFileLength(path);
            return length > std::numeric_limits<std::int32_t>::max()
                       ? 0
                       : static_cast<std::int32_t>(length);
        }
        case kFileTypeMaterial: {
            CBinaryReader reader(path);
            char head[kTagLength + 1];
            reader.ReadBytes(head, sizeof(head));
            return std::max(reader.ReadInt(), 0);
        }
        default:
            return 0;
    }
}

std::optional<int> MaterialFileKindOf(const std::string& path) {
    switch (GetFileTypeByExtension(path)) {
        case kFileTypeMaterial:
            return kMaterialFileQvp;
        case kFileTypeBmp:
            return kMaterialFileBmp;
        case kFileTypeJpg:
            return kMaterialFileJpg;
        case kFileTypeTga:
            return kMaterialFileTga;
        default:
            return std::nullopt;
    }
}
