#include "platform/fs/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>
#include <system_error>
#include <utility>

#include "platform/fs/FileSizeSignal.h"
#include "platform/fs/SaveTempFiles.h"

namespace pfs {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kMaxLinkHops = 40;
constexpr int kMaxNameAttempts = 100;

std::string Quoted(const std::filesystem::path& path) {
    return "「" + path.string() + "」";
}

std::string Because(int error) {
    return "：" + std::generic_category().message(error);
}

// The file a chain of symlinks ends at, or ELOOP.
bool FollowLinks(std::filesystem::path& path, int& error) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) {
            return true;
        }
        std::filesystem::path link = std::filesystem::read_symlink(path, ec);
        if (ec) {
            error = ec.value();
            return false;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    error = ELOOP;
    return false;
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// Seeded without opening a file, so that a process out of descriptors still
// gets the reason of the failed create rather than an exception.
std::mt19937 SeededRandom() {
    std::uint32_t seed = 0;
    if (::getrandom(&seed, sizeof(seed), GRND_NONBLOCK) != static_cast<ssize_t>(sizeof(seed))) {
        seed = static_cast<std::uint32_t>(
                   std::chrono::steady_clock::now().time_since_epoch().count()) ^
               static_cast<std::uint32_t>(::getpid());
    }
    return std::mt19937(seed);
}

// Created with 0666 so that the umask and any default ACL of the folder apply
// to a new file, as they would to a plain open().
int CreateTempFile(const std::filesystem::path& folder, const std::string& prefix,
                   std::filesystem::path& tempPath) {
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::mt19937 random = SeededRandom();
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kChars) - 2);
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        std::string name = prefix;
        for (std::size_t i = 0; i < kSaveTempRandomLength; ++i) {
            name += kChars[pick(random)];
        }
        tempPath = folder / name;
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target)
    : m_path(target), m_target(target) {
    IgnoreFileSizeSignal();
    int error = 0;
    if (!FollowLinks(m_target, error)) {
        Fail("無法儲存" + Quoted(m_path) + Because(error));
        return;
    }
    std::optional<mode_t> mode;
    if (!CheckTarget(mode)) {
        return;
    }
    const std::filesystem::path folder = FolderOf(m_target);
    const std::string prefix = SaveTempPrefix(m_target);
    RemoveStaleSaveTemps(folder, prefix);
    m_fd = CreateTempFile(folder, prefix, m_tempPath);
    if (m_fd < 0) {
        int openError = errno;
        m_tempPath.clear();
        Fail("無法在" + Quoted(folder) + "建立暫存檔以儲存" + Quoted(m_path) + Because(openError));
        return;
    }
    // Held until the file is closed, so that another save's clean-up leaves
    // it alone while it is written.
    ::flock(m_fd, LOCK_EX | LOCK_NB);
    m_buffer.reserve(kBufferSize);
}

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

bool AtomicFileWriter::Write(const void* data, std::size_t size) {
    if (!Ok() || m_finished) {
        return false;
    }
    const char* bytes = static_cast<const char*>(data);
    if (m_buffer.size() + size > kBufferSize && !FlushBuffer()) {
        return false;
    }
    if (size >= kBufferSize) {
        return WriteAll(bytes, size);
    }
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
    return true;
}

Result<void> AtomicFileWriter::Commit() {
    if (m_finished) {
        return Failure{Ok() ? Quoted(m_path) + "已經儲存過，不能再儲存一次。" : m_error};
    }
    // Checked again: the target may have changed while the bytes were written.
    std::optional<mode_t> mode;
    if (Ok() && FlushBuffer() && CheckTarget(mode)) {
        if (mode && ::fchmod(m_fd, *mode) != 0) {
            Fail("無法設定" + Quoted(m_path) + "的權限" + Because(errno));
        } else if (::fsync(m_fd) != 0) {
            Fail("無法將" + Quoted(m_path) + "寫入磁碟" + Because(errno));
        } else {
            int fd = m_fd;
            m_fd = -1;
            if (::close(fd) != 0) {
                Fail("無法儲存" + Quoted(m_path) + Because(errno));
            } else if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
                Fail("無法取代" + Quoted(m_path) + Because(errno));
            } else {
                m_tempPath.clear();
            }
        }
    }
    if (!Ok()) {
        Discard();
        return Failure{m_error};
    }
    m_finished = true;

    // Without syncing the folder the rename itself may be lost in a crash.
    std::filesystem::path folder = FolderOf(m_target);
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0 || (::fsync(dirFd) != 0 && errno != EINVAL)) {
        int error = errno;
        if (dirFd >= 0) {
            ::close(dirFd);
        }
        return Failure{Quoted(m_path) + "已取代，但無法將資料夾" + Quoted(folder) + "寫入磁碟" +
                       Because(error)};
    }
    ::close(dirFd);
    return {};
}

// A missing target is a new file. An existing one must be a regular file its
// user may write: renaming over a device, FIFO or socket would replace it,
// and renaming over a read-only file would ignore its owner's choice.
bool AtomicFileWriter::CheckTarget(std::optional<mode_t>& mode) {
    struct stat info {};
    if (::lstat(m_target.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            mode.reset();
            return true;
        }
        Fail("無法儲存" + Quoted(m_path) + Because(errno));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        Fail(Quoted(m_path) + "不是一般檔案，無法儲存。");
        return false;
    }
    // The owner's write bit is the read-only mark; it is checked by hand
    // because access() lets root write anything.
    if ((info.st_mode & S_IWUSR) == 0 ||
        (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES)) {
        Fail(Quoted(m_path) + "是唯讀檔案，無法儲存。");
        return false;
    }
    mode = info.st_mode & 07777;
    return true;
}

void AtomicFileWriter::Fail(std::string message) {
    if (Ok()) {
        m_error = std::move(message);
    }
}

bool AtomicFileWriter::FlushBuffer() {
    bool written = WriteAll(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return written;
}

// Short writes are continued until everything is written or an error stops it.
bool AtomicFileWriter::WriteAll(const char* bytes, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(m_fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            Fail("無法儲存" + Quoted(m_path) + Because(written < 0 ? errno : ENOSPC));
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void AtomicFileWriter::Discard() {
    m_finished = true;
    m_buffer.clear();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

Result<void> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    writer.Write(bytes);
    return writer.Commit();
}

}  // namespace pfs
