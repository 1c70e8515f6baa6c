#include "objects/MaterialRecordName.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "foundation/PathUtils.h"
#include "platform/fs/StoredPath.h"
#include "platform/text/Cp950.h"

std::array<char, MaterialRecord::kNameSize> EncodeMaterialName(std::string_view name) {
    std::array<char, MaterialRecord::kNameSize> field{};
    const std::string stored = pfs::ToStoredPath(name);
    std::optional<std::string> bytes = text::Utf8ToCp950(stored);
    if (!bytes || bytes->size() > field.size()) {
        const std::optional<std::string> fileName =
            text::TruncateToCp950Bytes(GetPathFileName(stored), field.size());
        bytes = fileName ? text::Utf8ToCp950(*fileName) : std::nullopt;
    }
    if (bytes) {
        std::memcpy(field.data(), bytes->data(), std::min(bytes->size(), field.size()));
    }
    return field;
}

std::string DecodeMaterialName(const std::array<char, MaterialRecord::kNameSize>& field) {
    const auto end = std::find(field.begin(), field.end(), '\0');
    const std::string name =
        text::Cp950ToUtf8Lenient(std::string_view(field.data(), end - field.begin()));
    const pfs::MappedPath mapped = pfs::FromStoredPath(name);
    return mapped.kind == pfs::StoredPathKind::Local ? mapped.path : name;
}
