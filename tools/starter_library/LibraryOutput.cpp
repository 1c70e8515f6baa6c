#include "LibraryOutput.h"

#include <system_error>
#include <utility>

#include "platform/fs/AtomicFileWriter.h"

LibraryOutput::LibraryOutput(std::filesystem::path root) : m_root(std::move(root)) {}

void LibraryOutput::Write(const std::string& relative, std::string_view bytes) {
    if (!Ok()) {
        return;
    }
    const std::filesystem::path target = m_root / std::filesystem::path(relative);
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    if (ec) {
        Fail("無法建立資料夾「" + target.parent_path().string() + "」：" + ec.message());
        return;
    }
    if (pfs::Result<void> written = pfs::WriteFileAtomically(target, bytes); !written) {
        Fail(written.Error());
        return;
    }
    Add(relative);
}

void LibraryOutput::Add(const std::string& relative) {
    if (Ok()) {
        m_written.push_back(relative);
    }
}

void LibraryOutput::Fail(std::string message) {
    if (Ok()) {
        m_error = std::move(message);
    }
}
