#include "platform/fs/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

namespace pfs {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
}

std::string Quoted(const std::filesystem::path& path) {
    return "「" + path.string() + "」";
}

}  // namespace

RegularFile::~RegularFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
    }
    return *this;
}

FILE* RegularFile::ReleaseToStream() {
    if (m_fd < 0) {
        return nullptr;
    }
    FILE* stream = ::fdopen(m_fd, "rb");
    if (stream != nullptr) {
        m_fd = -1;
    }
    return stream;
}

Result<RegularFile> OpenRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return Failure{"無法開啟" + Quoted(path) + "：" + ErrnoText(errno)};
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        int error = errno;
        ::close(fd);
        return Failure{"無法讀取" + Quoted(path) + "：" + ErrnoText(error)};
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Failure{Quoted(path) + "不是一般檔案，無法讀取。"};
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes) {
        ::close(fd);
        return Failure{Quoted(path) + "太大（" + std::to_string(size) +
                       " 位元組），超過這類檔案的上限 " + std::to_string(maxBytes) + " 位元組。"};
    }
    // O_NONBLOCK is the only status flag the open set, so clearing every
    // status flag clears just it, without reading them first.
    ::fcntl(fd, F_SETFL, 0);
    return RegularFile(fd, size);
}

Result<std::string> ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
    Result<RegularFile> opened = OpenRegularFile(path, maxBytes);
    if (!opened) {
        return Failure{opened.Error()};
    }
    const int fd = opened.Value().Descriptor();
    std::string content;
    content.reserve(static_cast<std::size_t>(opened.Value().Size()));
    char chunk[kChunkSize];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof(chunk));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Failure{"無法讀取" + Quoted(path) + "：" + ErrnoText(errno)};
        }
        if (got == 0) {
            break;
        }
        // A file that grows while it is read is still held to its bound.
        if (content.size() + static_cast<std::size_t>(got) > maxBytes) {
            return Failure{Quoted(path) + "在讀取時變大，超過這類檔案的上限 " +
                           std::to_string(maxBytes) + " 位元組。"};
        }
        content.append(chunk, static_cast<std::size_t>(got));
    }
    return content;
}

}  // namespace pfs
