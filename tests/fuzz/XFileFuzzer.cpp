// A .x model read from memory into a mesh of 32-bit indices, so that large
// vertex counts go on to the whole of the reader.
#include <cstddef>
#include <cstdint>

#include "platform/gfx/XFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gfx::LoadedMesh loaded;
    gfx::LoadMeshFromXInMemory(data, size, gfx::kMesh32Bit | gfx::kMeshManaged, nullptr, &loaded);
    return 0;
}
