#include "platform/fs/ProgramSubFolders.h"

#include <system_error>

namespace pfs {

const std::vector<std::string>& ProgramSubFolderNames() {
    static const std::vector<std::string> names = {"MyDesign", "Show"};
    return names;
}

Result<std::vector<std::string>> MakeProgramSubFolders(const std::filesystem::path& programFolder) {
    std::vector<std::string> made;
    for (const std::string& name : ProgramSubFolderNames()) {
        std::error_code error;
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
