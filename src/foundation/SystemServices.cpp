#include "foundation/SystemServices.h"

#include <filesystem>
#include <system_error>

bool IsWindowsNT() {
    return true;
}

std::string GetModuleFileNameWide() {
    std::error_code ec;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : executable.string();
}

std::string MakeModuleFilePath(std::string_view fileName) {
    const std::string executable = GetModuleFileNameWide();
    if (executable.empty()) {
        return {};
    }
    return (std::filesystem::path(executable).parent_path() / fileName).string();
}
