#include "platform/fs/ProgramSubFolders.h"

#include <system_error>

#include "platform/fs/PathLookup.h"

namespace pfs {

const std::vector<std::string>& ProgramSubFolderNames() {
    static const std::vector<std::string> names = {"MyDesign",  "Show", "SModel", "STexture",
                                                   "STPicture", "BG",   "Music",  "2Dicon",
                                                   "2DMap",     "Sound"};
    return names;
}

Result<std::vector<std::string>> MakeProgramSubFolders(const std::filesystem::path& programFolder) {
    std::vector<std::string> made;
    for (const std::string& name : ProgramSubFolderNames()) {
        // The program finds its folders ignoring case, so "2dicon" of the
        // default content is already the symbol folder.
        std::error_code error;
        const auto existing = ResolvePathCaseInsensitive(programFolder / name);
        if (existing && std::filesystem::is_directory(*existing, error)) {
            continue;
        }
        if (std::filesystem::create_directory(programFolder / name, error)) {
            made.push_back(name);
        } else if (error) {
            return Failure{"無法建立資料夾「" + (programFolder / name).string() + "」：" +
                           error.message()};
        }
    }
    return made;
}

}  // namespace pfs
