#include "fuzz/FuzzInputFile.h"

#include <cstdlib>
#include <fstream>

#include "support/TempFolder.h"

namespace {

const TempFolder& ProcessFolder() {
    static const TempFolder folder;
    return folder;
}

}  // namespace

const std::filesystem::path& FuzzScratchFolder() {
    return ProcessFolder().Path();
}

std::filesystem::path WriteFuzzInput(const std::filesystem::path& relative,
                                     const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = ProcessFolder().Path() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    // A reader given a stale or partial file would test something else.
    if (!out) {
        std::abort();
    }
    return path;
}
