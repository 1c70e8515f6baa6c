#include "platform/fs/SaveTempFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

namespace pfs {

namespace {

// Distinctive enough that no other program's temporary files match.
constexpr std::string_view kMarker = ".velmora-";

bool IsLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// At most maxBytes of name, cut before a UTF-8 continuation byte so that no
// character is split.
std::string_view CutOnCharacter(std::string_view name, std::size_t maxBytes) {
    if (name.size() <= maxBytes) {
        return name;
    }
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return name.substr(0, cut);
}

bool IsSaveTempName(std::string_view name, std::string_view prefix) {
    return name.size() == prefix.size() + kSaveTempRandomLength && name.starts_with(prefix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       IsLetterOrDigit);
}

}  // namespace

std::string SaveTempPrefix(const std::filesystem::path& target) {
    const std::string name = target.filename().string();
    const std::size_t room = NAME_MAX - 1 - kMarker.size() - kSaveTempRandomLength;
    return "." + std::string(CutOnCharacter(name, room)) + std::string(kMarker);
}

void RemoveStaleSaveTemps(const std::filesystem::path& folder, std::string_view prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsSaveTempName(entry->d_name, prefix)) {
            continue;
        }
        // Not following links and not blocking on a FIFO; a running save
        // holds its file locked, a killed one no longer does.
        int fd = ::openat(dirFd, entry->d_name,
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(dirFd, entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace pfs
