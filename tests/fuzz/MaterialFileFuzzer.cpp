// A material file with its TGA image converted, as the texture dialogs read
// it, and its size as the library lists show it.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzInputFile.h"
#include "objects/MaterialFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteFuzzInput("input.qvp", data, size).string();
    MaterialFileRecord record;
    LoadMaterialFile(path, record, kMaterialFileQvp, true);
    GetMaterialFileDataSize(path);
    return 0;
}
