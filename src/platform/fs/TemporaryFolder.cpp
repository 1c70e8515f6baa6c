#include "platform/fs/TemporaryFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/fs/UserFolders.h"

namespace pfs {

namespace {

constexpr const char* kFolderName = "dsgtmp";
constexpr mode_t kPrivate = 0700;

std::string Because(int error) {
    return "：" + std::generic_category().message(error);
}

// Closes the descriptor when the scope ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

}  // namespace

Result<std::filesystem::path> PrepareTemporaryFolder(const UserEnvironment& env) {
    Result<std::filesystem::path> cache = CacheFolder(env);
    if (!cache) {
        return cache;
    }
    const std::filesystem::path folder = cache.Value() / kFolderName;
    const std::string quoted = "「" + folder.string() + "」";

    // Everything below works through the parent's descriptor and never
    // follows a link, so the folder checked is the folder tightened.
    Descriptor parent(::open(cache.Value().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parent.Get() < 0) {
        return Failure{"無法開啟暫存資料夾" + quoted + Because(errno)};
    }
    if (::mkdirat(parent.Get(), kFolderName, kPrivate) != 0 && errno != EEXIST) {
        return Failure{"無法建立暫存資料夾" + quoted + Because(errno)};
    }
    Descriptor own(
        ::openat(parent.Get(), kFolderName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (own.Get() < 0) {
        const int error = errno;
        if (error == ELOOP || error == ENOTDIR) {
            return Failure{"暫存資料夾" + quoted + "不是資料夾（可能是連結），為安全起見不使用。"};
        }
        return Failure{"無法開啟暫存資料夾" + quoted + Because(error)};
    }
    struct stat info {};
    if (::fstat(own.Get(), &info) != 0) {
        return Failure{"無法讀取暫存資料夾" + quoted + "的資訊" + Because(errno)};
    }
    if (info.st_uid != ::geteuid()) {
        return Failure{"暫存資料夾" + quoted + "屬於其他使用者，為安全起見不使用。"};
    }
    if ((info.st_mode & 07777) != kPrivate && ::fchmod(own.Get(), kPrivate) != 0) {
        return Failure{"無法將暫存資料夾" + quoted + "設為私人" + Because(errno)};
    }
    return folder;
}

}  // namespace pfs
