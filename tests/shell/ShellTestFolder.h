#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

// A fresh folder for one test, removed afterwards.
class ScopedTestFolder {
public:
    ScopedTestFolder() {
        char pattern[] = "/tmp/velmora-shell-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            ADD_FAILURE() << "cannot make a test folder";
        }
        m_path = pattern;
    }
    ~ScopedTestFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScopedTestFolder(const ScopedTestFolder&) = delete;
    ScopedTestFolder& operator=(const ScopedTestFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

    void Write(const std::filesystem::path& relative, std::string_view bytes) const {
        const std::filesystem::path path = m_path / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::string Read(const std::filesystem::path& relative) const {
        std::ifstream in(m_path / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_path;
};
