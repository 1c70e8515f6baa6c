#include "platform/draw/FontConfiguration.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <filesystem>

#include "platform/fs/DefaultContent.h"

namespace draw {

namespace {

bool LoadProgramFontConfiguration() {
    const std::filesystem::path file = pfs::FindResourceFolder() / "fonts" / "velmora-fonts.conf";
    FcConfig* config = FcConfigCreate();
    const bool loaded =
        config &&
        FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(file.c_str()), FcTrue) &&
        FcConfigSetCurrent(config);
    // The current configuration holds a reference of its own.
    if (config) {
        FcConfigDestroy(config);
    }
    if (!loaded) {
        std::fprintf(stderr, "velmora: 無法載入字型設定檔 %s，文字改用本機的字型設定。\n",
                     file.c_str());
    }
    return loaded;
}

}  // namespace

bool UseProgramFontConfiguration() {
    static const bool loaded = LoadProgramFontConfiguration();
    return loaded;
}

}  // namespace draw
