#include "platform/fs/DefaultContent.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

#include "platform/fs/AtomicFileWriter.h"

namespace pfs {

namespace {

// Streamed, so a large catalogue is not held in memory; atomic, so an
// interrupted first start leaves no half file that later starts would keep.
Result<void> CopyFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Failure{"無法開啟「" + from.string() + "」：" +
                       std::generic_category().message(errno)};
    }
    AtomicFileWriter writer(to);
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            int error = errno;
            ::close(fd);
            return Failure{"無法讀取「" + from.string() + "」：" +
                           std::generic_category().message(error)};
        }
        if (got == 0 || !writer.Write(chunk.data(), static_cast<std::size_t>(got))) {
            break;
        }
    }
    ::close(fd);
    return writer.Commit();
}

Result<void> CopyMissing(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code ec;
    std::vector<std::filesystem::path> names;
    for (std::filesystem::directory_iterator it(from, ec), end; !ec && it != end;
         it.increment(ec)) {
        names.push_back(it->path().filename());
    }
    if (ec) {
        return Failure{"無法列出資料夾「" + from.string() + "」的內容：" + ec.message()};
    }
    std::sort(names.begin(), names.end());

    for (const std::filesystem::path& name : names) {
        std::filesystem::path source = from / name;
        std::filesystem::path target = to / name;
        std::filesystem::file_status sourceStatus = std::filesystem::status(source, ec);
        bool targetExists = std::filesystem::exists(std::filesystem::symlink_status(target, ec));
        if (std::filesystem::is_directory(sourceStatus)) {
            if (!targetExists && !std::filesystem::create_directory(target, ec) && ec) {
                return Failure{"無法建立資料夾「" + target.string() + "」：" + ec.message()};
            }
            if (std::filesystem::is_directory(target, ec)) {
                if (Result<void> copied = CopyMissing(source, target); !copied) {
                    return copied;
                }
            }
        } else if (std::filesystem::is_regular_file(sourceStatus) && !targetExists) {
            if (Result<void> copied = CopyFile(source, target); !copied) {
                return copied;
            }
        }
    }
    return {};
}

}  // namespace

std::filesystem::path FindResourceFolder() {
    std::error_code ec;
    return FindResourceFolder(std::filesystem::read_symlink("/proc/self/exe", ec));
}

std::filesystem::path FindResourceFolder(const std::filesystem::path& executable) {
    if (!executable.empty()) {
        std::filesystem::path installed =
            (executable.parent_path() / ".." / "share" / "velmora").lexically_normal();
        std::error_code ec;
        if (std::filesystem::is_directory(installed, ec)) {
            return installed;
        }
    }
    return VELMORA_SOURCE_RES_DIR;
}

std::filesystem::path DefaultHomeContent(const std::filesystem::path& resourceFolder) {
    // Run from the build tree, the starter library is the one this build
    // generated; an installed program has it among its resources.
    if (resourceFolder == std::filesystem::path(VELMORA_SOURCE_RES_DIR)) {
        return VELMORA_BUILD_STARTER_LIBRARY_DIR;
    }
    return resourceFolder / "default-home";
}

Result<void> FillProgramFolder(const std::filesystem::path& programFolder,
                               const std::filesystem::path& defaultContent) {
    std::error_code ec;
    std::filesystem::create_directories(programFolder, ec);
    if (ec) {
        return Failure{"無法建立程式資料夾「" + programFolder.string() + "」：" + ec.message()};
    }
    if (!std::filesystem::is_directory(defaultContent, ec)) {
        return {};
    }
    return CopyMissing(defaultContent, programFolder);
}

}  // namespace pfs
