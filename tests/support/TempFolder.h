#pragma once

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

// A fresh folder of its own under the temporary folder, removed with all it
// holds when the object goes: a local in a test, or a fixture member for a
// folder per test. A folder that cannot be made throws, which fails the test.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
        }
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

    // Writes the bytes to a file below the folder, making the folders on the
    // way; returns the file's full path.
    std::filesystem::path Write(const std::filesystem::path& relative,
                                std::string_view bytes) const {
        const std::filesystem::path path = m_path / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The bytes of a file below the folder; empty when it cannot be read.
    std::string Read(const std::filesystem::path& relative) const {
        std::ifstream in(m_path / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_path;
};
