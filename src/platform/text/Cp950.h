#pragma once

// Conversion between the program's UTF-8 strings and the CP950 (Big5) bytes of
// stored and written texts. A text with no CP950 form, malformed UTF-8 or a
// damaged CP950 sequence is a failure (std::nullopt), never a substitution.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace text {

[[nodiscard]] std::optional<std::string> Utf8ToCp950(std::string_view utf8);
[[nodiscard]] std::optional<std::string> Cp950ToUtf8(std::string_view cp950);

// For stored text a reader must get past: every byte that does not start a valid
// CP950 character becomes U+FFFD, the rest is decoded.
[[nodiscard]] std::string Cp950ToUtf8Lenient(std::string_view cp950);

// Byte length of the CP950 form; std::nullopt when there is none.
[[nodiscard]] std::optional<std::size_t> Cp950Length(std::string_view utf8);

// True when the text has a CP950 form of at most maxBytes bytes.
[[nodiscard]] bool FitsInCp950Bytes(std::string_view utf8, std::size_t maxBytes);

// The longest UTF-8 prefix, ending on a character boundary, whose CP950 form has
// at most maxBytes bytes; std::nullopt when the whole text has no CP950 form.
[[nodiscard]] std::optional<std::string> TruncateToCp950Bytes(std::string_view utf8,
                                                              std::size_t maxBytes);

}  // namespace text
