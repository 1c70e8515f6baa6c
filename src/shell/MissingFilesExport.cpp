#include "shell/MissingFilesExport.h"

#include <optional>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/text/Cp950.h"

pfs::Result<void> WriteMissingFilesList(const std::filesystem::path& path,
                                        const std::vector<std::string>& names) {
    std::string content;
    for (const std::string& name : names) {
        const std::optional<std::string> bytes = text::Utf8ToCp950(name);
        if (!bytes) {
            return pfs::Failure{"Cannot write " + path.string() + ": the name \"" + name +
                                "\" has no CP950 form"};
        }
        content += *bytes;
        content += "\r\n";
    }
    return pfs::WriteFileAtomically(path, content);
}
