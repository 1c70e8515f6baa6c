#include "platform/text/Cp950Field.h"

#include "platform/text/Cp950.h"

namespace text {

std::string_view FixedFieldBytes(std::string_view field) {
    return field.substr(0, field.find('\0'));
}

std::optional<std::string> DecodeFixedField(std::string_view field) {
    return Cp950ToUtf8(FixedFieldBytes(field));
}

std::optional<std::string> EncodeFixedField(std::string_view utf8, std::size_t width,
                                            FieldEnd end) {
    if (utf8.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = Utf8ToCp950(utf8);
    const std::size_t capacity = (end == FieldEnd::kNulTerminated && width > 0) ? width - 1 : width;
    if (!bytes || bytes->size() > capacity) {
        return std::nullopt;
    }
    bytes->resize(width, '\0');
    return bytes;
}

}  // namespace text
