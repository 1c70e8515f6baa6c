#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/Result.h"

namespace pfs {

// Writes a user's file so that it is either fully replaced or left exactly as
// it was: the bytes go to a temporary file in the target's folder, which is
// synced and renamed over the target on Commit. A symlinked target keeps its
// link; the file it points to is replaced. A target that is not a regular
// file, or is read-only, is refused before anything is written. The first
// failure is remembered, later writes do nothing, and Commit reports it.
// Destroying the writer without a successful Commit removes the temporary
// file; one left by a killed save is removed by the next save of the target.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& target);
    ~AtomicFileWriter();

    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }

    // Replaces the target with everything written so far. Called once.
    Result<void> Commit();

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

private:
    bool CheckTarget(std::optional<mode_t>& mode);
    void Fail(std::string message);
    bool FlushBuffer();
    bool WriteAll(const char* bytes, std::size_t size);
    void Discard();

    std::filesystem::path m_path;    // as given, for messages
    std::filesystem::path m_target;  // after following symlinks
    std::filesystem::path m_tempPath;
    int m_fd = -1;
    std::vector<char> m_buffer;
    std::string m_error;
    bool m_finished = false;
};

// Replaces the file at path with bytes, atomically.
Result<void> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace pfs
