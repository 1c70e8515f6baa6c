#pragma once

#include <filesystem>

#include "platform/fs/DefaultContent.h"

// Puts the light glyph meshes of the default content into a test's program
// folder, as a real start's filling of the folder does: the 3D view loads
// them when it makes its device and says so when one is missing. A glyph
// that cannot be copied throws, which fails the test.
inline void CopyLightGlyphs(const std::filesystem::path& programFolder) {
    const std::filesystem::path content = pfs::DefaultHomeContent(pfs::FindResourceFolder());
    for (const char* name : {"point.x", "sptlight.x", "DIRLIGHT.x"}) {
        std::filesystem::copy_file(content / name, programFolder / name,
                                   std::filesystem::copy_options::skip_existing);
    }
}
