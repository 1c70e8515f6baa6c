// The per-user registry store read as a key opens it, then written back with
// one value changed; the value just set must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/RegistryKey.h"
#include "fuzz/FuzzInputFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteFuzzInput("velmora/registry.ini", data, size);
    pfs::UserEnvironment env;
    env.xdgConfigHome = FuzzScratchFolder().string();
    CRegistryKey key(env);
    if (key.Create("Software\\Velmora\\Recent File List") != kRegistryOk) {
        return 0;
    }
    std::string text;
    key.GetString("File1", text);
    const std::string value = "Z:\\home\\\"許\"\r\n.dg6";
    if (key.SetString("File1", value) != kRegistryOk ||
        key.GetString("File1", text) != kRegistryOk || text != value) {
        std::abort();
    }
    return 0;
}
