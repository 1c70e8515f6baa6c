#include "foundation/FolderOperations.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "foundation/FileOperations.h"
#include "foundation/FileSearch.h"

namespace {

constexpr std::string_view kFolderMark = "~D~";

bool IsFolder(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// False when the pattern matches nothing, not even "." or "..".
bool ListLevel(const std::string& pattern, std::size_t topFolderLength,
               std::vector<std::string>& names) {
    const std::size_t slash = pattern.rfind('/');
    const std::string folderPart = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);
    std::string namePattern = pattern.substr(folderPart.size());
    // The extension is not carried into sub-folders.
    if (const std::size_t dot = namePattern.rfind('.'); dot != std::string::npos) {
        namePattern.resize(dot);
    }
    const std::string relativeFolder = folderPart.substr(topFolderLength);

    const std::vector<FoundEntry> entries = FindFiles(pattern);
    for (const FoundEntry& entry : entries) {
        if (entry.name == "." || entry.name == "..") {
            continue;
        }
        if (entry.isFolder) {
            names.push_back(std::string(kFolderMark) + relativeFolder + entry.name);
            ListLevel(folderPart + entry.name + "/" + namePattern, topFolderLength, names);
        } else {
            names.push_back(relativeFolder + entry.name);
        }
    }
    return !entries.empty();
}

// A folder needs the owner's read, write and search permission before its
// entries can be listed and removed.
void MakeFolderAccessible(int parentFd, const char* name) {
    struct stat info;
    if (::fstatat(parentFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode) &&
        (info.st_mode & S_IRWXU) != S_IRWXU) {
        ::fchmodat(parentFd, name, (info.st_mode & 07777) | S_IRWXU, 0);
    }
}

// Works through descriptors opened with O_NOFOLLOW, so that no step can be
// led through a symlink out of the tree. Failures are skipped.
void RemoveFolderContents(int folderFd) {
    std::vector<std::string> entries;
    if (DIR* dir = ::fdopendir(::dup(folderFd))) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..") {
                entries.emplace_back(name);
            }
        }
        ::closedir(dir);
    }
    for (const std::string& name : entries) {
        struct stat info;
        if (::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        if (!S_ISDIR(info.st_mode)) {
            ::unlinkat(folderFd, name.c_str(), 0);
            continue;
        }
        MakeFolderAccessible(folderFd, name.c_str());
        const int subFd =
            ::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (subFd >= 0) {
            RemoveFolderContents(subFd);
            ::close(subFd);
        }
        ::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR);
    }
}

// The paths whose removal could never be meant: nothing, the root, and the
// current or a parent folder.
bool IsRefusedForDeletion(std::string_view path) {
    while (!path.empty() && path.back() == '/') {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.rfind('/');
    const std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return path.empty() || last == "." || last == "..";
}

}  // namespace

bool EnsureDirectoryExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    if (IsFolder(path)) {
        return true;
    }
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !EnsureDirectoryExists(path.substr(0, slash))) {
        return false;
    }
    ::mkdir(path.c_str(), 0777);
    return IsFolder(path);
}

bool CreateFolderPath(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::string folder = path;
    if (folder.back() != '/') {
        folder += '/';
    }
    if (IsFolder(folder)) {
        ClearReadOnly(folder);
        return true;
    }
    // Every level in turn, the whole path last (it ends with '/'); the root
    // and the empty levels of "//" are skipped.
    for (std::size_t i = 1; i < folder.size(); ++i) {
        if (folder[i] != '/' || folder[i - 1] == '/') {
            continue;
        }
        const std::string level = folder.substr(0, i);
        if (IsFolder(level)) {
            ClearReadOnly(level);
        } else if (::mkdir(level.c_str(), 0777) != 0 && !IsFolder(level)) {
            return false;
        }
    }
    return true;
}

bool ListFolderTree(std::string_view pattern, std::vector<std::string>& names) {
    names.clear();
    const std::size_t slash = pattern.rfind('/');
    const std::size_t topFolderLength = slash == std::string_view::npos ? 0 : slash + 1;
    return ListLevel(std::string(pattern), topFolderLength, names);
}

bool DeleteMatchingFiles(const std::string& folder, const std::string& pattern) {
    if (folder.empty() || pattern.empty()) {
        return false;
    }
    std::vector<std::string> names;
    ListFolderTree(MakeFilePathStatic(folder, pattern), names);
    for (const std::string& name : names) {
        if (!DeleteFileClearReadOnly(MakeFilePathStatic(folder, name))) {
            return false;
        }
    }
    return true;
}

bool DeleteFolderTree(const std::string& path) {
    if (IsRefusedForDeletion(path)) {
        return false;
    }
    // A trailing '/' would make lstat follow a symlink.
    const std::string folder = path.substr(0, path.find_last_not_of('/') + 1);
    struct stat info;
    if (::lstat(folder.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISDIR(info.st_mode)) {
        return false;
    }
    MakeFolderAccessible(AT_FDCWD, folder.c_str());
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        RemoveFolderContents(fd);
        ::close(fd);
    }
    ::rmdir(folder.c_str());
    return ::lstat(folder.c_str(), &info) != 0 && errno == ENOENT;
}
