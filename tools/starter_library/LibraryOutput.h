#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The files of the starter library, written under one folder. Every file is
// replaced atomically and its path (relative, '/' separated) remembered for
// the manifest; the first failure is kept and later writes do nothing.
class LibraryOutput {
public:
    explicit LibraryOutput(std::filesystem::path root);

    void Write(const std::string& relative, std::string_view bytes);
    // Lists a file that a writer of its own put in place.
    void Add(const std::string& relative);
    void Fail(std::string message);

    const std::filesystem::path& Root() const { return m_root; }
    const std::vector<std::string>& Written() const { return m_written; }
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

private:
    std::filesystem::path m_root;
    std::vector<std::string> m_written;
    std::string m_error;
};
