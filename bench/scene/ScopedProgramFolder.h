#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "foundation/ApplicationValues.h"

// An empty program folder of its own, so that no settings file where the
// benchmark runs changes the document.
class ScopedProgramFolder {
public:
    ScopedProgramFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "bench_scene_XXXXXX").string();
        m_path = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
        SetProgramFolder(m_path);
    }
    ~ScopedProgramFolder() {
        if (!m_path.empty()) {
            std::filesystem::remove_all(m_path);
        }
    }
    ScopedProgramFolder(const ScopedProgramFolder&) = delete;
    ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;

    [[nodiscard]] const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
