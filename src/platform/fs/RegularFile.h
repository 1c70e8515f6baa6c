#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/fs/Result.h"

namespace pfs {

// Upper bounds on what the program reads of each kind of outside file. A file
// beyond its bound is refused rather than read, so a link to /dev/zero or a
// runaway file cannot grow memory without end.
inline constexpr std::uint64_t kTextFileLimit = 16u << 20;       // ini, registry, string tables
inline constexpr std::uint64_t kImageFileLimit = 256u << 20;     // textures, pictures, bitmaps
inline constexpr std::uint64_t kSymbolFileLimit = 64u << 20;     // DXF symbols
inline constexpr std::uint64_t kBinaryFileLimit = 1024u << 20;   // designs, models, materials, catalogue

// A descriptor open for reading on a regular file. Devices, FIFOs and sockets
// are refused without blocking: the open is non-blocking and the type is
// checked on the opened descriptor, so a swapped link cannot slip through.
class RegularFile {
public:
    RegularFile() = default;
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    int Descriptor() const { return m_fd; }
    std::uint64_t Size() const { return m_size; }

    // Hands the descriptor over to a stdio stream that then owns it.
    FILE* ReleaseToStream();

private:
    friend Result<RegularFile> OpenRegularFile(const std::filesystem::path&, std::uint64_t);
    RegularFile(int fd, std::uint64_t size) : m_fd(fd), m_size(size) {}

    int m_fd = -1;
    std::uint64_t m_size = 0;
};

// Opens path for reading when it is a regular file of at most maxBytes.
Result<RegularFile> OpenRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes);

// The whole content of a regular file of at most maxBytes.
Result<std::string> ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes);

}  // namespace pfs
