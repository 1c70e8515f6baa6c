#include "foundation/FileOperations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "foundation/FileSearch.h"
#include "platform/fs/AtomicFileWriter.h"
#include "platform/fs/UniqueFile.h"

void ClearReadOnly(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode) &&
        (info.st_mode & S_IWUSR) == 0) {
        ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
    }
}

std::string MakeFilePathStatic(std::string_view folder, std::string_view fileName) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += fileName;
    return path;
}

bool FolderExists(std::string_view path) {
    if (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    return !path.empty() && WideFileExists(path);
}

bool WideFileExists(std::string_view path) {
    if (path == "/") {
        return true;
    }
    return !FindFiles(path).empty();
}

bool CopyFileClearReadOnly(const std::string& source, const std::string& target,
                           bool failIfExists) {
    if (source.empty() || target.empty()) {
        return false;
    }
    std::error_code ec;
    if (failIfExists && std::filesystem::exists(std::filesystem::symlink_status(target, ec))) {
        return false;
    }
    pfs::UniqueFile in(std::fopen(source.c_str(), "rbe"));
    if (!in) {
        return false;
    }
    // The replacement keeps the mode of the file it replaces, and a new file
    // takes the folder's defaults, so the copy comes out writable either way.
    ClearReadOnly(target);
    pfs::AtomicFileWriter out(target);
    char buffer[64 * 1024];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof(buffer), in.get())) > 0) {
        if (!out.Write(buffer, count)) {
            return false;
        }
    }
    if (std::ferror(in.get()) != 0) {
        return false;
    }
    return out.Commit().Ok();
}

bool DeleteFileClearReadOnly(const std::string& path) {
    // Unlinking needs write permission on the folder only, so the file's own
    // mode is left as it is.
    struct stat info;
    if (path.empty() || ::lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    return ::unlink(path.c_str()) == 0;
}
