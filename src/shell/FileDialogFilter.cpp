#include "shell/FileDialogFilter.h"

#include "foundation/PathUtils.h"

std::string ToDialogWildcard(std::string_view filter) {
    while (!filter.empty() && filter.back() == '|') {
        filter.remove_suffix(1);
    }
    return std::string(filter);
}

std::string AddDefaultExtension(std::string path, std::string_view filter) {
    const std::size_t bar = filter.find('|');
    if (bar == std::string_view::npos) {
        return path;
    }
    std::string_view pattern = filter.substr(bar + 1);
    pattern = pattern.substr(0, pattern.find('|'));
    if (pattern.size() < 3 || pattern.substr(0, 2) != "*." ||
        pattern.find_first_of("*?;", 2) != std::string_view::npos) {
        return path;
    }
    const std::string name = GetPathFileName(path);
    if (name.empty() || name.find('.') != std::string::npos) {
        return path;
    }
    path += pattern.substr(1);
    return path;
}
