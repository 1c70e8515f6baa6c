#include "document/DesignBackups.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "foundation/FileOperations.h"
#include "platform/fs/AtomicFileWriter.h"

namespace {

constexpr std::size_t kExtensionLength = 4;

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// The rest of the file; nothing when it cannot be read whole.
bool ReadAll(FILE* file, std::string& bytes) {
    char buffer[64 * 1024];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        bytes.append(buffer, count);
    }
    return std::ferror(file) == 0;
}

}  // namespace

CDesignBackups::CDesignBackups(std::string designPath, int copies)
    : m_designPath(std::move(designPath)), m_copies(copies) {
    if (m_copies >= 1 && IsFile(m_designPath)) {
        m_previous.reset(std::fopen(m_designPath.c_str(), "rbe"));
    }
}

bool CDesignBackups::Rotate() {
    if (m_copies < 1 || m_designPath.size() <= kExtensionLength) {
        return true;
    }
    const std::string base =
        m_designPath.substr(0, m_designPath.size() - kExtensionLength) + ".bak";
    auto backup = [&base](int age) { return age == 0 ? base : base + std::to_string(age); };

    bool written = true;
    if (const std::string oldest = backup(m_copies - 1); IsFile(oldest)) {
        DeleteFileClearReadOnly(oldest);
    }
    for (int age = m_copies - 1; age >= 1; --age) {
        if (const std::string newer = backup(age - 1); IsFile(newer)) {
            written = CopyFileClearReadOnly(newer, backup(age), false) && written;
        }
    }
    std::string previous;
    if (m_previous && ReadAll(m_previous.get(), previous)) {
        ClearReadOnly(backup(0));
        written = pfs::WriteFileAtomically(backup(0), previous).Ok() && written;
    }
    return written;
}
