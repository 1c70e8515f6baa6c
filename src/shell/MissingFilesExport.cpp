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
            return pfs::Failure{"無法寫入「" + path.string() + "」：名稱「" + name +
                                "」含有 Big5 無法表示的字元。"};
        }
        content += *bytes;
        content += "\r\n";
    }
    return pfs::WriteFileAtomically(path, content);
}
