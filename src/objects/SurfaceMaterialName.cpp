#include "objects/SurfaceMaterialName.h"

#include <cstring>
#include <optional>
#include <string>

#include "foundation/PathUtils.h"
#include "objects/MaterialRecordName.h"
#include "platform/fs/StoredPath.h"
#include "platform/text/Cp950.h"

namespace {

using NameField = std::array<char, MaterialRecord::kNameSize>;

// The CP950 form of text cut to the field; an empty field when it has none.
NameField FieldOf(std::string_view utf8) {
    NameField field{};
    const std::optional<std::string> cut = text::TruncateToCp950Bytes(utf8, field.size());
    const std::optional<std::string> bytes = cut ? text::Utf8ToCp950(*cut) : std::nullopt;
    if (bytes) {
        std::memcpy(field.data(), bytes->data(), bytes->size());
    }
    return field;
}

}  // namespace

NameField EncodeWallMaterialName(std::string_view name) {
    const std::string stored = pfs::ToStoredPath(name);
    const std::optional<std::size_t> length = text::Cp950Length(stored);
    if (length && *length < MaterialRecord::kNameSize) {
        return FieldOf(stored);
    }
    // The file name is taken from the UTF-8 text, where no backslash can be
    // the trail byte of a Chinese character.
    return FieldOf("c:" + GetPathFileName(stored));
}

NameField EncodeCutMaterialName(std::string_view name) {
    const std::string stored = pfs::ToStoredPath(name);
    if (!text::Cp950Length(stored)) {
        return EncodeMaterialName(name);
    }
    return FieldOf(stored);
}
