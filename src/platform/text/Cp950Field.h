#pragma once

// Fixed-width text fields of stored records: CP950 bytes followed by zero bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// Whether the field must keep a terminating zero byte, or the text may fill it.
enum class FieldEnd { kNulTerminated, kMayFill };

// The field's bytes up to the first zero byte, or all of them when there is none.
// CP950 trail bytes are never zero, so this never splits a character.
[[nodiscard]] std::string_view FixedFieldBytes(std::string_view field);

// The field's text, decoded; std::nullopt when its bytes are not valid CP950.
[[nodiscard]] std::optional<std::string> DecodeFixedField(std::string_view field);

// Exactly `width` bytes: the CP950 form of utf8 padded with zero bytes. std::nullopt
// when the text has no CP950 form, holds a zero byte (it would read back cut short)
// or does not fit.
[[nodiscard]] std::optional<std::string> EncodeFixedField(std::string_view utf8, std::size_t width,
                                                          FieldEnd end);

}  // namespace text
