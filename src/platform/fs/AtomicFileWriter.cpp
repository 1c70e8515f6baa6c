#include "platform/fs/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>

namespace pfs {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kMaxLinkHops = 40;
constexpr int kMaxNameAttempts = 100;

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
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

// Created with 0666 so that the umask and any default ACL of the folder apply
// to a new file, as they would to a plain open().
int CreateTempFile(const std::filesystem::path& target, std::filesystem::path& tempPath) {
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kChars) - 2);
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        std::string name = "." + target.filename().string() + ".";
        for (int i = 0; i < 6; ++i) {
            name += kChars[pick(random)];
        }
        tempPath = FolderOf(target) / name;
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target) : m_target(target) {
    int error = 0;
    if (!FollowLinks(m_target, error)) {
        Fail("Cannot write " + target.string(), error);
        return;
    }
    m_fd = CreateTempFile(m_target, m_tempPath);
    if (m_fd < 0) {
        int openError = errno;
        m_tempPath.clear();
        Fail("Cannot create a temporary file in " + FolderOf(m_target).string() + " to write " +
                 m_target.string(),
             openError);
        return;
    }
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
        return Failure{Ok() ? "The file " + m_target.string() + " was already written." : m_error};
    }
    if (Ok() && FlushBuffer()) {
        struct stat existing {};
        mode_t mode = 0;
        bool keepMode = ::stat(m_target.c_str(), &existing) == 0;
        if (keepMode) {
            mode = existing.st_mode & 07777;
        }
        if (keepMode && ::fchmod(m_fd, mode) != 0) {
            Fail("Cannot set the permissions of " + m_target.string(), errno);
        } else if (::fsync(m_fd) != 0) {
            Fail("Cannot write " + m_target.string() + " to disk", errno);
        } else {
            int fd = m_fd;
            m_fd = -1;
            if (::close(fd) != 0) {
                Fail("Cannot write " + m_target.string(), errno);
            } else if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
                Fail("Cannot replace " + m_target.string(), errno);
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
        return Failure{"The file " + m_target.string() + " was replaced, but the folder " +
                       folder.string() + " could not be written to disk: " + ErrnoText(error)};
    }
    ::close(dirFd);
    return {};
}

void AtomicFileWriter::Fail(const std::string& what, int error) {
    if (Ok()) {
        m_error = what + ": " + ErrnoText(error);
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
            Fail("Cannot write " + m_target.string(), written < 0 ? errno : ENOSPC);
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
