// A program string table file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/StringTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const pfs::Result<CStringTable> table =
        ParseStringTable(std::string_view(reinterpret_cast<const char*>(data), size));
    if (table) {
        table.Value().Find(134);
    }
    return 0;
}
