// CP950 text decoded strictly and leniently; where the strict decode takes
// the text, the lenient one must give the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/Cp950.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> strict = text::Cp950ToUtf8(bytes);
    const std::string lenient = text::Cp950ToUtf8Lenient(bytes);
    if (strict && *strict != lenient) {
        std::abort();
    }
    return 0;
}
