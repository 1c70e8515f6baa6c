// A packaged model read whole: header, preview, mesh, textures, symbol and
// outline records.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzInputFile.h"
#include "objects/ModelPackage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CModelPackage package;
    package.Load(WriteFuzzInput("input.qvx", data, size).string(), kPackageReadAll);
    return 0;
}
