#pragma once

// Case folding of ASCII letters only, for names and extensions in UTF-8: a locale's
// tolower may change bytes from 0x80 up. Not for raw CP950 bytes, whose trail bytes
// include ASCII letters.

#include <string>
#include <string_view>

namespace text {

[[nodiscard]] std::string AsciiToLower(std::string_view s);
[[nodiscard]] bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace text
