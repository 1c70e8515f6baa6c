// A settings (ini) file read by the profile rules, then changed in memory; a
// value just set must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "foundation/ProfileFile.h"
#include "fuzz/FuzzInputFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pfs::Result<CProfileFile> opened = CProfileFile::Open(WriteFuzzInput("input.ini", data, size));
    if (!opened) {
        return 0;
    }
    CProfileFile& profile = opened.Value();
    profile.GetString("General", "DESIGNER");
    profile.GetInt("General", "LENGTH", 1000);
    profile.GetReal("Render", "GAMMA", 1.0);
    // Trail bytes 0x5C (a backslash) in every character.
    const std::string value = "許功蓋";
    if (!profile.SetString("General", "DESIGNER", value) ||
        profile.GetString("General", "DESIGNER") != std::optional<std::string>(value)) {
        std::abort();
    }
    return 0;
}
